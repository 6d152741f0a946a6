// One worker of the search: its own instance of the module, the settings of
// the search, then chunks of seconds in, their rows out. Messages are
// handled one after the other, in the order they came.
'use strict';
importScripts('morvane-core.js');

let core = null;
let queue = Promise.resolve();

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
      break;
    }
    case 'chunk': {
      const { matches, bytes } = core.runChunk(message.walk, message.first, message.count);
      postMessage({ type: 'rows', id: message.id, matches, bytes }, [bytes.buffer]);
      break;
    }
  }
}

onmessage = (event) => {
  queue = queue.then(() => handle(event.data)).catch((error) => {
    postMessage({ type: 'error', message: String(error && error.message || error) });
  });
};
