// Figures of the demo's page in one browser (tests/web/browser.js starts it):
//   load   navigation to the first frame's first draw call (performance.now() at the first
//          drawElements or drawArrays of the WebGL context), median of RUNS fresh loads, each
//          in a new browser context so nothing comes from the cache
//   fps    the program's summary line of ?seconds=SECONDS ("frames: ... fps: F ...")
//   heap   the WebAssembly memory at the end of that run (wasmMemory.buffer.byteLength)
// Prints one line of JSON.
//   NODE_PATH=.../node_modules node bench/web_page.js chromium|firefox SITE_URL [RUNS] [SECONDS]
'use strict';
const {launch, runResult} = require('../tests/web/browser.js');

const [name, site, runs = '5', seconds = '5'] = process.argv.slice(2);

(async () => {
  const browser = await launch(name);
  const loads = [];
  for (let i = 0; i < Number(runs); i++) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({width: 900, height: 800});
    await page.evaluateOnNewDocument(() => {
      const proto = WebGLRenderingContext.prototype;
      for (const call of ['drawElements', 'drawArrays']) {
        const original = proto[call];
        proto[call] = function(...args) {
          if (window.firstDrawMs === undefined) window.firstDrawMs = performance.now();
          return original.apply(this, args);
        };
      }
    });
    await page.goto(`${site}index.html`);
    await page.waitForFunction(() => window.firstDrawMs !== undefined, {timeout: 60000, polling: 50});
    loads.push(await page.evaluate(() => window.firstDrawMs));
    await context.close();
  }
  loads.sort((a, b) => a - b);

  const page = await browser.newPage();
  await page.setViewport({width: 900, height: 800});
  await page.goto(`${site}index.html?seconds=${seconds}`);
  const r = await runResult(page, Number(seconds) + 120);
  const fps = Number((r.text.match(/fps: *([0-9.]+)/) || [])[1]);
  const heap = await page.evaluate(() => wasmMemory.buffer.byteLength);
  const renderer = await page.evaluate(() => {
    const gl = document.createElement('canvas').getContext('webgl');
    const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : (gl ? gl.getParameter(gl.RENDERER) : 'none');
  });
  console.log(JSON.stringify({browser: name, version: await browser.version(), renderer, exitCode: r.code,
                              loadMs: loads, medianLoadMs: loads[loads.length >> 1], fps, heapBytes: heap}));
  await browser.close();
})().catch((e) => { console.error(e.stack); process.exit(1); });
