// Opens the demo's page in headless Chromium (WebGL on SwiftShader), prints what the program
// printed on the console and what the page shows in #result, and ends with the program's exit
// code. With --screenshot it saves the page after --wait seconds (or once the run ended); with
// --keys it presses those keys (puppeteer's names, comma-separated) after the wait.
//   NODE_PATH=DIR/node_modules node tests/web/run_page.js URL [--screenshot FILE] [--wait S]
//     [--timeout S] [--keys F1,Escape] [--refuse-fullscreen] [--fetch FOLDER]
// --fetch FOLDER copies that folder of the program's in-memory files (say the pictures of
// "?validate&save-pictures=pictures") into the current directory once the run has ended.
// --refuse-fullscreen makes the browser refuse every full-screen request, as a page in a frame
// without permission sees it.
// puppeteer-core: NODE_PATH=$(tests/web/install_puppeteer.sh) (the lock file's version).
'use strict';
const puppeteer = require('puppeteer-core');

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i > 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}

(async () => {
  const url = process.argv[2];
  const screenshot = option('--screenshot', null);
  const waitSeconds = Number(option('--wait', '0'));
  const timeoutSeconds = Number(option('--timeout', '120'));
  const keys = option('--keys', '');
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--window-size=900,800'],
  });
  const page = await browser.newPage();
  await page.setViewport({width: 900, height: 800});
  if (process.argv.includes('--refuse-fullscreen')) {
    await page.evaluateOnNewDocument(() => {
      Element.prototype.requestFullscreen = () => Promise.reject(new TypeError('refused by the test'));
    });
  }
  page.on('console', (message) => console.log(`[console.${message.type()}] ${message.text()}`));
  page.on('pageerror', (error) => console.log(`[pageerror] ${error.message}`));
  await page.goto(url);
  const ended = () => page.evaluate(() => document.getElementById('result').dataset.state !== 'running');
  if (waitSeconds > 0) {
    const until = Date.now() + waitSeconds * 1000;
    while (Date.now() < until && !(await ended())) await new Promise((r) => setTimeout(r, 100));
  }
  for (const key of keys.split(',').filter(Boolean)) {
    await page.keyboard.press(key);
    await new Promise((r) => setTimeout(r, 500));
  }
  if (screenshot) await page.screenshot({path: screenshot});
  let code = 124;
  try {
    if (!screenshot || keys) {
      await page.waitForFunction(() => document.getElementById('result').dataset.state !== 'running',
                                 {timeout: timeoutSeconds * 1000, polling: 200});
    }
    if (await ended()) {
      const result = await page.evaluate(() => {
        const r = document.getElementById('result');
        return {state: r.dataset.state, code: r.dataset.exitCode, text: r.textContent,
                ended: document.getElementById('ended').textContent};
      });
      console.log(`#result (${result.state}, data-exit-code=${result.code}):\n${result.text}${result.ended}`);
      code = Number(result.code);
      const folder = option('--fetch', null);
      if (folder) {
        const files = await page.evaluate((dir) => {
          const found = {};
          for (const name of Module.FS.readdir(dir)) {
            if (name === '.' || name === '..') continue;
            const bytes = Module.FS.readFile(dir + '/' + name);
            let text = '';
            for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
            found[name] = btoa(text);
          }
          return found;
        }, folder);
        const fs = require('fs');
        fs.mkdirSync(folder, {recursive: true});
        for (const [name, data] of Object.entries(files)) fs.writeFileSync(`${folder}/${name}`, Buffer.from(data, 'base64'));
        console.log(`fetched ${Object.keys(files).length} files into ${folder}/`);
      }
    } else {
      code = 0;  // still running when the screenshot was taken, as asked
    }
  } catch (e) {
    console.log(`the run did not end within ${timeoutSeconds} s`);
  }
  await browser.close();
  process.exit(code);
})();
