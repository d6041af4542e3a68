// The simulated phone's page in headless Chromium, driven with real mouse events: a page swiped
// must arrive as many frames, a long press must put the home screen into editing mode, and each
// tap must bring its frame; on a phone with Ovrimo, a picture whose download is held must show the
// progress overlay, its spinner turning, until the picture comes. Prints what it measured (frames
// a second and bytes a second during the swipe and a folder opening, touch-to-frame times) for
// each profile.
//
//   node phone-in-browser.mjs PATH/TO/ovrimo-sim [PROFILE...]
//
// OVRIMO_BROWSER_SHOTS=DIR keeps pictures of the page around the held download there;
// OVRIMO_BROWSER_ONLY_HELD=1 runs only the held download.

import { spawn } from "node:child_process";
import { createServer } from "node:http";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";

const simulator = process.argv[2];
const profiles = process.argv.length > 3 ? process.argv.slice(3) : ["iphone8-ios12", "ipadpro-ios13"];
const chromium = process.env.OVRIMO_CHROMIUM || "/usr/bin/chromium";
const failures = [];

function check(condition, what) {
  if (!condition) {
    failures.push(what);
    console.log("FAILED: " + what);
  }
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function percentile(values, p) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(p * sorted.length))];
}

// `ovrimo-sim serve` on a free port with a phone that was never used; answers its address.
function startSimulator(profile, root, tweak = false) {
  const options = [...(tweak ? [] : ["--no-tweak"]), "--profile", profile, "--device-root", root, "serve", "--port", "0"];
  const child = spawn(simulator, options, { stdio: ["ignore", "pipe", "inherit"] });
  const address = new Promise((resolve, reject) => {
    let said = "";
    child.stdout.on("data", (chunk) => {
      said += chunk;
      const found = said.match(/The phone is at (http:\/\/\S+)/);
      if (found) resolve(found[1]);
    });
    child.on("exit", (code) => reject(new Error("ovrimo-sim ended (" + code + ") before serving: " + said)));
    setTimeout(() => reject(new Error("ovrimo-sim did not serve within 120 s")), 120000);
  });
  return { child, address };
}

// The page's counters and the screen's place in the window.
const counters = (page) => page.evaluate(() => ({ ...window.ovrimoFrames }));

async function screenGeometry(page) {
  return page.evaluate(() => {
    const r = document.getElementById("screen-box").getBoundingClientRect();
    const state = document.getElementById("profile-line").textContent.match(/(\d+) × (\d+) points/);
    return { left: r.left, top: r.top, width: r.width, height: r.height, points: { width: +state[1], height: +state[2] } };
  });
}

// A point of the phone's screen (in points) in the window's pixels.
function at(screen, x, y) {
  return { x: screen.left + (x * screen.width) / screen.points.width, y: screen.top + (y * screen.height) / screen.points.height };
}

async function waitForFrameAfter(page, since, timeout = 3000) {
  await page.waitForFunction((t) => window.ovrimoFrames.lastDrawnAt > t, { timeout, polling: 5 }, since);
  return page.evaluate(() => window.ovrimoFrames.lastDrawnAt);
}

// Waits until no frame has come for `quiet` ms.
async function settle(page, quiet = 400) {
  for (let i = 0; i < 50; i++) {
    const before = await counters(page);
    await sleep(quiet);
    if ((await counters(page)).drawn === before.drawn) return;
  }
}

// Drags across the screen with `steps` mouse moves a display frame apart; answers the frames drawn
// and the bytes read from the press until `after` ms past the release.
async function drag(page, from, to, steps, after = 500) {
  await page.mouse.move(from.x, from.y);
  const before = await counters(page);
  const started = await page.evaluate(() => performance.now());
  await page.mouse.down();
  for (let i = 1; i <= steps; i++) {
    await page.mouse.move(from.x + ((to.x - from.x) * i) / steps, from.y + ((to.y - from.y) * i) / steps);
    await sleep(16);
  }
  await page.mouse.up();
  const released = await page.evaluate(() => performance.now());
  await sleep(after);
  const now = await counters(page);
  const seconds = Math.max(0.001, (now.lastDrawnAt - started) / 1000);
  return { frames: now.drawn - before.drawn, messages: now.messages - before.messages, drawingMs: now.drawingMs - before.drawingMs, bytes: now.bytes - before.bytes, seconds,
    moves: steps, moving: (released - started) / 1000 };
}

async function pressHome(page, quiet = 400) {
  await page.evaluate(() => fetch("api/button", { method: "POST", headers: { "Content-Type": "application/json" }, body: JSON.stringify({ name: "home" }) }));
  await settle(page, quiet);
}

