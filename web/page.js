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

  // A text of the module's table: UTF-8, or the result file's code page 932
  // bytes in hexadecimal.
  function textOf(entry) {
    if (typeof entry === 'string') return entry;
    const bytes = new Uint8Array(entry.cp932.length / 2);
    for (let i = 0; i < bytes.length; ++i) bytes[i] = parseInt(entry.cp932.substr(2 * i, 2), 16);
    return sjis.decode(bytes);
  }

  // One value's control: a check box, a list of the field's entries, or a
  // text box taking what a settings file takes.
  function control(field, index) {
    let input;
    if (field.kind === 'bool') {
      input = document.createElement('input');
      input.type = 'checkbox';
    } else if (field.list) {
      input = document.createElement('select');
      // Entry i stores first + i.
      const entries = field.list.lead.concat(field.list.names.map(textOf));
      entries.forEach((text, i) => input.add(new Option(text, String(field.list.first + i))));
    } else {
      input = document.createElement('input');
      input.type = 'text';
      if (field.kind === 'int' || field.kind === 'uint16') {
        input.inputMode = 'numeric';
        if (field.count > 1) input.className = 'short';
      }
    }
    input.name = field.name;
    input.dataset.index = index;
    return input;
  }

  function fieldElement(field) {
    const row = document.createElement('div');
    row.className = 'field';
    row.dataset.name = field.name;
    const label = document.createElement('label');
    label.textContent = field.caption || field.help;
    label.title = field.name + ': ' + field.help;
    row.appendChild(label);
    const values = document.createElement('div');
    values.className = 'values';
    const labels = field.labels ? field.labels.map(textOf) : null;
    const count = field.kind === 'int' || field.kind === 'bool' ? field.count : 1;
    for (let i = 0; i < count; ++i) {
      const input = control(field, i);
      if (labels) {
        const l = document.createElement('label');
        l.append(labels[i], input);
        values.appendChild(l);
      } else {
        values.appendChild(input);
      }
    }
    row.appendChild(values);
    const message = document.createElement('div');
    message.className = 'message';
    row.appendChild(message);
    return row;
  }

  // The table's order, except that each time range's end follows its start,
  // as on the window's line ("時刻: 0 時～ 23 時 0 分～ 59 分 ...").
  function windowOrder(fields) {
    const order = [];
    for (const field of fields) {
      if (order.includes(field)) continue;
      order.push(field);
      const range = /^start(Hour|Minute|Second)$/.exec(field.name);
      const end = range && fields.find((f) => f.name === 'end' + range[1]);
      if (end) order.push(end);
    }
    return order;
  }

  // The groups of the table in its order: the window's parts, then a panel
  // per mode, shown while its switch is on. The switches stand together
  // above the panels, as the window's check boxes do.
  function buildForm() {
    const host = $('fields');
    const switches = new Map(table.modes.filter((m) => m.switch).map((m) => [m.switch, m.mode]));
    const groups = new Map();
    const group = (key) => {
      if (!groups.has(key)) {
        const set = document.createElement('fieldset');
        set.dataset.group = key;
        const mode = table.modes.find((m) => m.mode === key);
        if (mode && mode.switch) {
          set.className = 'mode-panel';
          set.dataset.switch = mode.switch;
        }
        host.appendChild(set);
        groups.set(key, set);
      }
      return groups.get(key);
    };
    for (const field of windowOrder(table.fields)) {
      const element = fieldElement(field);
      if (switches.has(field.name)) {
        element.classList.add('switch');
        group('switches').appendChild(element);
      } else {
        group(field.group).appendChild(element);
      }
    }
    for (const set of groups.values()) {
      const legend = document.createElement('legend');
      const mode = set.dataset.switch && table.fields.find((f) => f.name === set.dataset.switch);
      legend.textContent = mode ? mode.caption : set.dataset.group;
      set.prepend(legend);
    }
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
    const parts = inputs.length > 1 || inputs[0].type === 'checkbox' ? value.trim().split(/\s+/) : [value];
    inputs.forEach((input, i) => {
      const part = parts[i] === undefined ? '' : parts[i];
      if (input.type === 'checkbox') input.checked = part === '1' || part === 'true';
      else if (input.tagName === 'SELECT' && !Array.from(input.options).some((o) => o.value === part)) {
        // A value outside the list stays as it is, for the check to name.
        input.add(new Option(part, part));
        input.value = part;
      } else input.value = part;
    });
  }

  function fieldValue(field) {
    const inputs = document.querySelectorAll('[name="' + field.name + '"]');
    return Array.from(inputs, (i) => (i.type === 'checkbox' ? (i.checked ? '1' : '0') : i.value)).join(' ');
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
