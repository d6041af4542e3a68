// The page of `ovrimo-sim serve`: shows the phone's screen as the server streams its frames and
// sends the hand's actions to it. Actions go out one at a time, in order; a move waiting to be
// sent is replaced by a newer move of the same finger, so a slow phone never falls behind the hand.
"use strict";

const screenBox = document.getElementById("screen-box");
const canvas = document.getElementById("screen");
const device = document.getElementById("device");
const statusLine = document.getElementById("status");
const profileSelect = document.getElementById("profile");

let phone = { width: 375, height: 667, profile: "", boots: -1 };
// This page's own name for its fingers: another page open on the same phone has other fingers.
const pageId = Math.random().toString(36).slice(2, 10) + Date.now().toString(36);

function say(text, isError) {
  statusLine.textContent = text;
  statusLine.classList.toggle("error", !!isError);
}

// ---- Talking to the server, in order ----

const waiting = [];
let sending = false;

function send(path, body, options = {}) {
  // A move still waiting behind only other moves is overtaken by this one: same order, fewer steps.
  if (options.replaces) {
    for (let i = waiting.length - 1; i >= 0 && waiting[i].replaces; i--) {
      if (waiting[i].replaces === options.replaces) {
        waiting[i].body = body;
        return;
      }
    }
  }
  waiting.push({ path, body, replaces: options.replaces, raw: options.raw, quiet: options.quiet, file: options.file });
  pump();
}

async function pump() {
  if (sending) return;
  sending = true;
  while (waiting.length) {
    const item = waiting.shift();
    try {
      const response = await fetch(item.path, {
        method: "POST",
        headers: { "Content-Type": item.raw ? "application/octet-stream" : "application/json" },
        body: item.raw ? item.body : JSON.stringify(item.body),
      });
      const answer = await response.json().catch(() => ({}));
      if (item.file) {
        item.file.batch.settle(item.file.name, response.ok, answer.error || ("refused (" + response.status + ")"));
      } else if (!response.ok) {
        if (!item.quiet) say(answer.error || ("refused (" + response.status + ")"), true);
      } else if (item.done) {
        item.done(answer);
      } else if (answer.path) {
        say("Added " + answer.path);
      } else if (answer.files !== undefined) {
        say("Restored " + answer.files + " files from the archive");
      }
    } catch (e) {
      if (item.file) item.file.batch.settle(item.file.name, false, "the simulator does not answer");
      else say("The simulator does not answer: " + e.message, true);
    }
  }
  sending = false;
}

// ---- The screen ----

// The server streams binary messages (sim/FrameStream.h): a header, the rectangles that changed and
// their encoded bytes. Each message is drawn whole, in order, onto the canvas.
const context = canvas.getContext("2d");
// For tests and the curious: pictures drawn (the messages that arrived together make one), the
// messages in them, when the last was drawn (performance.now()), the time spent decoding and
// drawing them, bytes read, the frame shown.
window.ovrimoFrames = { drawn: 0, messages: 0, lastDrawnAt: 0, drawingMs: 0, bytes: 0, frame: 0 };

const kHeaderBytes = 20, kRectBytes = 16, kStillHere = 4;
const kTypes = ["image/png", "image/jpeg"];

// The rectangles of one message, or null for a keep-alive.
function parseMessage(view, bytes) {
  const frame = view.getUint32(0, true), boots = view.getUint32(4, true);
  const width = view.getUint16(8, true), height = view.getUint16(10, true);
  const count = view.getUint16(12, true), flags = view.getUint16(14, true);
  if (flags & kStillHere) return null;
  const rects = [];
  let at = kHeaderBytes - 4 + count * kRectBytes;
  for (let i = 0; i < count; i++) {
    const r = kHeaderBytes - 4 + i * kRectBytes;
    const length = view.getUint32(r + 12, true);
    rects.push({
      x: view.getUint16(r, true), y: view.getUint16(r + 2, true), width: view.getUint16(r + 4, true), height: view.getUint16(r + 6, true),
      blob: new Blob([bytes.subarray(at, at + length)], { type: kTypes[view.getUint8(r + 8)] || "image/png" }),
    });
    at += length;
  }
  return { frame, boots, width, height, rects };
}

