// Screenshots of the page for docs/: the main window at its start in Chromium
// and Firefox ESR, and the version window in Chromium.
//
//   NODE_PATH=<puppeteer-core's node_modules> node web/tests/screenshots.js SITE_DIR OUT_DIR
'use strict';

const path = require('path');
const puppeteer = require('puppeteer-core');
const { serve } = require('./site_server.js');

const [siteDir, outDir] = process.argv.slice(2);
const kWait = { timeout: 30000 };

async function main() {
  const site = await serve(siteDir);
  for (const [name, executable, file] of [['chrome', '/usr/bin/chromium', 'web-chromium'],
                                          ['firefox', '/usr/bin/firefox-esr', 'web-firefox']]) {
    const browser = await puppeteer.launch({ browser: name, executablePath: executable, headless: true,
                                             args: name === 'chrome' ? ['--no-sandbox'] : [],
                                             ignoreDefaultArgs: ['--hide-scrollbars'] });
    const page = await browser.newPage();
    await page.setViewport({ width: 679, height: 513, deviceScaleFactor: 1 });
    await page.goto(site.url, kWait);
    await page.waitForFunction(() => document.getElementById('Form1-Image1')?.hasAttribute('aria-description') &&
                               !document.documentElement.classList.contains('busy'), kWait);
    await (await page.$('#Form1')).screenshot({ path: path.join(outDir, `${file}.png`) });
    if (name === 'chrome') {
      await page.click('#Form1-Ver');
      await page.waitForSelector('dialog[open]', kWait);
      await (await page.$('dialog[open]')).screenshot({ path: path.join(outDir, 'web-version-window.png') });
    }
    await browser.close();
  }
  await site.close();
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
