// The page's own paths in headless Chromium, each ending in the exit code it should: ?size sizes
// the canvas and the title is the window's; a hidden page draws no frames yet still answers, and
// draws again once shown; the browser leaving full screen by itself brings the 500 x 500 window
// back, as F1 does; the page's Close button ends the run with 0. Prints one line per check and
// ends with the number that failed.
//   NODE_PATH=DIR/node_modules node tests/web/page_paths.js BASE_URL   (BASE_URL: .../index.html)
'use strict';
const puppeteer = require('puppeteer-core');
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

(async () => {
  const base = process.argv[2];
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader'],
  });
  let failed = 0;
  const check = (name, ok, detail) => {
    console.log(`${ok ? 'ok   ' : 'FAIL '} ${name}: ${detail}`);
    if (!ok) failed++;
  };
  const open = async (query) => {
    const page = await browser.newPage();
    const fps = [];
    page.on('console', (m) => { if (m.text().startsWith('FPS')) fps.push(Date.now()); });
    await page.goto(base + query);
    await page.waitForFunction(() => !document.getElementById('canvas').hidden, {timeout: 60000});
    await sleep(2000);
    return {page, fps};
  };
  const canvas = (page) => page.evaluate(() => {
    const c = document.getElementById('canvas');
    return {size: `${c.width}x${c.height}`, full: document.fullscreenElement === c, title: document.title};
  });
  const exitCode = async (page) => {
    await page.waitForFunction(() => document.getElementById('result').dataset.state !== 'running', {timeout: 20000});
    return page.evaluate(() => document.getElementById('result').dataset.exitCode);
  };

  {
    const {page} = await open('?size=640x480');
    const c = await canvas(page);
    check('size', c.size === '640x480' && c.title === 'OpenGL Window', `${c.size}, title "${c.title}"`);
    await page.click('#close');
    const code = await exitCode(page);
    check('close button', code === '0', `exit code ${code}`);
  }
  {
    const {page, fps} = await open('?fps-log');
    const setHidden = (hidden) => page.evaluate((h) => {
      Object.defineProperty(document, 'hidden', {configurable: true, get: () => h});
      Object.defineProperty(document, 'visibilityState', {configurable: true, get: () => (h ? 'hidden' : 'visible')});
      document.dispatchEvent(new Event('visibilitychange'));
    }, hidden);
    await setHidden(true);
    await sleep(500);
    const hiddenFrom = Date.now();
    await sleep(2500);
    const answers = (await page.evaluate(() => 6 * 7)) === 42;
    const whileHidden = fps.filter((t) => t >= hiddenFrom).length;
    await setHidden(false);
    const shownFrom = Date.now();
    await sleep(3000);
    const afterShown = fps.filter((t) => t >= shownFrom).length;
    check('hidden page', answers && whileHidden === 0 && afterShown > 0,
          `answers ${answers}, frame-rate figures while hidden ${whileHidden}, after ${afterShown}`);
    await page.keyboard.press('Escape');
    const code = await exitCode(page);
    check('escape', code === '0', `exit code ${code}`);
  }
  {
    const {page} = await open('');
    await page.keyboard.press('F1');
    await sleep(2000);
    const full = await canvas(page);
    await page.evaluate(() => document.exitFullscreen());
    await sleep(2000);
    const back = await canvas(page);
    check('browser leaves full screen', full.full && !back.full && back.size === '500x500',
          `after F1 ${full.size} (full screen ${full.full}), after the browser's exit ${back.size}`);
    await page.keyboard.press('Escape');
    await exitCode(page);
  }
  await browser.close();
  process.exit(failed);
})();
