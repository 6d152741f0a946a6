// One worker of the search: its own instance of the module, the settings of
// the search, then chunks of seconds in, their rows out. Messages are
// handled one after the other, in the order they came.
'use strict';
importScripts('morvane-core.js');

let core = null;
let queue = Promise.resolve();
// When the page streams the rows, it gives each chunk's buffer back once
// they are written: a new buffer of megabytes costs the browser more than
// the search fills it in (every page of it fresh), an old one only the copy.
let recycle = false;
let spare = [];
const kSpareMost = 4;

function bufferFor(length) {
  const i = spare.findIndex((b) => b.byteLength >= length);
  if (i >= 0) return new Uint8Array(spare.splice(i, 1)[0], 0, length);
  // The chunks have outgrown the buffers kept: room for those to come.
  spare = [];
  return new Uint8Array(new ArrayBuffer(Math.ceil(length * 1.25 / 65536) * 65536), 0, length);
}

async function handle(message) {
  switch (message.type) {
    case 'init': {
      importScripts('morvane-' + message.kind + '.js');
      core = MorvaneCore.wrap(await MorvaneModule());
      postMessage({ type: 'ready' });
      break;
    }
    case 'prepare': {
      const plan = core.prepare(message.text);
      if (!plan.ok) throw new Error(plan.message);
      recycle = Boolean(message.recycle);
      spare = [];
      break;
    }
    case 'chunk': {
      const { matches, bytes } = core.runChunk(message.walk, message.first, message.count,
        recycle ? bufferFor : undefined);
      postMessage({ type: 'rows', id: message.id, matches, bytes }, [bytes.buffer]);
      break;
    }
    case 'recycle': {
      if (recycle && spare.length < kSpareMost) spare.push(message.buffer);
      break;
    }
  }
}

onmessage = (event) => {
  queue = queue.then(() => handle(event.data)).catch((error) => {
    postMessage({ type: 'error', message: String(error && error.message || error) });
  });
};
