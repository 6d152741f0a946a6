// The page in headless Chromium, held against the native command line.
'use strict';
const { describe, it, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const s = require('./support');

// Each mode's switch with a small walk: a minute of key masks for the modes
// that match rarely, twenty seconds without key input for those that write
// many rows per candidate.
const keyMinute = 'startHour = 14\nendHour = 14\nstartMinute = 58\nendMinute = 58\nkeyInputEnabled = 1\n' +
  'excludeOppositeAndReset = 0\n';
const plainMinute = 'startHour = 14\nendHour = 14\nstartMinute = 58\nendMinute = 58\nendSecond = 19\n';
const kModes = {
  iv: keyMinute + 'ivMin = 31 31 31 0 31 31\n',
  shiny: keyMinute + 'shinyPidEnabled = 1\nshinyTrainerId = 12345\nshinySecretId = 54321\n',
  breeding: plainMinute + 'breedingEnabled = 1\n',
  delivery: plainMinute + 'deliveryEnabled = 1\n',
  comet: keyMinute + 'cometEnabled = 1\n',
  dome: plainMinute + 'domeEnabled = 1\n',
  grotto: keyMinute + 'grottoEnabled = 1\n',
};

let server, browser, page;
before(async () => {
  fs.mkdirSync(s.shots, { recursive: true });
  server = await s.serve();
  browser = await s.launch();
  page = await s.open(browser.context, server.url);
});
after(async () => {
  await browser.close();
  server.stop();
});

// Fills the form from a settings file through its import, starts the search
// with the button and returns the downloaded result file.
async function formSearch(p, text, download = '#download') {
  const file = path.join(s.shots, 'import-settings.txt');
  fs.writeFileSync(file, text);
  await p.setInputFiles('#settings-import', file);
  await p.click('#start');
  await p.waitForSelector('#downloads:not([hidden])');
  return s.downloadBytes(p, download);
}

describe('every mode through the form', () => {
  for (const [mode, lines] of Object.entries(kModes)) {
    it(mode + ' downloads the command line\'s bytes, on the SIMD and the plain module', async () => {
      const text = s.settings(lines);
      const want = s.cliResult(text);
      assert.ok(want.length > 0);
      assert.deepEqual(await formSearch(page, text), want);
      const plain = await s.open(browser.context, server.url + '?engine=plain');
      assert.equal(await plain.textContent('#engine'), 'portable');
      assert.deepEqual(await s.pageSearch(plain, text), want);
      await plain.close();
    });
  }

  it('a Timer0 range adds the command line\'s columns, and UTF-8 is its --utf8', async () => {
    const text = s.settings(keyMinute + 'ivMin = 31 31 31 0 31 31\n').replace('timer0 = C79', 'timer0 = C79-C7A');
    assert.deepEqual(await formSearch(page, text), s.cliResult(text));
    assert.deepEqual(await s.downloadBytes(page, '#download-utf8'), s.cliResult(text, ['--utf8']));
    await page.setViewportSize({ width: 1280, height: 900 });
    await page.screenshot({ path: path.join(s.shots, 'desktop.png') });
    await page.setViewportSize({ width: 390, height: 844 });
    await page.screenshot({ path: path.join(s.shots, 'phone.png'), fullPage: false });
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    assert.ok(overflow <= 0, 'the page is ' + overflow + ' px wider than the phone');
    await page.setViewportSize({ width: 1280, height: 900 });
  });
});

describe('the workers', () => {
  it('one worker and four give the same bytes', async () => {
    // Ten minutes of key masks: about ten chunks.
    const text = s.settings('keyInputEnabled = 1\nstartHour = 14\nendHour = 14\nendMinute = 9\n' +
      'ivMin = 0 0 0 0 0 0\nivMax = 31 31 31 31 31 1\n');
    const one = await s.pageSearch(page, text, { workers: 1 });
    assert.ok(one.length > 10000);
    assert.deepEqual(await s.pageSearch(page, text, { workers: 4 }), one);
    assert.deepEqual(one, s.cliResult(text));
    // The workers of a finished search serve the next ones (the modes above
    // and these searches ran on them), as many as each asks for.
    assert.equal(await page.evaluate(() => window.morvane.workersKept), 4);
    const two = await page.evaluate(async (t) => {
      let kept = -1;
      const r = await window.morvane.search(t, { workers: 2,
        onProgress: () => { if (kept < 0) kept = window.morvane.workersKept; } });
      return { kept, bytes: await window.toBase64(r) };
    }, text);
    assert.equal(two.kept, 2);
    assert.deepEqual(Buffer.from(two.bytes, 'base64'), one);
    assert.equal(await page.evaluate(() => window.morvane.workersKept), 4);
  });

  it('rows streamed to a writable that takes its time are the whole result', async () => {
    // Every candidate a row: several chunks, each buffer given back to its
    // worker only when its write is done.
    const text = s.settings('keyInputEnabled = 1\nstartHour = 14\nendHour = 14\nendMinute = 1\n' +
      'ivMin = 0 0 0 0 0 0\n');
    const streamed = await page.evaluate(async (t) => {
      const parts = [];
      let closed = false;
      const writable = {
        write: async (bytes) => {
          await new Promise((resolve) => setTimeout(resolve, 3));
          parts.push(bytes.slice());
        },
        close: async () => { closed = true; },
      };
      const r = await window.morvane.search(t, { workers: 2, writable });
      const whole = new Uint8Array(parts.reduce((n, p) => n + p.length, 0));
      parts.reduce((at, p) => (whole.set(p, at), at + p.length), 0);
      return { bytes: await window.toBase64(whole), chunks: parts.length, closed, kept: r.length };
    }, text);
    assert.ok(streamed.chunks > 4 && streamed.closed && streamed.kept === 0);
    assert.deepEqual(Buffer.from(streamed.bytes, 'base64'), s.cliResult(text));
  });

  it('中断 keeps complete rows only, the start of the whole result', async () => {
    // Two hours, stopped as soon as rows have come: far more than the
    // chunks in flight then, however fast the engine.
    const text = s.settings('keyInputEnabled = 1\nstartHour = 0\nendHour = 1\nivMin = 0 0 0 0 0 0\nivMax = 31 31 31 31 31 0\n');
    const stopped = await page.evaluate(async (t) => {
      const controller = new AbortController();
      const r = await window.morvane.search(t, { workers: 2, signal: controller.signal,
        onProgress: (p) => { if (p.rows > 0) controller.abort(); } });
      return { bytes: await window.toBase64(r), reason: r.reason, running: window.morvane.running };
    }, text);
    assert.equal(stopped.reason, 'stopped');
    assert.equal(stopped.running, false);
    // Stopped within their chunks, its two workers end with the search; the
    // two the test before kept and this search did not take stay.
    assert.equal(await page.evaluate(() => window.morvane.workersKept), 2);
    const bytes = Buffer.from(stopped.bytes, 'base64');
    const whole = s.cliResult(text);
    const lines = bytes.toString('latin1').split('\r\n');
    assert.equal(lines.pop(), '', 'the result ends with a line end');
    assert.ok(lines.length > 1 && bytes.length < whole.length);
    assert.deepEqual(bytes.subarray(0, Math.min(bytes.length, whole.length)),
      whole.subarray(0, Math.min(bytes.length, whole.length)));
  });

  it('a result past the bound stops with every row so far and says so', async () => {
    const text = s.settings('startHour = 0\nendHour = 0\n');
    const r = await page.evaluate(async (t) => {
      const res = await window.morvane.search(t, { workers: 2, maxBytes: 20000 });
      return { length: res.length, rows: res.rows, reason: res.reason, message: res.message,
        last: res[res.length - 1] };
    }, text);
    assert.equal(r.reason, 'bound');
    assert.match(r.message, /stopped/);
    assert.ok(r.length <= 20000 && r.rows > 0 && r.last === 10);
  });
});

describe('bad input', () => {
  const cases = [
    ['startMonth', 'startMonth = 13\n'],
    ['startDay', 'startMonth = 2\nstartDay = 30\n'],
    ['endDay', 'endDay = 28\n'],
    ['ivMin', 'ivMin = 31 31 31 31 31 31\nivMax = 31 31 31 31 31 30\n'],
    ['mac', 'mac = 12-34-56-78-9A\n'],
    ['timer0', 'timer0 = C7G\n'],
    ['ivConsumptionEnd', 'roamerEnabled = 1\nivConsumptionEnd = 618\n'],
    ['hiddenPowerType', 'hiddenPowerType = 16\n'],
  ];
  it('each kind marks its field with the command line\'s message and starts nothing', async () => {
    for (const [field, lines] of cases) {
      const text = s.settings(lines);
      const file = path.join(s.shots, 'bad.txt');
      fs.writeFileSync(file, text);
      await page.setInputFiles('#settings-import', file);
      const searches = await page.evaluate(() => window.morvane.searches);
      await page.click('#start');
      const message = await page.textContent('.field.bad[data-name="' + field + '"] .message');
      assert.ok(message.length > 0, field);
      assert.equal(await page.evaluate(() => window.morvane.running), false);
      assert.equal(await page.evaluate(() => window.morvane.searches), searches, field);
      const rejected = await page.evaluate((t) => window.morvane.search(t).then(() => null, (e) => e.message), text);
      assert.equal(rejected, message, field);
    }
    await page.screenshot({ path: path.join(s.shots, 'bad-input.png') });
  });
});

describe('links and files', () => {
  it('a shared link fills the form and runs', async () => {
    const text = s.settings(kModes.iv);
    const linked = await s.open(browser.context, server.url + '#settings=' + encodeURIComponent(text) + '&run');
    await linked.waitForSelector('#downloads:not([hidden])');
    assert.equal(await linked.inputValue('[name="mac"]'), '12-34-56-78-9A-BC');
    assert.deepEqual(await s.downloadBytes(linked, '#download'), s.cliResult(text));
    await linked.close();
  });

  it('config.txt and settings files round-trip, and the console is kept', async () => {
    await s.pageSearch(page, s.settings(kModes.iv));
    await formSearch(page, s.settings(kModes.iv));
    const config = path.join(s.shots, 'config.txt');
    fs.writeFileSync(config, '5f\nc7a\n6000000\n9\n12-34-56-78-9A-BD\n02215F30\n');
    await page.setInputFiles('#config-import', config);
    await page.waitForFunction(() => document.querySelector('[name="timer0"]').value === 'C7A');
    assert.equal(await page.inputValue('[name="version"]'), 'W');
    assert.deepEqual(await s.downloadBytes(page, '#config-export'), fs.readFileSync(config));
    const exported = await s.downloadBytes(page, '#settings-export');
    const file = path.join(s.shots, 'exported.txt');
    fs.writeFileSync(file, exported);
    await page.setInputFiles('#settings-import', file);
    assert.deepEqual(await s.downloadBytes(page, '#settings-export'), exported);
    const again = await s.open(browser.context, server.url);
    assert.equal(await again.inputValue('[name="mac"]'), '12-34-56-78-9A-BD');
    await again.close();
  });
});
