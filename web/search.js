// The search on every core: window.morvane.search(settingsText, options)
// resolves to the bytes of the result file ("result.txt": code page 932,
// CR LF), byte for byte what the command line writes for the same settings
// file, and rejects with the command line's message on bad input.
//
// The page's own module reads and checks the settings and gives the walk's
// plan; the walk (every Timer0/VCount walk, its days, the seconds of a day)
// is cut into chunks of seconds in walk order, as the command line's
// parallel walk cuts it. Each worker holds an instance of the module and
// evaluates the chunks it is handed, every key mask of each second; the
// rows come back in any order and are written in the order of the chunks,
// so the bytes are a one-thread walk's whatever the number of workers.
//
// Stopping (options.signal, or morvane.stop()) ends the workers at once:
// the result holds the rows of every chunk written so far, complete rows
// only; the rows of the chunks still running are dropped.
//
// Memory: the rows are kept in the page up to options.maxBytes (default
// kMaxBytes). A search that would keep more writes to options.writable (a
// file the user picked, where the browser offers one) instead, or stops at
// the bound with every row written so far and reason 'bound'.
(function () {
  'use strict';

  const kChunkMost = 65536;       // candidates of a chunk at most
  const kChunkLeast = 64;         // and at least, when the rows size it
  // Until the first chunk comes back the rows are unknown: the delivery's
  // default settings write a hundred rows a candidate, and a first chunk of
  // kChunkMost would hold half a gigabyte of them, past what a worker's
  // memory can grow to. The first chunks are a second's key masks each.
  const kChunkFirst = 1024;
  const kChunkRowBytes = 2 << 20; // the rows a chunk should hold, about
  const kMaxBytes = 256 << 20;    // result bytes the page keeps in memory
  const kProgressMillis = 100;
  const kMaxWorkers = 64;

  let mainCore = null;
  let running = null;  // the search in progress: its stop()
  let searches = 0;    // searches started
  // The workers of the searches that ended with every chunk back, for the
  // next ones: their modules are loaded and the browser has compiled their
  // hot code fully (a new worker runs its first chunks on code compiled for
  // a quick start). A search that stops or fails within a chunk ends its
  // workers.
  let idle = { kind: null, workers: [] };

  function moduleKind() {
    return MorvaneCore.moduleKind(new URLSearchParams(location.search).get('engine'));
  }

  function loadScript(src) {
    return new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = src;
      script.onload = resolve;
      script.onerror = () => reject(new Error('cannot load ' + src));
      document.head.appendChild(script);
    });
  }

  async function core() {
    if (!mainCore) {
      await loadScript('morvane-' + moduleKind() + '.js');
      mainCore = MorvaneCore.wrap(await MorvaneModule());
    }
    return mainCore;
  }

  function startWorker(kind) {
    const worker = new Worker('worker.js');
    const ready = new Promise((resolve, reject) => {
      worker.onmessage = (event) => {
        if (event.data.type === 'ready') resolve();
        else reject(new Error(event.data.message));
      };
      worker.onerror = (event) => reject(new Error(event.message || 'worker failed'));
    });
    worker.postMessage({ type: 'init', kind });
    return { worker, ready, inFlight: 0 };
  }

  function concat(parts, total) {
    const out = new Uint8Array(total);
    let at = 0;
    for (const part of parts) {
      out.set(part, at);
      at += part.length;
    }
    return out;
  }

  function dateOf(plan, second) {
    const day = Math.min(Math.floor(second / Math.max(1, plan.secondsPerDay)), plan.days.length / 3 - 1);
    const pad = (n) => String(n).padStart(2, '0');
    return plan.days[3 * day] + '-' + pad(plan.days[3 * day + 1]) + '-' + pad(plan.days[3 * day + 2]);
  }

  // The length of the complete lines (each ending in CR LF) within room bytes.
  function rowsEnd(bytes, room) {
    for (let at = Math.min(room, bytes.length); at >= 2; --at)
      if (bytes[at - 2] === 13 && bytes[at - 1] === 10) return at;
    return 0;
  }

  function countLines(bytes) {
    let n = 0;
    for (let i = 0; i < bytes.length; ++i) if (bytes[i] === 10) ++n;
    return n;
  }

  async function search(settingsText, options = {}) {
    if (running) throw new Error('a search is running');
    const c = await core();
    const plan = c.prepare(String(settingsText));
    if (!plan.ok) {
      const error = new Error(plan.message);
      error.field = plan.field;
      throw error;
    }
    const header = c.header();
    const count = Math.max(1, Math.min(kMaxWorkers, Math.floor(options.workers ||
      navigator.hardwareConcurrency || 1)));
    const maxBytes = options.maxBytes || kMaxBytes;
    const kind = moduleKind();
    if (idle.kind !== kind) {
      for (const p of idle.workers) p.worker.terminate();
      idle = { kind, workers: [] };
    }
    const pool = idle.workers.splice(0, count);
    while (pool.length < count) pool.push(startWorker(kind));

    return new Promise((resolve, reject) => {
      const secondsPerWalk = plan.days.length / 3 * plan.secondsPerDay;
      const masks = plan.masksPerSecond;
      const began = performance.now();
      const parts = [];
      let kept = 0;          // bytes in parts
      let written = 0;       // bytes of the result, kept or streamed
      let rows = 0;
      let done = 0;          // candidates of the chunks written
      let made = 0;          // candidates of the chunks come back
      let madeBytes = 0;     // their rows' bytes
      let nextWalk = 0, nextSecond = 0, nextId = 0, nextWrite = 0;
      let lastSecond = 0;
      const chunks = new Map();   // id -> chunk, from handed out to written
      let lastReport = 0;
      let ended = false;
      let streamed = Promise.resolve();

      function report(force) {
        if (!options.onProgress) return;
        const now = performance.now();
        if (!force && now - lastReport < kProgressMillis) return;
        lastReport = now;
        const seconds = (now - began) / 1000;
        const rate = seconds > 0 ? done / seconds : 0;
        options.onProgress({
          date: dateOf(plan, lastSecond), candidates: done, total: plan.candidates,
          percent: plan.candidates > 0 ? 100 * done / plan.candidates : 100,
          rate, rows, bytes: written, secondsLeft: rate > 0 ? (plan.candidates - done) / rate : null,
          engine: plan.engine, workers: count,
        });
      }

      function finish(reason, message) {
        if (ended) return;
        ended = true;
        running = null;
        if (reason === 'done' && pool.every((p) => p.inFlight === 0)) {
          for (const p of pool) p.worker.onmessage = null;
          idle.workers.unshift(...pool);
        } else {
          for (const p of pool) p.worker.terminate();
        }
        report(true);
        streamed.then(async () => {
          if (options.writable) await options.writable.close();
          const result = options.writable ? new Uint8Array(0) : concat(parts, kept);
          result.rows = rows;
          result.candidates = done;
          result.reason = reason;     // 'done', 'stopped' or 'bound'
          result.message = message || '';
          result.engine = plan.engine;
          resolve(result);
        }, reject);
      }

      function fail(error) {
        if (ended) return;
        ended = true;
        running = null;
        for (const p of pool) p.worker.terminate();
        reject(error);
      }

      // False when the bound stops the search before these bytes. Streamed
      // rows go back to their worker (from) once written: the writable must
      // be done with them when its write's promise resolves, as a file's is.
      function write(bytes, from) {
        if (options.writable) {
          streamed = streamed.then(() => options.writable.write(bytes)).then(() => {
            if (from) from.worker.postMessage({ type: 'recycle', buffer: bytes.buffer }, [bytes.buffer]);
          });
        } else {
          if (kept + bytes.length > maxBytes) return false;
          parts.push(bytes);
          kept += bytes.length;
        }
        written += bytes.length;
        if (options.onRows) options.onRows(bytes);
        return true;
      }

      // The next chunk of the walk in walk order, sized by the rows so far.
      function nextChunk() {
        while (nextWalk < plan.walks && nextSecond >= secondsPerWalk) {
          ++nextWalk;
          nextSecond = 0;
        }
        if (nextWalk >= plan.walks) return null;
        let candidates = made > 0 ? kChunkMost : kChunkFirst;
        if (made > 0 && madeBytes > 0)
          candidates = Math.min(kChunkMost, Math.max(kChunkLeast, kChunkRowBytes / 2 / (madeBytes / made)));
        const seconds = Math.min(secondsPerWalk - nextSecond, Math.max(1, Math.floor(candidates / masks)));
        const chunk = { id: nextId++, walk: nextWalk, first: nextSecond, count: seconds, result: null };
        nextSecond += seconds;
        return chunk;
      }

      function dispatch() {
        const window = 2 * count + 2;
        for (const p of pool) {
          while (!ended && p.inFlight < 2 && nextId - nextWrite < window) {
            const chunk = nextChunk();
            if (!chunk) return;
            chunks.set(chunk.id, chunk);
            ++p.inFlight;
            p.worker.postMessage({ type: 'chunk', id: chunk.id, walk: chunk.walk, first: chunk.first,
              count: chunk.count });
          }
        }
      }

      // Writes the chunks that have come back, in their order.
      function drain() {
        for (let chunk; (chunk = chunks.get(nextWrite)) && chunk.result;) {
          if (!write(chunk.result.bytes, chunk.result.from)) {
            // The chunk's complete rows that still fit, then the end.
            const fit = chunk.result.bytes.subarray(0, rowsEnd(chunk.result.bytes, maxBytes - kept));
            write(fit);
            rows += countLines(fit);
            finish('bound', 'the result outgrew ' + (maxBytes / 1048576).toFixed(1) +
              ' MiB: the search stopped there, with every row found before it');
            return;
          }
          rows += chunk.result.matches;
          done += chunk.count * masks;
          lastSecond = chunk.first + chunk.count - 1;
          chunks.delete(nextWrite++);
        }
        report(false);
        if (nextWrite === nextId && !nextChunk.peek()) finish('done');
      }
      nextChunk.peek = () => {
        while (nextWalk < plan.walks && nextSecond >= secondsPerWalk) {
          ++nextWalk;
          nextSecond = 0;
        }
        return nextWalk < plan.walks;
      };

      for (const p of pool) {
        p.worker.onerror = (event) => fail(new Error(event.message || 'worker failed'));
      }
      running = { stop: () => finish('stopped') };
      ++searches;
      if (options.signal) {
        if (options.signal.aborted) return finish('stopped');
        options.signal.addEventListener('abort', () => finish('stopped'));
      }
      write(header);
      report(true);
      Promise.all(pool.map((p) => p.ready)).then(() => {
        if (ended) return;
        for (const p of pool) {
          p.worker.onmessage = (event) => {
            const m = event.data;
            if (m.type === 'error') return fail(new Error(m.message));
            if (m.type !== 'rows' || ended) return;
            --p.inFlight;
            const chunk = chunks.get(m.id);
            chunk.result = { bytes: m.bytes, matches: m.matches, from: p };
            made += chunk.count * masks;
            madeBytes += m.bytes.length;
            drain();
            dispatch();
          };
          p.worker.postMessage({ type: 'prepare', text: String(settingsText), recycle: Boolean(options.writable) });
        }
        dispatch();
        if (nextId === 0) drain();  // a walk with no second
      }, fail);
    });
  }

  function stop() {
    if (running) running.stop();
  }

  window.morvane = {
    search, stop,
    core,
    get running() { return running !== null; },
    get searches() { return searches; },
    get workersKept() { return idle.workers.length; },
  };
})();
