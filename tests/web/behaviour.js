// The page's behaviour in one browser, the same checks in each (tests/web/browser.js starts it):
//   validate      ?validate&report=run.json: all seven checks pass, exit code 0; each check's
//                 figures go to OUT/margins.json; the page offers the report and the last frame
//                 to save
//   scene         the default page: the start picture passes the end-to-end tests' checks (sky,
//                 frame-rate text, three faces); I shows the status line, L leaves the faces
//                 flat; F1 asks for full screen and the canvas comes back (granted: F1 again gives
//                 the 500 x 500 canvas; refused: the question, answered Yes); Escape ends the
//                 run with 0 and the page says so
//   missing-mesh  BASE/no-mesh/ (the site without rage.sos): "Failed to initialize!", exit 3
//   bad-query     ?size=0x0: the usage, exit 2
//   unwritable-picture  ?frames=5&screenshot=/no/such/folder/x.png: exit 3 after the frames
//   no-webgl      the browser with WebGL off: "Window could not be open!", exit 3
// The pictures are measured by tests/e2e/pictures.sh, as the native program's are.
//   NODE_PATH=.../node_modules node tests/web/behaviour.js chromium|firefox BASE_URL OUT
// BASE_URL serves the site at site/ and the site without rage.sos at no-mesh/. Prints one line per
// check, leaves the logs and pictures in OUT and ends with the number of checks that failed.
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');
const {launch, newPage, runResult, sleep} = require('./browser.js');

const [name, base, out] = process.argv.slice(2);
fs.mkdirSync(out, {recursive: true});
const logFile = fs.openSync(path.join(out, 'console.log'), 'w');
const log = (line) => fs.writeSync(logFile, line + '\n');
let failed = 0;
const check = (what, ok, detail) => {
  console.log(`${ok ? 'ok   ' : 'FAIL '} ${name} ${what}: ${detail}`);
  if (!ok) failed++;
};

// measure('skin', FILE, 'REGION_UPPER_FACE'): a figure of tests/e2e/pictures.sh; REGION_ names
// are that file's regions.
const pictures = path.join(__dirname, '../e2e/pictures.sh');
const measure = (fn, ...args) => Number(execFileSync('bash', ['-c',
  'source "$0"; f=$1; shift; a=(); for x; do [[ $x == REGION_* ]] && x=${!x}; a+=("$x"); done; "$f" "${a[@]}"',
  pictures, fn, ...args], {encoding: 'utf8'}).trim());

// Screenshots of the canvas into OUT/NAME.png until `until(file)` holds or the time is up;
// returns the file, or null.
async function shootUntil(page, shot, until, seconds) {
  const file = path.join(out, `${shot}.png`);
  const deadline = Date.now() + seconds * 1000;
  do {
    await (await page.$('#canvas')).screenshot({path: file});
    if (until(file)) return file;
    await sleep(200);
  } while (Date.now() < deadline);
  return null;
}

const boxText = (page) => page.evaluate(() => {
  const box = document.getElementById('message-box');
  return box ? `${box.querySelector('.caption').textContent}: ${box.querySelector('.text').textContent}` : null;
});
async function waitBox(page, seconds) {
  await page.waitForFunction(() => document.getElementById('message-box'), {timeout: seconds * 1000}).catch(() => {});
  return boxText(page);
}

async function validate(browser) {
  const page = await newPage(browser, log);
  await page.goto(`${base}site/index.html?validate&report=run.json`);
  const r = await runResult(page, 600);
  const passed = (r.text.match(/^\S+ +PASS /gm) || []).length;
  const report = JSON.parse(r.text.slice(r.text.indexOf('run.json:\n') + 10));
  fs.writeFileSync(path.join(out, 'margins.json'), JSON.stringify(report.checks.map((c) => ({
    name: c.name, result: c.result, largestDifference: c.largestDifference, differingBlocks: c.differingBlocks,
    blockLimit: c.blockLimit, differingTextCells: c.differingTextCells})), null, 1));
  check('validate', r.code === 0 && passed === 7 && report.checks.length === 7,
        `exit code ${r.code}, ${passed} of ${report.checks.length} checks passed; largest differences ` +
        report.checks.map((c) => c.largestDifference.toFixed(1)).join(' '));
  // The page offers the report as written and the last frame drawn, a picture of the whole canvas
  // that is not one flat colour.
  await page.waitForFunction(() => document.getElementById('save-frame'), {timeout: 10000}).catch(() => {});
  const saved = await page.evaluate(async () => {
    const link = (id) => document.getElementById(id);
    if (!link('save-report') || !link('save-frame')) return null;
    const report = await (await fetch(link('save-report').href)).text();
    const picture = await createImageBitmap(await (await fetch(link('save-frame').href)).blob());
    const canvas = document.createElement('canvas');
    canvas.width = picture.width, canvas.height = picture.height;
    const context = canvas.getContext('2d');
    context.drawImage(picture, 0, 0);
    const pixels = context.getImageData(0, 0, picture.width, picture.height).data;
    const colours = new Set();
    for (let k = 0; k < pixels.length; k += 4 * 997) colours.add(pixels[k] << 16 | pixels[k + 1] << 8 | pixels[k + 2]);
    return {report, name: link('save-report').download, width: picture.width, height: picture.height,
            colours: colours.size};
  });
  check('saves', saved !== null && saved.name === 'run.json' && JSON.parse(saved.report).checks.length === 7 &&
        saved.width === 700 && saved.height === 500 && saved.colours > 20,
        saved ? `report ${saved.name}, last frame ${saved.width} x ${saved.height} with ${saved.colours} colours`
              : 'no links to save the report and the last frame');
  await page.close();
}