// Draws the messages that arrived together as one picture: every rectangle of every message is
// decoded first, then all are drawn in order. A page that fell behind (a slow decoder, a busy
// machine) so catches up in one step instead of replaying each frame it missed.
async function drawMessages(messages) {
  if (!messages.length) return;
  if (messages.some((m) => m.boots !== phone.boots)) {
    takeState(await (await fetch("api/state")).json());
    fingers.clear();
  }
  const started = performance.now();
  const pictures = await Promise.all(messages.map((m) => Promise.all(m.rects.map((r) => createImageBitmap(r.blob)))));
  messages.forEach((m, i) => {
    if (canvas.width !== m.width || canvas.height !== m.height) {
      canvas.width = m.width;
      canvas.height = m.height;
    }
    pictures[i].forEach((picture, j) => {
      // A moving picture may come smaller than its rectangle: stretched over it.
      const r = m.rects[j];
      if (picture.width === r.width && picture.height === r.height) context.drawImage(picture, r.x, r.y);
      else context.drawImage(picture, r.x, r.y, r.width, r.height);
      picture.close();
    });
  });
  window.ovrimoFrames.drawn++;
  window.ovrimoFrames.messages += messages.length;
  window.ovrimoFrames.frame = messages[messages.length - 1].frame;
  window.ovrimoFrames.lastDrawnAt = performance.now();
  window.ovrimoFrames.drawingMs += window.ovrimoFrames.lastDrawnAt - started;
  tellDrawn(window.ovrimoFrames.frame);
}

// The stream sends a frame or two beyond what the page says it drew: one word in flight at a
// time, the newest frame drawn when it leaves.
let drawnToTell = null, tellingDrawn = false;
async function tellDrawn(frame) {
  drawnToTell = frame;
  if (tellingDrawn) return;
  tellingDrawn = true;
  while (drawnToTell !== null) {
    const body = JSON.stringify({ page: pageId, frame: drawnToTell });
    drawnToTell = null;
    try {
      await fetch("api/drawn", { method: "POST", headers: { "Content-Type": "application/json" }, body });
    } catch (e) {
      // The stream is gone too; a new one starts unpaced by anything old.
    }
  }
  tellingDrawn = false;
}

// Reads the stream for as long as it lasts, then opens it again.
async function listen() {
  while (true) {
    try {
      const response = await fetch("api/stream?page=" + pageId, { cache: "no-store" });
      if (!response.ok || !response.body) throw new Error("refused (" + response.status + ")");
      if (statusLine.classList.contains("error")) say("Connected");
      const reader = response.body.getReader();
      let pending = new Uint8Array(0);
      while (true) {
        const { value, done } = await reader.read();
        if (done) break;
        window.ovrimoFrames.bytes += value.length;
        const joined = new Uint8Array(pending.length + value.length);
        joined.set(pending);
        joined.set(value, pending.length);
        let start = 0;
        const messages = [];
        while (joined.length - start >= 4) {
          const length = new DataView(joined.buffer, start, 4).getUint32(0, true);
          if (joined.length - start - 4 < length) break;
          const body = joined.subarray(start + 4, start + 4 + length);
          const message = parseMessage(new DataView(body.buffer, body.byteOffset, body.length), body);
          if (message) messages.push(message);
          start += 4 + length;
        }
        pending = joined.slice(start);
        await drawMessages(messages);
      }
    } catch (e) {
      // The simulator went away or stopped; try again shortly.
    }
    say("Waiting for the simulator…", true);
    await new Promise((resolve) => setTimeout(resolve, 1000));
  }
}

function fit() {
  screenBox.style.width = phone.width + "px";
  screenBox.style.height = phone.height + "px";
  device.classList.toggle("pad", phone.width >= 700);
  device.style.transform = "none";
  const stage = document.getElementById("stage");
  const scale = Math.min(1, (stage.clientWidth - 24) / device.offsetWidth, (stage.clientHeight - 24) / device.offsetHeight);
  device.style.transform = "scale(" + scale + ")";
}
window.addEventListener("resize", fit);

