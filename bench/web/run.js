// The browser program against a plain page in the same browser, side by
// side in one run, for Chromium and Firefox ESR:
//   - navigation to the first complete frame (plan, text and photograph
//     painted) against a plain page with the same content: a picture of the
//     plan with an image map, an <img> and a <textarea>;
//   - the bytes transferred before that frame, and the code among them gzipped;
//   - one entry switch to a 12 MP photograph against the browser's own <img>
//     decode of the same file.
//   - where the guide's time before its first frame goes: the milestones
//     below, seen from outside the program.
// Medians of several runs, each in a fresh page. Given a second site (an
// earlier build), its guide is measured too, run by run beside the first, so
// that both meet the same load.
//
//   NODE_PATH=<puppeteer-core's node_modules> node bench/web/run.js SITE_DIR GUIDE_FACTS_JSON [RUNS [BEFORE_SITE_DIR]]
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../web/tests/site_server.js');

const [siteDir, factsFile, runsArg, beforeDir] = process.argv.slice(2);
const runs = Number(runsArg || 7);
const facts = JSON.parse(fs.readFileSync(factsFile, 'utf8'));
const kBrowsers = { chrome: '/usr/bin/chromium', firefox: '/usr/bin/firefox-esr' };
const kWait = { timeout: 60000 };

// The page and its code, all that comes before the first photograph.
const kCode = ['mirteka.wasm', 'mirteka.js', 'forms.js', 'page.js', 'page.css', 'index.html'];

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Each page reports when the frame it waits for was first painted: the first
// animation frame after the condition holds, in ms since navigation began.
const watchFrame = (condition) => `
  window.frameAt = null;
  const check = () => {
    if ((${condition})()) requestAnimationFrame(() => { window.frameAt = performance.now(); });
    else requestAnimationFrame(check);
  };
  requestAnimationFrame(check);`;

// The guide's milestones on the way to its first frame, in ms since navigation
// began, noted by wrapping what the page calls (nothing of the program changes).
const kMilestones = ['page', 'code arrived', 'scripts run', 'module ready', 'plan painted', 'photograph decoded', 'frame'];
const watchMilestones = `
  window.milestones = {};
  const note = (name) => { if (!(name in window.milestones)) window.milestones[name] = performance.now(); };
  document.addEventListener('DOMContentLoaded', () => note('scripts run'));
  const instantiate = WebAssembly.instantiateStreaming;
  WebAssembly.instantiateStreaming = (...args) => instantiate(...args).then((result) => { note('module ready'); return result; });
  const OwnImageData = ImageData;
  window.ImageData = function (...args) { if ('plan painted' in window.milestones) note('photograph decoded'); return new OwnImageData(...args); };
  new MutationObserver(() => {
    if (document.querySelector('#Form1-client canvas')) note('plan painted');
  }).observe(document, { subtree: true, childList: true });`;
const milestonesOf = (page) => page.evaluate((code) => {
  const navigation = performance.getEntriesByType('navigation')[0];
  const arrived = performance.getEntriesByType('resource').filter((r) => code.some((f) => r.name.endsWith(`/${f}`)));
  return { ...window.milestones, page: navigation.responseEnd, 'code arrived': Math.max(...arrived.map((r) => r.responseEnd)), frame: window.frameAt };
}, kCode);

const kGuideDone = `() => {
  const text = document.getElementById('Form1-Text1');
  const photo = document.getElementById('Form1-Image1');
  return text && text.value !== '' && photo && photo.hasAttribute('aria-description');
}`;
const kPlainDone = `() => {
  const photo = document.getElementById('photo');
  return photo && photo.complete && photo.naturalWidth > 0 && document.getElementById('text').value !== '';
}`;

// Every folder made for a run, removed when the benchmark exits (done or failed).
const tempFolders = [];
process.on('exit', () => {
  for (const folder of tempFolders) fs.rmSync(folder, { recursive: true, force: true });
});
function tempFolder(prefix) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  tempFolders.push(folder);
  return folder;
}