async function tapToFrame(page, point) {
  await page.mouse.move(point.x, point.y);
  await page.mouse.down();
  await sleep(30);
  const released = await page.evaluate(() => performance.now());
  await page.mouse.up();
  const drawn = await waitForFrameAfter(page, released);
  return drawn - released;
}

async function exercise(browser, profile) {
  const root = mkdtempSync(join(tmpdir(), "ovrimo-browser-phone-"));
  const { child, address } = startSimulator(profile, root);
  const page = await browser.newPage();
  try {
    await page.setViewport({ width: 1400, height: 1100 });
    await page.goto(await address, { waitUntil: "load" });
    await page.waitForFunction(() => window.ovrimoFrames.drawn > 0, { timeout: 30000 });
    await settle(page);
    const screen = await screenGeometry(page);
    const { width, height } = screen.points;
    const pad = width >= 700;

    // Places of this profile's home screen, in points: the first icon, the Utilities folder, the
    // Settings icon, and a height with no icon, where a drag turns the pages.
    const places = pad ? { icon: [135, 100], folder: [738, 559], settings: [587, 557], empty: 0.6 } : { icon: [56, 64], folder: [231, 408], settings: [144, 403], empty: 0.78 };

    // A page of the home screen swiped to the left and back.
    const swipe = await drag(page, at(screen, width * 0.8, height * places.empty), at(screen, width * 0.2, height * places.empty), 24);
    console.log(`${profile}: home screen swipe: ${swipe.moves} mouse moves in ${swipe.moving.toFixed(2)} s, ${swipe.frames} frames (${swipe.messages} messages) in ${swipe.seconds.toFixed(2)} s (${(swipe.frames / swipe.seconds).toFixed(1)} fps), ${(swipe.bytes / swipe.seconds / 1024).toFixed(0)} KB/s`);
    // The page slides: many frames, where a jump to the next page would give one or two.
    check(swipe.frames >= 8, `${profile}: a page swipe arrives as at least 8 frames (got ${swipe.frames})`);
    await settle(page);
    await drag(page, at(screen, width * 0.2, height * places.empty), at(screen, width * 0.8, height * places.empty), 24);
    await settle(page);

    // Settings' list (the left column on a pad) dragged a little at a time: it follows the finger,
    // a frame for each move that reaches the phone (a jump would be one frame).
    const settings = at(screen, ...places.settings);
    await page.mouse.click(settings.x, settings.y);
    await settle(page);
    const column = pad ? width * 0.15 : width / 2;
    const scroll = await drag(page, at(screen, column, height * 0.8), at(screen, column, height * 0.8 - 80), 16, 400);
    console.log(`${profile}: list drag: ${scroll.frames} frames in ${scroll.seconds.toFixed(2)} s (${(scroll.frames / scroll.seconds).toFixed(1)} fps), ${(scroll.bytes / scroll.seconds / 1024).toFixed(0)} KB/s`);
    // (The pad's Settings list is too short to scroll: there the figure is only reported.)
    if (!pad) check(scroll.frames >= 4, `${profile}: a drag of 16 moves arrives as at least 4 frames (got ${scroll.frames})`);
    await pressHome(page);

    // A long press on an icon: editing mode, a new screen.
    const icon = at(screen, ...places.icon);
    const beforePress = await counters(page);
    await page.mouse.move(icon.x, icon.y);
    await page.mouse.down();
    await sleep(1300);
    await page.mouse.up();
    // Editing mode never settles: its icons wiggle.
    await sleep(500);
    check((await counters(page)).drawn > beforePress.drawn, `${profile}: a long press changes the screen (editing mode)`);
    // The icons' part of the canvas, twice: the wiggle moves them between frames.
    const icons = () => page.evaluate(() => {
      const c = document.getElementById("screen");
      const data = c.getContext("2d").getImageData(0, Math.round(c.height * 0.05), c.width, Math.round(c.height * 0.6)).data;
      let hash = 0;
      for (let i = 0; i < data.length; i += 4) hash = (hash * 31 + data[i] + data[i + 1] * 7 + data[i + 2] * 13) | 0;
      return hash;
    });
    const first = await icons();
    await sleep(150);
    const second = await icons();
    console.log(`${profile}: editing mode: icons ${first === second ? "still" : "moving"} between two frames 150 ms apart`);
    check(first !== second, `${profile}: in editing mode the icons move between two frames 150 ms apart (the wiggle)`);
    await pressHome(page);

    // Taps that open a folder, each closed again by the home button: touch-to-frame, from the
    // mouse's release to the next frame drawn, and what the opening sends.
    const folder = at(screen, ...places.folder);
    const times = [];
    let opening = null;
    for (let i = 0; i < 12; i++) {
      const before = await counters(page);
      const started = await page.evaluate(() => performance.now());
      times.push(await tapToFrame(page, folder));
      await sleep(600);
      const after = await counters(page);
      if (!opening) opening = { frames: after.drawn - before.drawn, bytes: after.bytes - before.bytes, seconds: (after.lastDrawnAt - started) / 1000 };
      await pressHome(page, 300);
    }
    console.log(`${profile}: opening a folder: ${opening.frames} frames in ${opening.seconds.toFixed(2)} s, ${(opening.bytes / 1024).toFixed(0)} KB`);
    console.log(`${profile}: touch to frame: p50 ${percentile(times, 0.5).toFixed(0)} ms, p95 ${percentile(times, 0.95).toFixed(0)} ms, worst ${Math.max(...times).toFixed(0)} ms of ${times.length}`);

    // Still: nothing but the clock's hand, if anything.
    const idleBefore = await counters(page);
    await sleep(2000);
    const idleAfter = await counters(page);
    console.log(`${profile}: still screen: ${((idleAfter.bytes - idleBefore.bytes) / 2).toFixed(0)} bytes/s, ${((idleAfter.drawn - idleBefore.drawn) / 2).toFixed(1)} frames/s`);
  } finally {
    await page.close();
    child.kill("SIGTERM");
    await new Promise((resolve) => (child.exitCode !== null ? resolve() : child.on("exit", resolve)));
    rmSync(root, { recursive: true, force: true });
  }
}