async function scene(browser) {
  const page = await newPage(browser, log);
  await page.goto(`${base}site/index.html`);
  await page.waitForFunction(() => !document.getElementById('canvas').hidden, {timeout: 60000});
  const start = await shootUntil(page, 'start',
    (f) => measure('mean', f, 'REGION_SKY') > 0.2 && measure('text_pixels', f, '120x35+0+465') > 0.015, 30);
  const faces = start ? ['REGION_UPPER_FACE', 'REGION_LOWER_LEFT', 'REGION_LOWER_RIGHT'].map((r) => measure('skin', start, r)) : [];
  check('start picture', start && faces.every((s) => s > 0.05),
        start ? `sky and frame-rate text shown; skin-coloured share of the faces ${faces.join(' ')}`
              : 'no sky and frame-rate text within 30 s');
  if (!start) return page.close();

  // A toggle key is held until its effect shows: the program reads its key table once a frame.
  const hold = async (key, shot, until) => {
    await page.keyboard.down(key);
    const file = await shootUntil(page, shot, until, 10);
    await page.keyboard.up(key);
    return file;
  };
  const before = measure('text_pixels', start, 'REGION_STATUS_TEXT');
  const status = await hold('i', 'status-line', (f) => measure('text_pixels', f, 'REGION_STATUS_TEXT') > 0.02);
  check('I', before < 0.002 && status, `status line's text ${before} before, shown after I: ${!!status}`);
  const spread = measure('face_spread', start);
  const flat = await hold('l', 'lighting-off', (f) => measure('face_spread', f) < spread / 3);
  check('L', flat, `the face's shading spread ${spread}, ${flat ? measure('face_spread', flat) : 'unchanged'} after L`);

  const state = () => page.evaluate(() => {
    const c = document.getElementById('canvas');
    return {full: document.fullscreenElement === c, size: `${c.width}x${c.height}`, shown: !c.hidden,
            screen: `${screen.width}x${screen.height}`};
  });
  await page.keyboard.press('F1');
  await sleep(2000);
  const asked = await state();
  const question = await boxText(page);
  let how;
  if (asked.full) {
    await page.keyboard.press('F1');
    how = `granted (${asked.size} on a ${asked.screen} screen), F1 again`;
  } else {
    await page.keyboard.press('Enter');
    how = `refused, the question "${question}" answered Yes`;
  }
  await sleep(2000);
  const back = await state();
  const drawn = await shootUntil(page, 'after-full-screen', (f) => measure('mean', f, `${back.size}+0+0`) > 0.2, 10);
  const sizeBack = asked.full ? back.size === '500x500' : back.size === '700x500';
  check('F1', (asked.full || /Fullscreen Mode Is Not Supported/.test(question || '')) && !back.full && back.shown &&
        sizeBack && drawn, `${how}: canvas ${back.size}, full screen ${back.full}, drawing ${!!drawn}`);

  await page.keyboard.press('Escape');
  const r = await runResult(page, 20).catch(() => ({code: 'none', ended: ''}));
  const hidden = await page.evaluate(() => document.getElementById('canvas').hidden);
  check('Escape', r.code === 0 && /The demo has ended/.test(r.ended) && hidden,
        `exit code ${r.code}, "${r.ended}", canvas hidden ${hidden}`);
  await page.close();
}

// A run that should stop at a box: the box's text, the answer Return, then the exit code.
async function boxedRun(browser, what, url, expected, saying) {
  const page = await newPage(browser, log);
  await page.goto(url);
  const text = await waitBox(page, 60);
  if (text) await page.keyboard.press('Enter');
  const r = await runResult(page, 30).catch(() => ({code: 'none', text: ''}));
  check(what, text !== null && text.includes(saying) && r.code === expected,
        `box "${text}", exit code ${r.code}; ${r.text.split('\n').filter((l) => /facedemo:/.test(l)).join(' ')}`);
  await page.close();
}

(async () => {
  const browser = await launch(name);
  for (const group of (process.env.ONLY ? [] : [validate, scene])) {
    await group(browser).catch((e) => check(group.name, false, e.message));
  }
  await boxedRun(browser, 'missing-mesh', `${base}no-mesh/index.html?frames=10`, 3, 'ERROR: Failed to initialize!')
    .catch((e) => check('missing-mesh', false, e.message));
  // Runs that end by themselves: a bad value ends before the window opens; a picture that cannot
  // be written ends the run after its frames, with 3 rather than the 0 of the frames drawn.
  for (const [what, query, expected, saying] of [['bad-query', 'size=0x0', 2, /Usage: facedemo/],
    ['unwritable-picture', 'frames=5&screenshot=/no/such/folder/x.png', 3, /x\.png/]]) {
    const page = await newPage(browser, log);
    await page.goto(`${base}site/index.html?${query}`);
    const r = await runResult(page, 60).catch(() => ({code: 'none', text: ''}));
    check(what, r.code === expected && saying.test(r.text), `exit code ${r.code}, says ${saying}: ${saying.test(r.text)}`);
    await page.close();
  }
  await browser.close();

  const blind = await launch(name, {webgl: false});
  await boxedRun(blind, 'no-webgl', `${base}site/index.html?frames=10`, 3,
                 'PROGRAM FAILURE: Window could not be open! Program is about to close.')
    .catch((e) => check('no-webgl', false, e.message));
  await blind.close();
  process.exit(failed);
})().catch((e) => { console.log(`FAIL  ${name}: ${e.stack}`); process.exit(100); });
