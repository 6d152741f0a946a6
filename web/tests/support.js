// What the browser tests share: the page served from build/web, Debian's
// chromium driven by playwright-core (nothing downloads a browser), the
// native command line to hold the page's bytes against, and the settings
// of small searches.
'use strict';
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

const repo = path.resolve(__dirname, '..', '..');
const site = process.env.MORVANE_WEB_DIR || path.join(repo, 'build', 'web');
const cli = process.env.MORVANE_CLI || path.join(repo, 'build', 'native', 'morvane-cli');
const shots = path.join(site, 'shots');

// The worked example's console.
const kConsole = 'version = B\nmac = 12-34-56-78-9A-BC\nvCount = 60\ntimer0 = C79\ngxStat = 6000000\nframe = 8\n';

function settings(lines) {
  return kConsole + 'startYear = 12\nstartMonth = 11\nstartDay = 29\nendYear = 12\nendMonth = 11\nendDay = 29\n' + lines;
}

function serve() {
  return new Promise((resolve, reject) => {
    const server = spawn(process.execPath, [path.join(repo, 'web', 'serve.js'), site, '0']);
    server.stdout.once('data', (data) => resolve({ url: String(data).trim(), stop: () => server.kill() }));
    server.once('error', reject);
  });
}

async function launch() {
  const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'morvane-chromium-'));
  const args = ['--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  const context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: process.env.MORVANE_CHROMIUM || '/usr/bin/chromium', args, acceptDownloads: true,
    viewport: { width: 1280, height: 900 },
  });
  return {
    context,
    close: async () => {
      await context.close();
      fs.rmSync(userDataDir, { recursive: true, force: true });
    },
  };
}

// Bytes leave the page as base64: an array of numbers crosses far slower.
function toBase64(bytes) {
  return new Promise((resolve) => {
    const reader = new FileReader();
    reader.onload = () => resolve(reader.result.slice(reader.result.indexOf(',') + 1));
    reader.readAsDataURL(new Blob([bytes]));
  });
}

async function open(context, url) {
  const page = await context.newPage();
  await page.addInitScript('window.toBase64 = ' + toBase64.toString());
  await page.goto(url);
  await page.waitForSelector('body[data-ready="1"]');
  return page;
}

// The bytes the page's search API gives (options: workers).
async function pageSearch(page, text, options = {}) {
  const bytes = await page.evaluate(async ([t, o]) => window.toBase64(await window.morvane.search(t, o)),
    [text, options]);
  return Buffer.from(bytes, 'base64');
}

// The native command line's result file for the same settings file.
function cliResult(text, extra = []) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'morvane-cli-'));
  try {
    fs.writeFileSync(path.join(dir, 'settings.txt'), text);
    execFileSync(cli, ['--settings', 'settings.txt', '--output', 'result.txt', '--quiet', ...extra], { cwd: dir });
    return fs.readFileSync(path.join(dir, 'result.txt'));
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

async function downloadBytes(page, selector) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click(selector)]);
  return fs.readFileSync(await download.path());
}

module.exports = { repo, site, shots, settings, serve, launch, open, pageSearch, cliResult, downloadBytes };