// The plain page: a picture of the plan (the guide's own, as painted),
// an image map of its spots, the photograph and the text.
function plainSite(planPng, spots) {
  const folder = tempFolder('mirteka-plain-');
  fs.writeFileSync(path.join(folder, 'plan.png'), planPng);
  fs.copyFileSync(path.join(siteDir, facts.entries[0].picture), path.join(folder, facts.entries[0].picture));
  const areas = spots.map((s) => `<area shape="rect" coords="${s.x},${s.y},${s.x + s.w},${s.y + s.h}" href="#" alt="${s.name}">`);
  const text = facts.entries[0].text.replace(/&/g, '&amp;').replace(/</g, '&lt;');
  fs.writeFileSync(path.join(folder, 'index.html'), `<!DOCTYPE html>
<html lang="ja"><head><meta charset="utf-8"><title>plain</title></head>
<body style="margin:0;background:#efefef">
<div style="position:relative;width:679px;height:493px">
<img src="plan.png" usemap="#plan" alt="plan" style="position:absolute;left:0;top:0">
<map name="plan">${areas.join('')}</map>
<img id="photo" src="${facts.entries[0].picture}" alt="" style="position:absolute;left:344px;top:56px;width:328px;height:247px">
<textarea id="text" style="position:absolute;left:8px;top:352px;width:665px;height:129px">${text}</textarea>
</div>
<p id="big"></p></body></html>`);
  return folder;
}

// A 12 MP photograph drawn and encoded by the browser: smooth shading with detail.
async function bigPhoto(browser) {
  const page = await browser.newPage();
  const base64 = await page.evaluate(async () => {
    const canvas = new OffscreenCanvas(4000, 3000);
    const g = canvas.getContext('2d');
    const gradient = g.createLinearGradient(0, 0, 4000, 3000);
    gradient.addColorStop(0, '#d8c8a0');
    gradient.addColorStop(1, '#304860');
    g.fillStyle = gradient;
    g.fillRect(0, 0, 4000, 3000);
    for (let i = 0; i < 4000; i++) {
      g.fillStyle = `hsl(${(i * 37) % 360} 50% ${30 + (i % 40)}%)`;
      g.fillRect((i * 7919) % 4000, (i * 104729) % 3000, 40 + (i % 90), 30 + (i % 70));
    }
    const blob = await canvas.convertToBlob({ type: 'image/jpeg', quality: 0.9 });
    const bytes = new Uint8Array(await blob.arrayBuffer());
    let s = '';
    for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(s);
  });
  await page.close();
  return Buffer.from(base64, 'base64');
}

async function firstFrame(browser, url, condition, watch = '') {
  const page = await browser.newPage();
  await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 1 });
  await page.evaluateOnNewDocument(watchFrame(condition) + watch);
  await page.goto(url, kWait);
  await page.waitForFunction(() => window.frameAt !== null, kWait);
  const ms = await page.evaluate(() => window.frameAt);
  return { page, ms };
}

// The guide's site from `dir` with the 12 MP photograph as entry 2's picture,
// and without its offline worker, so that every run starts from the network.
async function serveGuide(dir, big) {
  const folder = tempFolder('mirteka-big-');
  fs.cpSync(dir, folder, { recursive: true });
  fs.rmSync(path.join(folder, 'sw.js'));
  fs.writeFileSync(path.join(folder, facts.entries[1].picture), big);
  return serve(folder);
}

// One run of the guide: its first frame, the bytes before it, then one entry
// switch to the 12 MP photograph, click to painted frame.
async function guideRun(browser, server, into) {
  server.requests.length = 0;
  const g = await firstFrame(browser, server.url, kGuideDone, watchMilestones);
  into.frame.push(g.ms);
  into.milestones.push(await milestonesOf(g.page));
  into.bytes = server.requests.reduce((sum, r) => sum + r.bytes, 0);
  into.switch.push(await g.page.evaluate(async (option) => {
    const photo = document.getElementById('Form1-Image1');
    const before = photo.getAttribute('aria-description');
    const start = performance.now();
    document.querySelector(`#Form1-${option} input`).click();
    await new Promise((resolve) => {
      const check = () => (photo.getAttribute('aria-description') !== before ? requestAnimationFrame(resolve) : requestAnimationFrame(check));
      check();
    });
    return performance.now() - start;
  }, facts.entries[1].option));
  await g.page.close();
}

