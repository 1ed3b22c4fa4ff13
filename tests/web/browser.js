// Starts one of Debian's browsers through puppeteer-core, which never downloads one:
//   chromium     headless, WebGL on SwiftShader (CHROMIUM: another executable)
//   firefox      Firefox ESR in a visible window, the only place it gives WebGL; run it under
//                scripts/with-xvfb.sh where there is no display (FIREFOX: another executable)
// launch(name, {webgl: false}) starts it with WebGL turned off, as a machine without it is.
// The browser's name comes from BROWSER when a script takes none.
'use strict';
const puppeteer = require('puppeteer-core');

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function launch(name = process.env.BROWSER || 'chromium', {webgl = true} = {}) {
  if (name === 'chromium') {
    const args = ['--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--window-size=900,800'];
    if (!webgl) args.push('--disable-3d-apis');
    return puppeteer.launch({executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args});
  }
  if (name === 'firefox') {
    if (!process.env.DISPLAY) throw new Error('Firefox has WebGL only in a visible window: run under scripts/with-xvfb.sh');
    return puppeteer.launch({
      browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr', headless: false,
      args: ['--width=900', '--height=800'],
      extraPrefsFirefox: {'webgl.disabled': !webgl, 'webgl.force-enabled': webgl},
    });
  }
  throw new Error(`no browser called "${name}" (chromium or firefox)`);
}

// A new page of 900 x 800 whose console goes to `log` (a function of one line), if given.
async function newPage(browser, log) {
  const page = await browser.newPage();
  await page.setViewport({width: 900, height: 800});
  if (log) {
    page.on('console', (m) => log(`[console.${m.type()}] ${m.text()}`));
    page.on('pageerror', (e) => log(`[pageerror] ${e.message}`));
  }
  return page;
}

// Waits for the run to end (#result leaves "running") and returns what the page shows of it.
async function runResult(page, timeoutSeconds) {
  await page.waitForFunction(() => document.getElementById('result').dataset.state !== 'running',
                             {timeout: timeoutSeconds * 1000, polling: 200});
  return page.evaluate(() => {
    const r = document.getElementById('result');
    return {state: r.dataset.state, code: Number(r.dataset.exitCode), text: r.textContent,
            ended: document.getElementById('ended').textContent};
  });
}

module.exports = {launch, newPage, runResult, sleep};
