// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The receiver's page: everything shown comes from the program's state messages, and
// everything done is a message to the program, which applies its own rules and answers.
'use strict';

const PRESETS = 16;
const HOLD_DELAY_MS = 400;
const REPEAT_MS = 100;
const key = new URLSearchParams(location.hash.slice(1)).get('key');

let socket = null;
let state = null;
let retryMs = 1000;
// While a step button is held: the frequency asked for last, ahead of what the program shows.
let target = null;

const $ = (id) => document.getElementById(id);

function send(message) {
  if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
}

function say(text, refused) {
  const said = $('said');
  said.textContent = text;
  said.classList.toggle('refused', refused);
}

function setConnected(connected) {
  const connection = $('connection');
  connection.textContent = connected ? 'povezano' : 'ni povezave';
  connection.classList.toggle('lost', !connected);
  for (const control of document.querySelectorAll('main button, main input, main select'))
    control.disabled = !connected;
}

function show(next) {
  const first = state === null;
  state = next;
  $('frequency').textContent = state.frequency;
  $('status').textContent = state.status;
  $('band').textContent = `Meje: ${state.lowest}–${state.highest} kHz`;
  const entry = $('kilohertz');
  entry.min = state.lowest;
  entry.max = state.highest;
  for (let n = 1; n <= PRESETS; ++n) {
    $(`m${n}`).setAttribute('aria-pressed', String(state.selected === n));
    $(`note${n}`).textContent = state.notes[n - 1];
  }
  $('store').hidden = !state.stores;
  $('no-store').hidden = state.stores;
  // The limits being typed are the user's until saved; a fresh page shows the stored ones.
  if (first || document.activeElement?.closest('#limits-form') === null) {
    [$('lowest').value, $('highest').value] = state.limits;
  }
}

function connect() {
  const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
  const query = key ? `?key=${encodeURIComponent(key)}` : '';
  socket = new WebSocket(`${scheme}//${location.host}/ws${query}`);
  socket.onopen = () => {
    retryMs = 1000;
    setConnected(true);
  };
  socket.onmessage = (event) => {
    const message = JSON.parse(event.data);
    if (message.type === 'state') show(message);
    else if (message.type === 'said') say(message.text, message.refused);
  };
  socket.onclose = (event) => {
    socket = null;
    setConnected(false);
    if (event.reason) say(event.reason, true);
    setTimeout(connect, retryMs);
    retryMs = Math.min(retryMs * 2, 10000);
  };
}

function step(kilohertz) {
  if (!state) return;
  const from = target ?? state.kHz;
  const to = Math.min(state.highest, Math.max(state.lowest, from + kilohertz));
  target = to;
  send({do: 'tune', kHz: to});
}

// A step button steps once when pressed, then again and again while it is held. Held input
// is merged by the program: only the newest frequency is ever tuned.
function holdToRepeat(button) {
  const kilohertz = Number(button.dataset.step);
  let delay = null;
  let repeat = null;
  const release = () => {
    clearTimeout(delay);
    clearInterval(repeat);
    delay = repeat = null;
    target = null;
  };
  button.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) return;
    button.setPointerCapture(event.pointerId);
    release();
    step(kilohertz);
    delay = setTimeout(() => { repeat = setInterval(() => step(kilohertz), REPEAT_MS); },
                       HOLD_DELAY_MS);
  });
  for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) {
    button.addEventListener(end, release);
  }
  // From the keyboard (Enter or Space, repeated by the keyboard itself while held).
  button.addEventListener('click', (event) => {
    if (event.detail === 0) step(kilohertz);
  });
  button.addEventListener('keyup', () => { target = null; });
  button.addEventListener('contextmenu', (event) => event.preventDefault());
}

function buildPresets() {
  const presets = $('presets');
  const slot = $('slot');
  for (let n = 1; n <= PRESETS; ++n) {
    const preset = document.createElement('div');
    preset.className = 'preset';
    const button = document.createElement('button');
    button.type = 'button';
    button.id = `m${n}`;
    button.textContent = `M${n}`;
    button.setAttribute('aria-pressed', 'false');
    button.setAttribute('aria-describedby', `note${n}`);
    button.addEventListener('click', () => send({do: 'recall', preset: n}));
    const note = document.createElement('span');
    note.id = `note${n}`;
    note.className = 'note';
    preset.append(button, note);
    presets.append(preset);
    const option = document.createElement('option');
    option.value = String(n);
    option.textContent = `M${n}`;
    slot.append(option);
  }
}

function wholeNumber(text) {
  return /^\s*-?\d+\s*$/.test(text) ? Number(text) : null;
}

function start() {
  buildPresets();
  for (const button of document.querySelectorAll('[data-step]')) holdToRepeat(button);
  $('readout').addEventListener('click', () => $('kilohertz').focus());
  $('entry').addEventListener('submit', (event) => {
    event.preventDefault();
    const kilohertz = wholeNumber($('kilohertz').value);
    if (kilohertz === null) return say('Frekvenca mora biti celo število kHz.', true);
    send({do: 'tune', kHz: kilohertz});
  });
  $('store-form').addEventListener('submit', (event) => {
    event.preventDefault();
    send({do: 'store', preset: Number($('slot').value), note: $('note').value});
  });
  $('limits-form').addEventListener('submit', (event) => {
    event.preventDefault();
    send({do: 'limits', lowest: $('lowest').value, highest: $('highest').value});
  });
  setConnected(false);
  $('connection').textContent = 'povezovanje …';
  connect();
}

start();
