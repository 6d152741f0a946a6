// The page: the form built from the module's table of settings fields and
// of modes, the console kept in the browser's storage, the search through
// window.morvane.search, the progress, the first rows and the downloads,
// config.txt and settings files in and out, and the link of a search.
(function () {
  'use strict';
  const kTableRows = 200;           // rows shown while the search runs
  const kConsoleKey = 'morvane.console';
  const $ = (id) => document.getElementById(id);
  const sjis = new TextDecoder('shift_jis');
  let table = null;                 // the module's description
  let result = null;                // bytes of the last search
  let controller = null;

  // --- the form -------------------------------------------------------------

  function labelsOf(field) {
    // A list of switches names its entries after the colon of its help.
    const after = field.help.split(':')[1];
    const words = after ? after.trim().split(/\s+/) : [];
    return words.length === field.count ? words : null;
  }

  function fieldElement(field) {
    const row = document.createElement('div');
    row.className = 'field';
    row.dataset.name = field.name;
    const label = document.createElement('label');
    label.textContent = field.help;
    label.title = field.name + ' (' + field.option + ')';
    row.appendChild(label);
    const values = document.createElement('div');
    values.className = 'values';
    if (field.kind === 'bool') {
      const labels = field.count > 1 ? labelsOf(field) : null;
      for (let i = 0; i < field.count; ++i) {
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.name = field.name;
        if (labels) {
          const l = document.createElement('label');
          l.append(box, labels[i]);
          values.appendChild(l);
        } else {
          values.appendChild(box);
        }
      }
    } else {
      const input = document.createElement('input');
      input.type = 'text';
      input.name = field.name;
      input.inputMode = field.kind === 'int' || field.kind === 'uint16' ? 'numeric' : 'text';
      values.appendChild(input);
    }
    row.appendChild(values);
    const message = document.createElement('div');
    message.className = 'message';
    row.appendChild(message);
    return row;
  }

  // The groups of the form: the console, the search itself, and one panel
  // per mode holding the fields named after it, shown while its switch is on.
  function buildForm() {
    const host = $('fields');
    const groups = new Map();
    const group = (key, title) => {
      if (!groups.has(key)) {
        const set = document.createElement('fieldset');
        const legend = document.createElement('legend');
        legend.textContent = title;
        set.appendChild(legend);
        set.dataset.group = key;
        host.appendChild(set);
        groups.set(key, set);
      }
      return groups.get(key);
    };
    group('console', 'console');
    group('search', 'search');
    const modeOf = (name) => table.modes.find((m) => m.switch && name !== m.switch && name.startsWith(m.mode));
    table.fields.forEach((field, index) => {
      const mode = modeOf(field.name);
      let set;
      if (index < table.consoleFields) set = group('console', 'console');
      else if (mode) {
        set = group(mode.mode, mode.mode);
        set.classList.add('mode-panel');
        set.dataset.switch = mode.switch;
      } else set = group('search', 'search');
      set.appendChild(fieldElement(field));
    });
    host.addEventListener('change', showPanels);
  }

  function showPanels() {
    for (const panel of document.querySelectorAll('.mode-panel')) {
      const box = document.querySelector('input[name="' + panel.dataset.switch + '"]');
      panel.hidden = !(box && box.checked);
    }
  }

  function setField(name, value) {
    const inputs = document.querySelectorAll('[name="' + name + '"]');
    if (!inputs.length) return;
    if (inputs[0].type === 'checkbox') {
      const parts = value.trim().split(/\s+/);
      inputs.forEach((box, i) => { box.checked = parts[i] === '1' || parts[i] === 'true'; });
    } else {
      inputs[0].value = value;
    }
  }

  function fieldValue(field) {
    const inputs = document.querySelectorAll('[name="' + field.name + '"]');
    if (inputs[0].type === 'checkbox') return Array.from(inputs, (b) => (b.checked ? '1' : '0')).join(' ');
    return inputs[0].value;
  }

  // name = value lines (a settings file's own lines; '#' comments skipped).
  function parseLines(text) {
    const values = [];
    for (const line of text.split('\n')) {
      const bare = line.replace(/#.*/, '').trim();
      const eq = bare.indexOf('=');
      if (eq > 0) values.push([bare.slice(0, eq).trim(), bare.slice(eq + 1).trim()]);
    }
    return values;
  }

  // fromInitial: every field not named takes its initial value first, the
  // console the one kept in the browser's storage.
  function fillForm(text, fromInitial) {
    if (fromInitial) {
      for (const f of table.fields) setField(f.name, f.value);
      for (const [name, value] of parseLines(localStorage.getItem(kConsoleKey) || '')) setField(name, value);
    }
    for (const [name, value] of parseLines(text)) setField(name, value);
    showPanels();
  }

  function formText() {
    return table.fields.map((f) => f.name + ' = ' + fieldValue(f)).join('\n') + '\n';
  }

  function consoleText() {
    return table.fields.slice(0, table.consoleFields).map((f) => f.name + ' = ' + fieldValue(f)).join('\n') + '\n';
  }

  function clearMarks() {
    for (const row of document.querySelectorAll('.field.bad')) {
      row.classList.remove('bad');
      row.querySelector('.message').textContent = '';
    }
  }

  // The command line's message at the field it names (or under the form).
  function mark(field, message) {
    const row = field && document.querySelector('.field[data-name="' + field + '"]');
    if (row) {
      row.classList.add('bad');
      row.querySelector('.message').textContent = message;
      row.scrollIntoView({ block: 'nearest' });
    }
    $('status').textContent = message;
  }

  // --- the search -----------------------------------------------------------

  function clock(seconds) {
    if (seconds === null || !isFinite(seconds)) return '-';
    const s = Math.round(seconds);
    return Math.floor(s / 3600) + ':' + String(Math.floor(s / 60) % 60).padStart(2, '0') + ':' +
      String(s % 60).padStart(2, '0');
  }

  function showProgress(p) {
    $('bar').value = p.percent;
    $('status').textContent = p.date + '  ' + p.percent.toFixed(1) + '%  ' + Math.round(p.rate) +
      ' candidates/s  rows ' + p.rows + '  left ' + clock(p.secondsLeft) + '  (' + p.engine + ', ' +
      p.workers + ' workers)';
  }

  function tableRows() {
    let shown = 0;
    let pending = '';
    const body = $('rows');
    body.textContent = '';
    return (bytes) => {
      if (shown > kTableRows) return;
      pending += sjis.decode(bytes, { stream: true });
      const lines = pending.split('\r\n');
      pending = lines.pop();
      for (const line of lines) {
        if (shown++ > kTableRows) break;
        const tr = document.createElement('tr');
        for (const cell of line.split(',')) {
          const td = document.createElement(shown === 1 ? 'th' : 'td');
          td.textContent = cell;
          tr.appendChild(td);
        }
        body.appendChild(tr);
      }
    };
  }

  async function pickStream() {
    if (!$('stream').checked || !window.showSaveFilePicker) return null;
    const handle = await window.showSaveFilePicker({ suggestedName: 'result.txt' });
    return handle.createWritable();
  }

  async function start(event) {
    if (event) event.preventDefault();
    if (window.morvane.running) return;
    clearMarks();
    const text = formText();
    const core = await window.morvane.core();
    const plan = core.prepare(text);
    if (!plan.ok) return mark(plan.field, plan.message);
    localStorage.setItem(kConsoleKey, consoleText());
    history.replaceState(null, '', '#settings=' + encodeURIComponent(text));
    $('link').href = location.href;
    result = null;
    $('downloads').hidden = true;
    $('start').disabled = true;
    $('stop').disabled = false;
    controller = new AbortController();
    try {
      const writable = await pickStream();
      result = await window.morvane.search(text, {
        workers: Number($('workers').value) || undefined,
        onProgress: showProgress, onRows: tableRows(), signal: controller.signal, writable,
      });
      const end = { done: '', stopped: ' (中断)', bound: ' ' + result.message }[result.reason];
      $('status').textContent += '\n' + result.rows + ' rows' + end;
      $('downloads').hidden = writable !== null;
    } catch (error) {
      mark(error.field, error.message);
    } finally {
      $('start').disabled = false;
      $('stop').disabled = true;
    }
  }

  // --- files ----------------------------------------------------------------

  function download(name, bytes, type) {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  function readFile(input) {
    return new Promise((resolve) => {
      const file = input.files[0];
      if (!file) return;
      file.arrayBuffer().then((buffer) => {
        input.value = '';
        resolve(new Uint8Array(buffer));
      });
    });
  }

  async function wireFiles() {
    const core = await window.morvane.core();
    $('config-import').addEventListener('change', async (e) => {
      fillForm(core.configRead(await readFile(e.target)), false);
      localStorage.setItem(kConsoleKey, consoleText());
    });
    $('config-export').addEventListener('click', () => {
      clearMarks();
      const bytes = core.configWrite(formText());
      if (bytes.length) download('config.txt', bytes, 'text/plain');
      else mark('', 'the console does not read');
    });
    $('settings-import').addEventListener('change', async (e) => {
      fillForm(new TextDecoder().decode(await readFile(e.target)), true);
    });
    // A settings file is written only for settings a search would take.
    $('settings-export').addEventListener('click', () => {
      clearMarks();
      const plan = core.prepare(formText());
      if (!plan.ok) return mark(plan.field, plan.message);
      download('settings.txt', new TextEncoder().encode(core.settingsText(formText())), 'text/plain');
    });
    $('download').addEventListener('click', () => download('result.txt', result, 'text/plain'));
    $('download-utf8').addEventListener('click', () => {
      const text = sjis.decode(result).replace(/\r\n/g, '\n');
      download('result.txt', new TextEncoder().encode(text), 'text/plain;charset=utf-8');
    });
  }

  // --- start ----------------------------------------------------------------

  async function main() {
    const core = await window.morvane.core();
    table = core.describe();
    $('engine').textContent = table.engine;
    buildForm();
    fillForm('', true);
    $('workers').value = navigator.hardwareConcurrency || 1;
    $('stream-choice').hidden = !window.showSaveFilePicker;
    $('form').addEventListener('submit', start);
    $('stop').addEventListener('click', () => controller && controller.abort());
    $('link').addEventListener('click', (e) => {
      e.preventDefault();
      history.replaceState(null, '', '#settings=' + encodeURIComponent(formText()));
      navigator.clipboard && navigator.clipboard.writeText(location.href).catch(() => {});
    });
    await wireFiles();
    // #settings=<settings text through encodeURIComponent>, then &run to start.
    const hash = location.hash;
    if (hash.startsWith('#settings=')) {
      const run = hash.endsWith('&run');
      const body = hash.slice('#settings='.length, run ? -'&run'.length : undefined);
      fillForm(decodeURIComponent(body), true);
      if (run) start();
    }
    document.body.dataset.ready = '1';
  }

  main();
})();
