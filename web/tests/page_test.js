// The page in a real browser, headless: Debian's Chromium (CDP) or Firefox
// ESR (WebDriver BiDi) driven by puppeteer-core. Every wait is bounded and
// waits for what the page does, never for a time.
//
//   node page_test.js chrome|firefox SITE_DIR GUIDE_FACTS_JSON
'use strict';

const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { serve } = require('./site_server.js');

const [browserName, siteDir, factsFile] = process.argv.slice(2);
const facts = JSON.parse(fs.readFileSync(factsFile, 'utf8'));
const kWait = { timeout: 20000 };
const kExecutables = { chrome: '/usr/bin/chromium', firefox: '/usr/bin/firefox-esr' };

// The browser under an English locale: the page's words must stay Japanese.
async function launch() {
  return puppeteer.launch({
    browser: browserName,
    executablePath: kExecutables[browserName],
    headless: true,
    protocolTimeout: 60000,
    args: browserName === 'chrome' ? ['--no-sandbox', '--lang=en-US'] : [],
    extraPrefsFirefox: { 'intl.accept_languages': 'en-US', 'intl.locale.requested': 'en-US' },
    env: { ...process.env, LANG: 'en_US.UTF-8', LANGUAGE: 'en_US' },
  });
}

async function open(browser, url, scale = 1) {
  const page = await browser.newPage(); // a browser or a fresh context of one
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setViewport({ width: 800, height: 600, deviceScaleFactor: scale });
  await page.goto(url, kWait);
  await page.waitForFunction(() => document.getElementById('Form1-Text1')?.value !== undefined &&
                             !document.documentElement.classList.contains('busy') &&
                             (document.getElementById('Form1-Text1').value !== '' || document.querySelector('dialog')), kWait);
  page.errors = errors;
  return page;
}

// What the page shows now: the text, the photograph's file, 写真2 and a
// checksum of the frame's pixels as painted.
function state(page) {
  return page.evaluate(() => {
    const image = document.getElementById('Form1-Image1');
    const box = image.getBoundingClientRect();
    let sum = 0;
    for (const canvas of document.querySelectorAll('#Form1-client canvas')) {
      const r = canvas.getBoundingClientRect();
      const x = Math.round((box.left + box.width / 2 - r.left) * canvas.width / r.width);
      const y0 = Math.round((box.top - r.top) * canvas.height / r.height);
      const h = Math.round(box.height * canvas.height / r.height);
      if (x < 0 || x >= canvas.width || y0 < 0 || y0 + h > canvas.height) continue;
      const data = canvas.getContext('2d').getImageData(x, y0, 1, h).data;
      for (let i = 0; i < data.length; i++) sum = (sum * 31 + data[i]) >>> 0;
    }
    return {
      text: document.getElementById('Form1-Text1').value,
      photo: image.getAttribute('aria-description'),
      photo2: !document.getElementById('Form1-Command2').disabled,
      pixels: sum,
      dialog: document.querySelector('dialog[open]')?.innerText ?? null,
    };
  });
}

// The colour painted at (x, y) CSS pixels of the main window's client area:
// the topmost canvas there that covers it.
function pixelAt(page, x, y) {
  return page.evaluate((x, y) => {
    const client = document.getElementById('Form1-client').firstElementChild;
    const layers = [...client.querySelectorAll('canvas')].sort((a, b) => b.style.zIndex - a.style.zIndex);
    for (const canvas of layers) {
      const cx = Math.floor((x - parseFloat(canvas.style.left)) * devicePixelRatio);
      const cy = Math.floor((y - parseFloat(canvas.style.top)) * devicePixelRatio);
      if (cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height) continue;
      const p = canvas.getContext('2d').getImageData(cx, cy, 1, 1).data;
      if (p[3] === 255) return [p[0], p[1], p[2]];
    }
    return null;
  }, x, y);
}