function takeState(state) {
  const changed = state.width !== phone.width || state.height !== phone.height;
  phone = { width: state.width, height: state.height, profile: state.profile, boots: state.boots };
  document.getElementById("profile-line").textContent = state.profile + ", " + state.width + " × " + state.height + " points";
  if ([...profileSelect.options].some(o => o.value === state.profile)) profileSelect.value = state.profile;
  if (changed || !screenBox.style.width) fit();
}

async function start() {
  const state = await (await fetch("api/state")).json();
  for (const p of state.profiles) {
    const option = document.createElement("option");
    option.value = p.name;
    option.textContent = p.description;
    profileSelect.appendChild(option);
  }
  takeState(state);
  listen();
}

// ---- The hand ----

// A point of the screen, in the phone's points, kept on the screen.
function pointOf(event) {
  const r = screenBox.getBoundingClientRect();
  const x = (event.clientX - r.left) * phone.width / r.width;
  const y = (event.clientY - r.top) * phone.height / r.height;
  return { x: Math.min(Math.max(x, 0), phone.width - 0.01), y: Math.min(Math.max(y, 0), phone.height - 0.01) };
}

function clampPoint(p) {
  return { x: Math.min(Math.max(p.x, 0), phone.width - 0.01), y: Math.min(Math.max(p.y, 0), phone.height - 0.01) };
}

const fingers = new Map(); // pointer id → finger number
let altPinch = null;       // { anchor, startY } while Alt-dragging

function freeFinger() {
  for (let f = 0; f < 5; f++) if (![...fingers.values()].includes(f)) return f;
  return -1;
}

function touch(phase, finger, p) {
  send("api/touch", { phase, finger, x: p.x, y: p.y, page: pageId }, phase === "move" ? { replaces: "move" + finger } : {});
}

function pinchFingers(anchor, scale) {
  const d = 40 * scale;
  return [clampPoint({ x: anchor.x - d, y: anchor.y }), clampPoint({ x: anchor.x + d, y: anchor.y })];
}

screenBox.addEventListener("pointerdown", (event) => {
  event.preventDefault();
  screenBox.setPointerCapture(event.pointerId);
  const p = pointOf(event);
  if (event.altKey && event.pointerType === "mouse" && fingers.size === 0) {
    altPinch = { anchor: p, startY: event.clientY };
    const [a, b] = pinchFingers(p, 1);
    touch("down", 0, a);
    touch("down", 1, b);
    return;
  }
  const finger = freeFinger();
  if (finger < 0) return;
  fingers.set(event.pointerId, finger);
  touch("down", finger, p);
});

screenBox.addEventListener("pointermove", (event) => {
  if (altPinch) {
    const scale = Math.exp((altPinch.startY - event.clientY) / 150);
    const [a, b] = pinchFingers(altPinch.anchor, scale);
    touch("move", 0, a);
    touch("move", 1, b);
    return;
  }
  const finger = fingers.get(event.pointerId);
  if (finger !== undefined) touch("move", finger, pointOf(event));
});

function lift(event) {
  if (altPinch) {
    const scale = Math.exp((altPinch.startY - event.clientY) / 150);
    const [a, b] = pinchFingers(altPinch.anchor, scale);
    touch("up", 0, a);
    touch("up", 1, b);
    altPinch = null;
    return;
  }
  const finger = fingers.get(event.pointerId);
  if (finger === undefined) return;
  fingers.delete(event.pointerId);
  touch("up", finger, pointOf(event));
}
screenBox.addEventListener("pointerup", lift);
screenBox.addEventListener("pointercancel", (event) => {
  fingers.delete(event.pointerId);
  altPinch = null;
  if (fingers.size === 0) send("api/touch", { phase: "cancel", page: pageId });
});

