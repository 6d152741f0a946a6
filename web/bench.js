// make bench-web: the benchmark's cases in headless Chromium, on one worker
// and on every core, beside the native command line's avx2 engine on one
// thread in the same run, each as candidates per second and as a ratio:
//   bench-web: <case> native avx2 <n>/s, wasm 1 worker <n>/s (<ratio> of native),
//              <k> workers <n>/s (<speed-up> x 1 worker)
// Each case's walk grows until the native search takes a second. The rows
// of both go nowhere (the null device, a stream that keeps nothing). Each
// case runs the three measurements in turn, three rounds (--rounds=N), and
// takes the best of each: on a busy machine a single run moves by a third.
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const s = require('./tests/support');

// The cases of bench/search_bench.cpp: the worked example's console and day,
// key input on, one mode's switch.
const kCases = {
  'iv-keys': '', 'iv-roamer': 'roamerEnabled = 1\n', shiny: 'shinyPidEnabled = 1\n',
  breeding: 'breedingEnabled = 1\n', delivery: 'deliveryEnabled = 1\n', comet: 'cometEnabled = 1\n',
  dome: 'domeEnabled = 1\ndomeTrainers = 20 0 0 0 0 0\n', grotto: 'grottoEnabled = 1\n',
};
const rounds = Math.max(1, Number((process.argv.find((a) => a.startsWith('--rounds=')) || '').slice(9)) || 3);
const only = process.argv.slice(2).filter((a) => !a.startsWith('--'));

function minutesText(lines, minutes) {
  const hours = Math.ceil(minutes / 60);
  return s.settings('keyInputEnabled = 1\nstartHour = 0\nendHour = ' + (hours - 1) + '\nendMinute = ' +
    (minutes < 60 ? minutes - 1 : 59) + '\n' + lines);
}

function nativeSeconds(text) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'morvane-bench-'));
  fs.writeFileSync(path.join(dir, 'settings.txt'), text);
  const start = process.hrtime.bigint();
  execFileSync(path.join(s.repo, 'build', 'native', 'morvane-cli'), ['--settings', 'settings.txt',
    '--output', os.devNull, '--quiet', '--threads', '1', '--engine', 'avx2'], { cwd: dir });
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  fs.rmSync(dir, { recursive: true, force: true });
  return seconds;
}

async function pageSeconds(page, text, workers) {
  return page.evaluate(async ([t, w]) => {
    const start = performance.now();
    // The rows go to a stream that keeps nothing, as the native search's go
    // to the null device: what is measured is the search, not the page
    // holding a gigabyte of rows.
    const nothing = { write: async () => {}, close: async () => {} };
    const r = await window.morvane.search(t, { workers: w, writable: nothing });
    if (r.reason !== 'done') throw new Error(r.message || r.reason);
    return (performance.now() - start) / 1000;
  }, [text, workers]);
}

(async () => {
  const server = await s.serve();
  const browser = await s.launch();
  const page = await s.open(browser.context, server.url);
  const cores = await page.evaluate(() => navigator.hardwareConcurrency);
  const engine = await page.textContent('#engine');
  console.log('bench-web: ' + os.cpus()[0].model + ', ' + cores + ' cores, page engine ' + engine);
  for (const [name, lines] of Object.entries(kCases)) {
    if (only.length && !only.includes(name)) continue;
    let minutes = 1, native;
    for (;; minutes *= 2) {
      native = nativeSeconds(minutesText(lines, minutes));
      if (native >= 1 || minutes >= 1440) break;
    }
    const text = minutesText(lines, minutes);
    const candidates = (await page.evaluate(async (t) => (await window.morvane.core()).prepare(t), text)).candidates;
    let one = Infinity, all = Infinity;
    for (let round = 0; round < rounds; ++round) {
      if (round > 0) native = Math.min(native, nativeSeconds(text));
      one = Math.min(one, await pageSeconds(page, text, 1));
      all = Math.min(all, await pageSeconds(page, text, cores));
    }
    const rate = (sec) => Math.round(candidates / sec);
    console.log('bench-web: ' + name + ' native avx2 ' + rate(native) + '/s, wasm 1 worker ' + rate(one) +
      '/s (' + (native / one).toFixed(2) + ' of native), ' + cores + ' workers ' + rate(all) + '/s (' +
      (one / all).toFixed(2) + 'x 1 worker)');
  }
  await browser.close();
  server.stop();
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