// The frame's mean colour against the browser's own decode of `file` (the
// photographs are upright as stored).
function meanColours(page, file) {
  return page.evaluate(async (file) => {
    const mean = (data) => {
      const m = [0, 0, 0];
      for (let i = 0; i < data.length; i += 4) for (let c = 0; c < 3; c++) m[c] += data[i + c];
      return m.map((v) => v / (data.length / 4));
    };
    const image = new Image();
    image.src = file;
    await image.decode();
    const own = document.createElement('canvas');
    own.width = 32;
    own.height = 32;
    own.getContext('2d').drawImage(image, 0, 0, 32, 32);
    const frame = document.getElementById('Form1-Image1').getBoundingClientRect();
    const client = document.getElementById('Form1-client').firstElementChild.getBoundingClientRect();
    const layers = [...document.querySelectorAll('#Form1-client canvas')];
    const layer = layers.find((c) => {
      const r = c.getBoundingClientRect();
      return r.left <= frame.left && r.top <= frame.top && r.right >= frame.right && r.bottom >= frame.bottom &&
             c.getContext('2d').getImageData((frame.left - r.left + 10) * devicePixelRatio, (frame.top - r.top + 10) * devicePixelRatio, 1, 1).data[3] === 255;
    });
    const r = layer.getBoundingClientRect();
    const g = layer.getContext('2d');
    const shown = g.getImageData((frame.left - r.left) * devicePixelRatio, (frame.top - r.top) * devicePixelRatio,
                                 frame.width * devicePixelRatio, frame.height * devicePixelRatio).data;
    void client;
    return { shown: mean(shown), own: mean(own.getContext('2d').getImageData(0, 0, 32, 32).data) };
  }, file);
}

const settled = (page) => page.waitForFunction(
  () => !document.documentElement.classList.contains('busy'), kWait);
const dialogOpen = (page) => page.waitForSelector('dialog[open]', kWait);
const dialogClosed = (page) => page.waitForFunction(() => !document.querySelector('dialog[open]'), kWait);
const photoName = (file) => `表示中の写真：${file}`;
const lf = (text) => text.replace(/\r\n/g, '\n');

async function check(name, body) {
  process.stdout.write(`${browserName}: ${name} ... `);
  await body();
  console.log('ok');
}

// A copy of the site in which `change(folder)` has removed or spoilt files.
function siteCopy(change) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'mirteka-site-'));
  fs.cpSync(siteDir, folder, { recursive: true });
  fs.rmSync(path.join(folder, 'sw.js')); // a fresh copy every time, no worker in between
  change(folder);
  return folder;
}