// Where a text stands on the phone's screen, in window pixels; null while it is not shown.
async function find(page, screen, text) {
  const found = await page.evaluate((t) => fetch("api/find?text=" + encodeURIComponent(t)).then((r) => r.json()), text);
  return found.found ? at(screen, found.x, found.y) : null;
}

async function waitToFind(page, screen, text, timeout = 5000) {
  for (const started = Date.now(); Date.now() - started < timeout; await sleep(50)) {
    const place = await find(page, screen, text);
    if (place) return place;
  }
  throw new Error(`"${text}" did not appear within ${timeout} ms`);
}

async function click(page, screen, text) {
  const place = await waitToFind(page, screen, text);
  await page.mouse.click(place.x, place.y);
}

// The mean brightness of the middle of the page's canvas (0-255).
const middleBrightness = (page) => page.evaluate(() => {
  const c = document.getElementById("screen");
  const data = c.getContext("2d").getImageData(Math.round(c.width * 0.3), Math.round(c.height * 0.3), Math.round(c.width * 0.4), Math.round(c.height * 0.4)).data;
  let sum = 0;
  for (let i = 0; i < data.length; i += 4) sum += data[i] + data[i + 1] + data[i + 2];
  return sum / (data.length / 4) / 3;
});

// A web server on 127.0.0.1 that answers with `picture` only after `holdMs`.
async function startHeldPictureServer(picture, holdMs) {
  const server = createServer((request, response) => {
    setTimeout(() => {
      response.writeHead(200, { "Content-Type": "image/png", "Content-Length": picture.length });
      response.end(picture);
    }, holdMs);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return server;
}

// On a phone with Ovrimo: an icon replaced from a web address whose answer is held for 3 s. The
// overlay must come (the screen darkens behind "Downloading image..."), its spinner must turn
// (frames keep coming while the phone waits), and the crop editor must follow the picture.
async function heldDownload(browser, profile) {
  const root = mkdtempSync(join(tmpdir(), "ovrimo-browser-phone-"));
  const { child, address } = startSimulator(profile, root, true);
  const page = await browser.newPage();
  let pictures = null;
  try {
    await page.setViewport({ width: 1400, height: 1100 });
    await page.goto(await address, { waitUntil: "load" });
    await page.waitForFunction(() => window.ovrimoFrames.drawn > 0, { timeout: 30000 });
    const screen = await screenGeometry(page);
    await click(page, screen, "Don't show anymore");
    await settle(page);
    const picture = Buffer.from(await page.evaluate(() => fetch("api/frame.png").then((r) => r.arrayBuffer()).then((b) => Array.from(new Uint8Array(b)))));
    pictures = await startHeldPictureServer(picture, 3000);

    const safari = await waitToFind(page, screen, "Safari");
    await page.mouse.move(safari.x, safari.y);
    await page.mouse.down();
    await sleep(1300);
    await page.mouse.up();
    await waitToFind(page, screen, "Done");
    await page.mouse.click(safari.x, safari.y);
    await click(page, screen, "Replace from URL");
    await waitToFind(page, screen, "OK");
    await page.keyboard.type(`http://127.0.0.1:${pictures.address().port}/picture.png`, { delay: 10 });
    await sleep(3000);
    if (process.env.OVRIMO_BROWSER_SHOTS) await page.screenshot({ path: process.env.OVRIMO_BROWSER_SHOTS + "/typed.png" });
    const brightnessBefore = await middleBrightness(page);
    await click(page, screen, "OK");

    // Half a second in: the overlay has faded in; then a second of the hold.
    await sleep(150);
    if (process.env.OVRIMO_BROWSER_SHOTS) await page.screenshot({ path: process.env.OVRIMO_BROWSER_SHOTS + "/fading-in.png" });
    await sleep(350);
    if (process.env.OVRIMO_BROWSER_SHOTS) {
      await page.screenshot({ path: process.env.OVRIMO_BROWSER_SHOTS + "/held.png" });
      const png = Buffer.from(await page.evaluate(() => fetch("api/frame.png").then((r) => r.arrayBuffer()).then((b) => Array.from(new Uint8Array(b)))));
      (await import("node:fs")).writeFileSync(process.env.OVRIMO_BROWSER_SHOTS + "/held-frame.png", png);
    }
    const shown = await find(page, screen, "Downloading image...");
    const brightnessDuring = await middleBrightness(page);
    const before = await counters(page);
    await sleep(1000);
    const during = await counters(page);
    const stillShown = await find(page, screen, "Downloading image...");
    console.log(`${profile}: held download: overlay ${shown && stillShown ? "shown" : "missing"}, middle of the screen ${brightnessBefore.toFixed(0)} → ${brightnessDuring.toFixed(0)}, ${during.drawn - before.drawn} frames in 1 s of waiting`);
    check(shown && stillShown, `${profile}: the progress overlay is on screen while the download is held`);
    check(brightnessDuring < brightnessBefore - 10, `${profile}: the overlay darkens the screen while the download is held (${brightnessBefore.toFixed(0)} → ${brightnessDuring.toFixed(0)})`);
    check(during.drawn - before.drawn >= 10, `${profile}: the overlay's spinner turns while the download is held (${during.drawn - before.drawn} frames in 1 s)`);
    // The picture comes: the overlay goes and the crop editor opens.
    await waitToFind(page, screen, "Save", 8000);
    check(!(await find(page, screen, "Downloading image...")), `${profile}: the overlay is gone once the picture came`);

    // The picture dragged under the crop frame: it follows the finger, a frame for each move.
    await settle(page);
    const { width, height } = screen.points;
    const crop = await drag(page, at(screen, width * 0.4, height * 0.45), at(screen, width * 0.6, height * 0.55), 24);
    console.log(`${profile}: crop drag: ${crop.moves} mouse moves in ${crop.moving.toFixed(2)} s, ${crop.frames} frames (${crop.messages} messages, ${(crop.drawingMs / crop.frames).toFixed(0)} ms each to decode and draw) in ${crop.seconds.toFixed(2)} s (${(crop.frames / crop.seconds).toFixed(1)} fps), ${(crop.bytes / crop.seconds / 1024).toFixed(0)} KB/s`);
    check(crop.frames >= 8, `${profile}: a crop drag arrives as at least 8 frames (got ${crop.frames})`);
  } finally {
    if (pictures) pictures.close();
    await page.close();
    child.kill("SIGTERM");
    await new Promise((resolve) => (child.exitCode !== null ? resolve() : child.on("exit", resolve)));
    rmSync(root, { recursive: true, force: true });
  }
}

async function main() {
  if (!simulator) throw new Error("usage: node phone-in-browser.mjs PATH/TO/ovrimo-sim [PROFILE...]");
  const userData = mkdtempSync(join(tmpdir(), "ovrimo-browser-profile-"));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync", `--user-data-dir=${userData}`],
  });
  try {
    if (!process.env.OVRIMO_BROWSER_ONLY_HELD) for (const profile of profiles) await exercise(browser, profile);
    await heldDownload(browser, profiles[0]);
  } finally {
    await browser.close();
    rmSync(userData, { recursive: true, force: true });
  }
  console.log(failures.length ? `${failures.length} failed` : "all checks passed");
  process.exit(failures.length ? 1 : 0);
}

main().catch((e) => {
  console.log("FAILED: " + (e.stack || e));
  process.exit(1);
});
