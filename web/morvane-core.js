// The calls of one instance of the WebAssembly module: texts in, answers
// out through the module's one result buffer. Loaded by the page and by
// every worker (importScripts), each with an instance of its own.
(function (scope) {
  'use strict';
  // The smallest module that uses a SIMD instruction: it validates only
  // where the browser has WebAssembly SIMD.
  const kSimdProbe = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0,
    10, 10, 1, 8, 0, 65, 0, 253, 15, 253, 98, 11]);

  function hasSimd() {
    try { return WebAssembly.validate(kSimdProbe); } catch (e) { return false; }
  }

  // 'simd' or 'plain'; `forced` ('plain') picks the portable module anyway.
  function moduleKind(forced) {
    if (forced === 'plain' || !hasSimd()) return 'plain';
    return 'simd';
  }

  function wrap(mod) {
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    function withBytes(bytes, call) {
      const at = mod._malloc(bytes.length + 1);
      mod.HEAPU8.set(bytes, at);
      mod.HEAPU8[at + bytes.length] = 0;
      try { return call(at, bytes.length); } finally { mod._free(at); }
    }
    const withText = (text, call) => withBytes(encoder.encode(text), call);
    // A copy: the heap may move when it grows.
    function result() {
      const at = mod._MvResult();
      return mod.HEAPU8.slice(at, at + mod._MvResultLength());
    }
    const json = () => JSON.parse(decoder.decode(result()));
    return {
      describe() { mod._MvDescribe(); return json(); },
      prepare(text) { withText(text, (at) => mod._MvPrepare(at)); return json(); },
      header() { mod._MvHeader(); return result(); },
      // The chunk's rows as a copy, into the array into(length) gives when
      // there is one.
      runChunk(walk, first, count, into) {
        const matches = mod._MvRunChunk(walk, first, count);
        if (!into) return { matches, bytes: result() };
        const at = mod._MvResult(), length = mod._MvResultLength();
        const bytes = into(length);
        bytes.set(mod.HEAPU8.subarray(at, at + length));
        return { matches, bytes };
      },
      settingsText(text) { withText(text, (at) => mod._MvSettingsText(at)); return decoder.decode(result()); },
      configRead(bytes) { withBytes(bytes, (at, n) => mod._MvConfigRead(at, n)); return decoder.decode(result()); },
      configWrite(text) { withText(text, (at) => mod._MvConfigWrite(at)); return result(); },
    };
  }

  scope.MorvaneCore = { moduleKind, wrap };
})(typeof self !== 'undefined' ? self : this);