// The wheel pinches about the pointer: the turns of a moment make one pinch.
let wheel = null;
screenBox.addEventListener("wheel", (event) => {
  event.preventDefault();
  if (!wheel) wheel = { point: pointOf(event), scale: 1, timer: 0 };
  wheel.scale = Math.min(5, Math.max(0.2, wheel.scale * Math.exp(-event.deltaY / 300)));
  clearTimeout(wheel.timer);
  wheel.timer = setTimeout(() => {
    const w = wheel;
    wheel = null;
    if (Math.abs(w.scale - 1) > 0.01) send("api/pinch", { x: w.point.x, y: w.point.y, scale: w.scale });
  }, 150);
}, { passive: false });

// ---- Keys, buttons, profile ----

function typingInPage(event) {
  const t = event.target;
  return t instanceof HTMLInputElement || t instanceof HTMLSelectElement || t instanceof HTMLTextAreaElement;
}

document.addEventListener("keydown", (event) => {
  if (typingInPage(event) || event.ctrlKey || event.metaKey || event.altKey) return;
  if (event.key === "Backspace") {
    event.preventDefault();
    send("api/key", { key: "Backspace" });
  } else if (event.key.length === 1 || [...event.key].length === 1) {
    event.preventDefault();
    send("api/key", { text: event.key });
  }
});

for (const button of document.querySelectorAll("[data-button]"))
  button.addEventListener("click", () => send("api/button", { name: button.dataset.button }));
document.getElementById("home-button").addEventListener("click", () => send("api/button", { name: "home" }));
document.getElementById("search-form").addEventListener("submit", (event) => {
  event.preventDefault();
  send("api/button", { name: "search", query: document.getElementById("search-query").value });
});

document.getElementById("reboot").addEventListener("click", () => {
  say("Rebooting into " + profileSelect.value + "…");
  waiting.push({ path: "api/profile", body: { name: profileSelect.value }, done: () => say("Booted " + profileSelect.value) });
  pump();
});

// ---- Files ----

// The files of one drop (or one choice, or one paste): each is named with its outcome, and a
// refusal stays in the status line however many files after it succeed.
class FileBatch {
  constructor(count) {
    this.count = count;
    this.added = [];
    this.refused = [];
  }
  settle(name, ok, why) {
    if (ok) this.added.push(name);
    else this.refused.push(name + ": " + why);
    const lines = [];
    if (this.added.length) lines.push("Added " + this.added.join(", "));
    lines.push(...this.refused);
    const open = this.count - this.added.length - this.refused.length;
    if (open > 0) lines.push(open + " more on the way…");
    say(lines.join("\n"), this.refused.length > 0);
  }
}

function addFiles(files) {
  const batch = new FileBatch(files.length);
  for (const file of files) {
    if (/\.zip$/i.test(file.name) || file.type === "application/zip") {
      say("Uploading " + file.name + "…");
      send("api/icons.zip", file, { raw: true, file: { batch, name: file.name } });
    } else if (/^image\/(png|jpeg)$/.test(file.type) || /\.(png|jpe?g)$/i.test(file.name)) {
      send("api/photo?name=" + encodeURIComponent(file.name), file, { raw: true, file: { batch, name: file.name } });
    } else {
      batch.settle(file.name, false, "neither a PNG or JPEG picture nor a .zip of icons");
    }
  }
}

document.getElementById("photo-input").addEventListener("change", (event) => {
  addFiles([...event.target.files]);
  event.target.value = "";
});
document.getElementById("zip-input").addEventListener("change", (event) => {
  addFiles([...event.target.files]);
  event.target.value = "";
});

document.addEventListener("dragover", (event) => {
  event.preventDefault();
  document.body.classList.add("dropping");
});
document.addEventListener("dragleave", () => document.body.classList.remove("dropping"));
document.addEventListener("drop", (event) => {
  event.preventDefault();
  document.body.classList.remove("dropping");
  addFiles([...event.dataTransfer.files]);
});

document.addEventListener("paste", (event) => {
  if (typingInPage(event)) return;
  const files = [...event.clipboardData.files];
  if (files.length) {
    addFiles(files);
  } else {
    const text = event.clipboardData.getData("text/plain");
    if (text) send("api/pasteboard", { text }, {}), say("Put " + text.length + " characters on the phone's pasteboard");
  }
  event.preventDefault();
});

start().catch((e) => say("Cannot reach the simulator: " + e.message, true));