async function measure(name, executable, planPng, spots, big) {
  const browser = await puppeteer.launch({
    browser: name, executablePath: executable, headless: true, protocolTimeout: 120000,
    args: name === 'chrome' ? ['--no-sandbox'] : [],
  });
  const guides = [{ dir: siteDir }, ...(beforeDir ? [{ dir: beforeDir }] : [])];
  for (const guide of guides) {
    guide.server = await serveGuide(guide.dir, big);
    guide.result = { frame: [], switch: [], bytes: 0, milestones: [] };
  }
  const result = { guides, plain: [], switchOwn: [] };
  const plainFolder = plainSite(planPng, spots);
  fs.writeFileSync(path.join(plainFolder, 'big.jpg'), big);
  const plain = await serve(plainFolder);
  try {
    for (let i = 0; i < runs; i++) {
      // Taken in turn, first one way round, then the other.
      const order = i % 2 ? [...guides].reverse() : guides;
      for (const guide of order) await guideRun(browser, guide.server, guide.result);

      const p = await firstFrame(browser, plain.url, kPlainDone);
      result.plain.push(p.ms);
      // The browser's own decode of the same file, fetched from the same kind of server.
      result.switchOwn.push(await p.page.evaluate(async (url) => {
        const photo = document.getElementById('photo');
        const start = performance.now();
        photo.src = url;
        await photo.decode();
        // Drawn to the frame's size and read back, so the pixels surely exist.
        const canvas = document.createElement('canvas');
        canvas.width = photo.width;
        canvas.height = photo.height;
        const g = canvas.getContext('2d');
        g.drawImage(photo, 0, 0, canvas.width, canvas.height);
        g.getImageData(0, 0, 1, 1);
        await new Promise((resolve) => requestAnimationFrame(resolve));
        return performance.now() - start;
      }, `${plain.url}big.jpg?${i}`));
      await p.page.close();
    }
  } finally {
    for (const guide of guides) await guide.server.close();
    await plain.close();
    await browser.close();
  }
  return result;
}

async function main() {
  // The plan as the guide paints it, and its spots, for the plain page.
  const site = await serve(siteDir);
  const browser = await puppeteer.launch({ browser: 'chrome', executablePath: kBrowsers.chrome, headless: true, args: ['--no-sandbox'] });
  const page = await browser.newPage();
  await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 1 });
  await page.goto(site.url, kWait);
  await page.waitForFunction(() => document.getElementById('Form1-Image1')?.hasAttribute('aria-description'), kWait);
  const client = await page.$('#Form1-client');
  const planPng = await client.screenshot({ type: 'png' });
  const spots = await page.$$eval('.option', (all) => all.map((o) => ({
    x: o.offsetLeft, y: o.offsetTop, w: o.offsetWidth, h: o.offsetHeight, name: o.querySelector('input').getAttribute('aria-label'),
  })));
  await page.close();
  const big = await bigPhoto(browser);
  await browser.close();
  await site.close();

  const gzipped = (dir) => kCode.reduce((sum, f) => sum + zlib.gzipSync(fs.readFileSync(path.join(dir, f)), { level: 9 }).length, 0);
  console.log(`code before the first photograph: ${kCode.join(', ')}: ${(gzipped(siteDir) / 1024).toFixed(1)} KiB gzipped` +
              (beforeDir ? ` (before: ${(gzipped(beforeDir) / 1024).toFixed(1)} KiB)` : ''));
  console.log(`12 MP photograph: ${(big.length / 1024).toFixed(0)} KiB, 4000 x 3000`);
  console.log(`runs per figure: ${runs} (medians), ${os.cpus().length} cores, load ${os.loadavg()[0].toFixed(1)}`);
  for (const [name, executable] of Object.entries(kBrowsers)) {
    const r = await measure(name, executable, planPng, spots, big);
    const f = (v) => v.toFixed(0).padStart(6);
    const plain = median(r.plain);
    const own = median(r.switchOwn);
    for (const guide of r.guides) {
      const g = guide.result;
      const label = guide.dir === siteDir ? name : `${name} (before: ${beforeDir})`;
      console.log(`${label.padEnd(8)} first frame: guide ${f(median(g.frame))} ms, plain ${f(plain)} ms, ratio ${(median(g.frame) / plain).toFixed(2)}; ` +
                  `bytes before it ${(g.bytes / 1024).toFixed(0)} KiB (uncompressed); ` +
                  `12 MP switch: guide ${f(median(g.switch))} ms, own <img> ${f(own)} ms, ratio ${(median(g.switch) / own).toFixed(2)}`);
      console.log(`${' '.repeat(9)}milestones (ms, medians): ` +
                  kMilestones.map((m) => `${m} ${median(g.milestones.map((x) => x[m] ?? NaN)).toFixed(0)}`).join(', '));
    }
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
