// Runs a program of the WebAssembly build (built with -sMODULARIZE) under
// node: node_run.js PROGRAM.js [ARGS...]; the exit code is the program's. Emscripten 3.1.6 reaches for fetch, which node 18 and later
// have, with a file path it cannot fetch; the module is handed over instead.
'use strict';
const fs = require('fs');
const path = require('path');

const program = path.resolve(process.argv[2]);
require(program)({
  wasmBinary: fs.readFileSync(program.replace(/\.js$/, '.wasm')),
  arguments: process.argv.slice(3),
});