async function main() {
  const browser = await launch();
  const site = await serve(siteDir);
  try {
    await check('window size at 1x and 2x, painted at device resolution', async () => {
      for (const scale of [1, 2]) {
        const page = await open(browser, site.url, scale);
        const size = await page.evaluate(() => {
          const client = document.getElementById('Form1-client').firstElementChild;
          const canvases = [...client.querySelectorAll('canvas')];
          return {
            width: client.offsetWidth,
            height: client.offsetHeight,
            crisp: canvases.every((c) => Math.abs(c.width - parseFloat(c.style.width) * devicePixelRatio) < 0.01),
            canvases: canvases.length,
          };
        });
        // The room's yellow below the plan, and a spot's cyan above the white room.
        assert.deepEqual(await pixelAt(page, 100, 310), [0xff, 0xff, 0xc0]);
        assert.deepEqual(await pixelAt(page, 230, 230), [0xc0, 0xff, 0xff]);
        assert.deepEqual([size.width, size.height], [679, 493]);
        assert.ok(size.crisp, `canvases not at ${scale}x`);
        assert.ok(size.canvases >= 2, 'labels must lie between painted layers');
        await page.close();
      }
    });

    const page = await open(browser, site.url);
    await check('start: entry 1, its photograph, focus in the description box', async () => {
      const s = await state(page);
      assert.equal(s.text, lf(facts.entries[0].text));
      assert.equal(s.photo, photoName(facts.entries[0].picture));
      assert.equal(await page.evaluate(() => document.activeElement.id), 'Form1-Text1');
      const colours = await meanColours(page, facts.entries[0].picture);
      for (let c = 0; c < 3; c++)
        assert.ok(Math.abs(colours.shown[c] - colours.own[c]) < 6, `frame ${colours.shown} against ${colours.own}`);
    });

    await check('each spot: its text, its photograph, 写真2; photo buttons', async () => {
      const seen = new Set();
      for (const entry of facts.entries) {
        await page.click(`#Form1-${entry.option} input`);
        await settled(page);
        const s = await state(page);
        assert.equal(s.text, lf(entry.text), entry.option);
        assert.equal(s.photo, photoName(entry.picture), entry.option);
        assert.equal(s.photo2, entry.photo2 !== '', entry.option);
        seen.add(s.pixels);
        if (entry.photo2) {
          await page.click('#Form1-Command2');
          await settled(page);
          const second = await state(page);
          assert.equal(second.photo, photoName(entry.photo2));
          assert.notEqual(second.pixels, s.pixels, 'the frame did not change');
          await page.click('#Form1-Command1');
          await settled(page);
          assert.deepEqual(await state(page), s);
        }
      }
      assert.equal(seen.size, new Set(facts.entries.map((e) => e.picture)).size, 'a photograph was not painted');
    });

    await check('typed text is replaced by the next spot\'s', async () => {
      await page.type('#Form1-Text1', 'typed');
      await page.click(`#Form1-${facts.entries[1].option} input`);
      await settled(page);
      assert.equal((await state(page)).text, lf(facts.entries[1].text));
    });

    await check('keyboard: tab order, arrows in the desktop order, Enter', async () => {
      await page.focus('#Form1-Text1');
      const current = `Form1-${facts.entries[1].option}`;
      const stops = ['Form1-Command1', 'Form1-Command2', current].filter((id) => id !== 'Form1-Command2' || facts.entries[1].photo2);
      const order = [];
      for (const _ of stops) {
        await page.keyboard.press('Tab');
        order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.parentElement.id));
      }
      assert.deepEqual(order, stops);
      const radios = await page.$$eval('input[type=radio]', (all) => all.map((r) => r.parentElement.id));
      const next = radios[(radios.indexOf(current) + 1) % radios.length];
      await page.keyboard.press('ArrowRight');
      await settled(page);
      const entry = facts.entries.find((e) => `Form1-${e.option}` === next);
      assert.equal((await state(page)).text, lf(entry.text));
      await page.keyboard.press('ArrowLeft');
      await settled(page);
      assert.equal((await state(page)).text, lf(facts.entries[1].text));
      await page.focus('#Form1-Text1');
      await page.type('#Form1-Text1', 'x');
      await page.focus(`#${current} input`);
      await page.keyboard.press('Enter');
      await settled(page);
      assert.equal((await state(page)).text, lf(facts.entries[1].text));
    });

    await check('version window: title glides in steps, turns, OK or the close box closes, reopens afresh', async () => {
      // Every position the title takes, recorded by the page from the window's start.
      const record = () => page.evaluate(() => {
        window.glide = [];
        new MutationObserver(() => {
          const left = document.getElementById('Form2-Label1')?.style.left;
          if (left && left !== window.glide.at(-1)) window.glide.push(left);
        }).observe(document.body, { subtree: true, attributes: true, attributeFilter: ['style'] });
      });
      await record();
      // A lone Alt enters the menu bar and Esc gives the focus back.
      await page.focus('#Form1-Text1');
      await page.keyboard.press('Alt');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'Form1-End');
      await page.keyboard.press('Escape');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'Form1-Text1');
      await page.keyboard.press('F10');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'Form1-End');
      await page.keyboard.press('ArrowRight');
      await page.keyboard.press('Enter');
      await dialogOpen(page);
      const text = await page.$eval('dialog[open]', (d) => d.innerText);
      assert.ok(text.includes(facts.version.label1), 'the title is not page text');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'Form2-Command1');
      await page.waitForFunction(() => window.glide.length > 90, { timeout: 60000 });
      const geometry = await page.evaluate(() => ({
        width: document.getElementById('Form2-Label1').offsetWidth,
        outer: document.querySelector('dialog[open]').offsetWidth,
        glide: window.glide,
      }));
      // The rule, in single-precision twips, from the title's place in the layout.
      const f = Math.fround;
      const v = facts.version;
      let left = f(v.left);
      let right = true;
      const expected = [`${Math.round(left / 15)}px`];
      while (expected.length < 91) {
        if (right) {
          left = f(left + 100);
          if (f(f(geometry.width * 15) + left) > f(f(geometry.outer * 15) - 200)) right = false;
        } else {
          left = f(left - 100);
          if (left < f(f(v.imageWidth + v.imageLeft) + 200)) right = true;
        }
        expected.push(`${Math.round(left / 15)}px`);
      }
      const seen = geometry.glide.slice(0, 91).map((p) => `${Math.round(parseFloat(p))}px`);
      assert.deepEqual(seen, expected);
      await page.keyboard.press('Enter');
      await dialogClosed(page);
      await record();
      await page.click('#Form1-Ver');
      await dialogOpen(page);
      await page.waitForFunction(() => window.glide.length > 2, kWait);
      const again = await page.evaluate(() => window.glide.slice(0, 3).map((p) => `${Math.round(parseFloat(p))}px`));
      assert.deepEqual(again, expected.slice(0, 3), 'reopened, the title did not start afresh');
      await page.click('#Form2-Command1');
      await dialogClosed(page);
      // The close box: a button named for screen readers, Tab's next stop after OK, ending the window
      // as OK does, by key and by click; each window has its own.
      for (const byKey of [true, false]) {
        await page.click('#Form1-Ver');
        await dialogOpen(page);
        assert.equal(await page.$eval('#Form2-Close', (b) => `${b.tagName} ${b.getAttribute('aria-label')}`), 'BUTTON 閉じる');
        if (byKey) {
          await page.keyboard.press('Tab');
          assert.equal(await page.evaluate(() => document.activeElement.id), 'Form2-Close');
          await page.keyboard.press('Enter');
        } else await page.click('#Form2-Close');
        await dialogClosed(page);
      }
    });

    await check('accessibility: spots as radio buttons named after their places, buttons, text box', async () => {
      const radios = await page.$$eval('input[type=radio]', (all) => all.map((r) => r.getAttribute('aria-label')));
      assert.deepEqual([...radios].sort(), facts.entries.map((e) => e.name).sort());
      if (browserName === 'chrome') { // the tree as the browser builds it (CDP only)
        const tree = await page.accessibility.snapshot({ interestingOnly: true });
        const nodes = [];
        const walk = (n) => { nodes.push(n); (n.children || []).forEach(walk); };
        walk(tree);
        for (const entry of facts.entries)
          assert.ok(nodes.some((n) => n.role === 'radio' && n.name === entry.name), entry.name);
        for (const name of ['写真1', '写真2', '終了', 'バージョン情報'])
          assert.ok(nodes.some((n) => /button|menuitem/.test(n.role) && n.name === name), name);
        assert.ok(nodes.some((n) => n.role === 'textbox' && n.name === '説明' && n.multiline), 'text box');
      }
    });

    await check('exit question under an English locale: いいえ stays, はい ends', async () => {
      await page.click('#Form1-End');
      await dialogOpen(page);
      const question = await page.evaluate(() => {
        const d = document.querySelector('dialog[open]');
        return { caption: d.querySelector('.caption').textContent, prompt: d.querySelector('.prompt').textContent,
                 buttons: [...d.querySelectorAll('button')].map((b) => b.textContent), focused: document.activeElement.textContent };
      });
      assert.deepEqual(question, { caption: '終了', prompt: '終了します。', buttons: ['はい(Y)', 'いいえ(N)'], focused: 'はい(Y)' });
      await page.keyboard.press('Tab');
      await page.keyboard.press('Enter');
      await dialogClosed(page);
      assert.equal((await state(page)).text, lf(facts.entries[1].text));
      assert.deepEqual(page.errors, []);
      // The tab closes where the browser lets the page close it, else the page is left empty.
      await page.click('#Form1-End');
      await dialogOpen(page);
      const closed = new Promise((resolve) => page.once('close', () => resolve('closed')));
      await page.keyboard.press('Enter');
      const emptied = (async () => {
        await page.waitForFunction(() => document.body.classList.contains('ended') && !document.body.firstChild, kWait);
        return 'ended';
      })();
      const ended = await Promise.race([
        closed,
        emptied.catch((error) => Promise.race([closed, new Promise((_, no) => setTimeout(() => no(error), 5000))])),
      ]);
      console.log(`(${ended})`);
    });
    if (!page.isClosed()) await page.close();

    await check('offline after the first visit: the page, its code and every photograph', async () => {
      // A fresh profile whose only visit is the page's start; then the server goes away.
      const context = await browser.createBrowserContext();
      const visited = await serve(siteDir);
      const p = await open(context, visited.url);
      await p.waitForFunction(async () => (await navigator.serviceWorker.getRegistration())?.active?.state === 'activated', kWait);
      await visited.close();
      await p.reload(kWait);
      await p.waitForFunction(() => document.getElementById('Form1-Text1')?.value !== '', kWait);
      for (const entry of facts.entries) {
        await p.click(`#Form1-${entry.option} input`);
        await settled(p);
        assert.equal((await state(p)).photo, photoName(entry.picture), entry.option);
      }
      await context.close();
    });

    const missing = facts.entries.find((e) => e.picture !== facts.entries[0].picture);
    const damaged = facts.entries.find((e) => e !== missing && e.picture !== facts.entries[0].picture);
    const spoilt = siteCopy((folder) => {
      fs.rmSync(path.join(folder, missing.picture));
      const file = path.join(folder, damaged.picture);
      fs.writeFileSync(file, fs.readFileSync(file).subarray(0, 600)); // cut off in its first scan
    });
    const spoiltSite = await serve(spoilt);
    await check('missing and damaged photographs: えらー with the name, the old picture kept', async () => {
      const p = await open(browser, spoiltSite.url);
      const before = await state(p);
      for (const entry of [missing, damaged]) {
        await p.click(`#Form1-${entry.option} input`);
        await dialogOpen(p);
        const s = await state(p);
        assert.equal(s.text, lf(entry.text), 'the text comes before the picture');
        assert.ok(s.dialog.includes('えらー') && s.dialog.includes(`画像ファイル「${entry.picture}」がみつかりません。`), s.dialog);
        await p.keyboard.press('Enter');
        await dialogClosed(p);
        await settled(p);
        const after = await state(p);
        assert.equal(after.photo, before.photo);
        assert.equal(after.pixels, before.pixels);
      }
      await p.close();
    });
    await spoiltSite.close();

    const noFirst = siteCopy((folder) => fs.rmSync(path.join(folder, facts.entries[0].picture)));
    const noFirstSite = await serve(noFirst);
    await check('a missing first photograph is reported at start, the frame left empty', async () => {
      const p = await browser.newPage();
      await p.goto(noFirstSite.url, kWait);
      await dialogOpen(p);
      const s = await state(p);
      assert.ok(s.dialog.includes(`「${facts.entries[0].picture}」`));
      assert.equal(s.photo, null);
      await p.keyboard.press('Enter');
      await dialogClosed(p);
      await p.close();
    });
    await noFirstSite.close();
  } finally {
    await site.close();
    await browser.close();
  }
}

main().catch((error) => {
  console.error(`\n${browserName}: FAILED: ${error.stack || error}`);
  process.exit(1);
});
