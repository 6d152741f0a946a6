// The module's chunk call under node, the way a worker makes it: one
// instance keeps its search run from chunk to chunk of a walk, so how the
// walk is cut, the order in which walks come and a search prepared in
// between must not change a byte or a count.
'use strict';
const { describe, it, before } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const s = require('./support');
const { MorvaneCore } = require('../morvane-core.js');

const kModule = path.join(s.site, 'morvane-simd');

let core;
before(async () => {
  const MorvaneModule = require(kModule + '.js');
  core = MorvaneCore.wrap(await MorvaneModule({ wasmBinary: fs.readFileSync(kModule + '.wasm') }));
});

// The rows of walk `walk`, seconds from..to - 1, in chunks of `size` seconds,
// each chunk's count checked against its lines.
function rows(walk, from, to, size) {
  const parts = [];
  for (let first = from; first < to; first += size) {
    const { matches, bytes } = core.runChunk(walk, first, Math.min(size, to - first));
    const text = Buffer.from(bytes).toString('latin1');
    assert.equal(matches, text.split('\r\n').length - 1, 'chunk ' + first + ' of walk ' + walk);
    parts.push(text);
  }
  return parts.join('');
}

function prepare(text) {
  const plan = core.prepare(text);
  assert.ok(plan.ok, plan.message);
  return plan;
}

// Every candidate a row, two Timer0 values, and a mode with many rows each.
const kRows = s.settings('startHour = 14\nendHour = 14\nstartMinute = 58\nendMinute = 58\nendSecond = 29\n' +
  'keyInputEnabled = 1\n').replace('timer0 = C79', 'timer0 = C79-C7A');
const kDelivery = s.settings('startHour = 14\nendHour = 14\nstartMinute = 58\nendMinute = 58\nendSecond = 9\n' +
  'deliveryEnabled = 1\n');

describe('chunks of a walk', () => {
  it('give the same rows however the walk is cut and the walks come', () => {
    const plan = prepare(kRows);
    assert.equal(plan.walks, 2);
    const seconds = plan.secondsPerDay;
    const whole = [rows(0, 0, seconds, seconds), rows(1, 0, seconds, seconds)];
    assert.ok(whole[0].length > 100000 && whole[0] !== whole[1]);
    for (const size of [1, 7]) assert.equal(rows(0, 0, seconds, size), whole[0], 'size ' + size);
    // The walks in turn, a chunk of each: the run is set up anew each time.
    const turns = ['', ''];
    for (let first = 0; first < seconds; first += 4)
      for (const walk of [1, 0]) turns[walk] += rows(walk, first, Math.min(first + 4, seconds), 4);
    assert.deepEqual(turns, whole);
    // The second walk as the first of a search of its own.
    prepare(kRows.replace('timer0 = C79-C7A', 'timer0 = C7A-C7B'));
    assert.equal(rows(0, 0, seconds, seconds), whole[1]);
  });

  it('a search prepared in between leaves no trace in the next', () => {
    prepare(kDelivery);
    const delivery = rows(0, 0, 10, 3);
    assert.ok(delivery.length > 10000);
    const plan = prepare(kRows);
    const first = rows(1, 0, plan.secondsPerDay, 5);
    prepare(kDelivery);
    assert.equal(rows(0, 0, 10, 10), delivery);
    prepare(kRows);
    assert.equal(rows(1, 0, plan.secondsPerDay, plan.secondsPerDay), first);
  });
});
