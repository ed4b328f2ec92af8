// gy.swf played by a real Flash player: Ruffle in headless Chromium, on a
// page this test serves itself on 127.0.0.1. Checks what a viewer sees, in
// screenshot pixels: the stage colour, ten balls where the scene puts them,
// the strings, the caption, the pull toward a near pointer, and the stage
// kept at its own size in a larger player.
//
// Environment: MOVIE_SWF (the generated movie), MOVIE_GENERATOR and PYTHON
// (to ask the generator where it put things), NODE_PREFIX (where
// package.json's tools are installed), SCREENSHOT_DIR (kept as artifacts).
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { mkdtempSync, mkdirSync, readFileSync, writeFileSync, rmSync } from "node:fs";
import { execFileSync } from "node:child_process";
import { tmpdir } from "node:os";
import { join, extname, normalize } from "node:path";
import { decodePng } from "./png.mjs";

const env = (name) => {
  const v = process.env[name];
  if (!v) throw new Error(`${name} is not set`);
  return v;
};
const movie = readFileSync(env("MOVIE_SWF"));
const scene = JSON.parse(execFileSync(process.env.PYTHON || "python3", [env("MOVIE_GENERATOR"), "--scene"]));
const require = createRequire(join(env("NODE_PREFIX"), "package.json"));
const { chromium } = require("playwright-core");
const ruffleDir = join(require.resolve("@ruffle-rs/ruffle/package.json"), "..");
const shots = env("SCREENSHOT_DIR");
mkdirSync(shots, { recursive: true });

const rgb = (n) => [(n >> 16) & 255, (n >> 8) & 255, n & 255];
const STAGE = rgb(scene.stageColour);
const CAPTION = rgb(scene.captionColour);
const [W, H] = scene.stage;

// --- The page and its server ---------------------------------------------------

function page(width, height) {
  return `<!doctype html><html><head><meta charset="utf-8">
<link rel="icon" href="data:,">
<style>html,body{margin:0;padding:0;background:#000}</style>
<script>window.RufflePlayer={config:{autoplay:"on",unmuteOverlay:"hidden",splashScreen:false,
  letterbox:"off",contextMenu:"off",polyfills:false,allowScriptAccess:true,
  preferredRenderer:"canvas",logLevel:"warn"}};</script>
<script src="/ruffle/ruffle.js"></script>
<script>addEventListener("DOMContentLoaded",()=>{
  const p=RufflePlayer.newest().createPlayer();
  p.id="player";p.style.cssText="display:block;width:${width}px;height:${height}px";
  document.body.append(p);
  p.ruffle().addFSCommandHandler((c)=>{if(c==="ready")window.__ready=true;});
  p.addEventListener("loadeddata",()=>window.__loaded=true);
  p.ruffle().load({url:"/gy.swf"}).catch(e=>window.__err=String(e));
});</script></head><body></body></html>`;
}

const types = { ".js": "text/javascript", ".wasm": "application/wasm", ".map": "application/json" };
let server, base, context, tempProfile;

before(async () => {
  server = createServer((req, res) => {
    const url = new URL(req.url, "http://127.0.0.1");
    if (url.pathname === "/") {
      const w = Number(url.searchParams.get("w")), h = Number(url.searchParams.get("h"));
      res.writeHead(200, { "content-type": "text/html" }).end(page(w, h));
    } else if (url.pathname === "/gy.swf") {
      res.writeHead(200, { "content-type": "application/x-shockwave-flash" }).end(movie);
    } else if (url.pathname.startsWith("/ruffle/")) {
      const rel = normalize(url.pathname.slice("/ruffle/".length));
      try {
        const body = readFileSync(join(ruffleDir, rel.replace(/^(\.\.[/\\])+/, "")));
        res.writeHead(200, { "content-type": types[extname(rel)] ?? "application/octet-stream" }).end(body);
      } catch {
        res.writeHead(404).end();
      }
    } else {
      res.writeHead(404).end();
    }
  });
  await new Promise((ok) => server.listen(0, "127.0.0.1", ok));
  base = `http://127.0.0.1:${server.address().port}`;

  tempProfile = mkdtempSync(join(tmpdir(), "talvenor-chromium-"));
  context = await chromium.launchPersistentContext(tempProfile, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    viewport: { width: 1000, height: 700 },
    deviceScaleFactor: 1,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
});

after(async () => {
  await context?.close();
  server?.close();
  if (tempProfile) rmSync(tempProfile, { recursive: true, force: true });
});

async function open(width, height) {
  const p = await context.newPage();
  const errors = [];
  p.on("pageerror", (e) => errors.push(String(e)));
  await p.goto(`${base}/?w=${width}&h=${height}`);
  await p.waitForFunction(() => window.__ready || window.__err, null, { timeout: 60000 });
  assert.equal(await p.evaluate(() => window.__err ?? null), null);
  assert.deepEqual(errors, []);
  await settle(p);
  return p;
}

// A few rendered frames, so that the screenshot shows a drawn frame.
const settle = (p, frames = 12) =>
  p.evaluate((n) => new Promise((ok) => {
    const tick = () => (--n <= 0 ? ok() : requestAnimationFrame(tick));
    requestAnimationFrame(tick);
  }), frames);

async function shot(p, name, width, height) {
  const png = await p.screenshot({ clip: { x: 0, y: 0, width, height } });
  writeFileSync(join(shots, `${name}.png`), png);
  return decodePng(png);
}

// --- Reading the pixels -------------------------------------------------------

const px = (img, x, y) => {
  const i = (y * img.width + x) * 4;
  return [img.data[i], img.data[i + 1], img.data[i + 2]];
};
const near = (a, b, tol) => a.every((v, i) => Math.abs(v - b[i]) <= tol);

// White blobs (the balls), as centres and areas, by 4-connected flood fill.
function balls(img, x0 = 0, y0 = 0, w = img.width, h = img.height) {
  const seen = new Uint8Array(img.width * img.height);
  const white = (x, y) => px(img, x, y).every((v) => v >= 235);
  const found = [];
  for (let y = y0; y < y0 + h; y++) {
    for (let x = x0; x < x0 + w; x++) {
      if (seen[y * img.width + x] || !white(x, y)) continue;
      let n = 0, sx = 0, sy = 0;
      const stack = [[x, y]];
      seen[y * img.width + x] = 1;
      while (stack.length) {
        const [cx, cy] = stack.pop();
        n++; sx += cx; sy += cy;
        for (const [nx, ny] of [[cx + 1, cy], [cx - 1, cy], [cx, cy + 1], [cx, cy - 1]]) {
          if (nx < x0 || ny < y0 || nx >= x0 + w || ny >= y0 + h) continue;
          const k = ny * img.width + nx;
          if (!seen[k] && white(nx, ny)) { seen[k] = 1; stack.push([nx, ny]); }
        }
      }
      found.push({ x: sx / n + 0.5 - x0, y: sy / n + 0.5 - y0, area: n });
    }
  }
  return found;
}

const dist = (a, b) => Math.hypot(a.x - b[0], a.y - b[1]);
function nearest(found, point) {
  return found.reduce((best, b) => (!best || dist(b, point) < dist(best, point) ? b : best), null);
}
function assertAtRest(found, label, except = -1) {
  scene.rest.forEach((r, i) => {
    if (i === except) return;
    const b = nearest(found, r);
    assert.ok(b && dist(b, r) < 1.5, `${label}: ball ${i} at rest (${r}), nearest ${JSON.stringify(b)}`);
  });
}

// --- The checks -------------------------------------------------------------

test("the player reads the header as written", async () => {
  const p = await open(W, H);
  const meta = await p.evaluate(() => document.getElementById("player").ruffle().metadata);
  assert.equal(meta.swfVersion, 6);
  assert.equal(meta.width, W);
  assert.equal(meta.height, H);
  assert.equal(meta.frameRate, scene.rate);
  assert.equal(meta.numFrames, 1);
  assert.equal(meta.uncompressedLength, movie.readUInt32LE(4));
  await p.close();
});

test("the scene: stage colour, ten balls at rest, strings and the caption", async () => {
  const p = await open(W, H);
  await p.mouse.move(W - 5, 5);  // far from every ball
  await settle(p);
  const img = await shot(p, "stage", W, H);

  for (const [x, y] of [[1, 1], [W - 2, 1], [1, H - 2], [W - 2, H - 2], [W / 2, 20]]) {
    assert.deepEqual(px(img, x, y), STAGE, `stage colour at ${x},${y}`);
  }

  const found = balls(img);
  assert.equal(found.length, 10, JSON.stringify(found));
  const r = scene.ballRadius;
  for (const b of found) {
    assert.ok(b.area > Math.PI * r * r * 0.6 && b.area < Math.PI * (r + 1) * (r + 1),
              `ball area ${b.area}`);
  }
  assertAtRest(found, "no pointer");

  // The strings: #333333 at alpha 50 darkens the stage colour to about half
  // way; they run from the balls down to the bottom edge.
  const line = STAGE.map((c, i) => Math.round((c + rgb(scene.lineColour)[i]) / 2));
  let onBottomEdge = 0;
  for (let x = 0; x < W; x++) if (near(px(img, x, H - 2), line, 40)) onBottomEdge++;
  assert.ok(onBottomEdge >= 5, `string pixels on the bottom edge: ${onBottomEdge}`);

  const [cx, cy, cw, ch] = scene.captionBox;
  let red = 0, redOutside = 0;
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < W; x++) {
      if (!near(px(img, x, y), CAPTION, 48)) continue;
      if (x >= cx && x < cx + cw && y >= cy && y < cy + ch) red++; else redOutside++;
    }
  }
  assert.ok(red >= 30, `dark-red caption pixels: ${red}`);
  assert.equal(redOutside, 0);
  await p.close();
});

test("a ball follows a pointer within 50 px of its rest position, not one farther", async () => {
  const p = await open(W, H);
  const k = 4;
  const [rx, ry] = scene.rest[k];
  // Straight below ball 4, so that no other ball is within reach.
  const cases = [
    { label: "pointer 55 px away", at: [rx, ry + 55], follows: false },
    { label: "pointer 40 px away", at: [rx, ry + 40], follows: true },
  ];
  for (const c of cases) {
    for (const [i, r] of scene.rest.entries()) {
      if (i !== k) assert.ok(dist({ x: c.at[0], y: c.at[1] }, r) > scene.pullRadius, `${c.label}: ${i}`);
    }
    await p.mouse.move(...c.at);
    // The pull settles within a couple of seconds at 40 frames per second;
    // look until it has, or until it clearly never will.
    let b, found;
    for (let tries = 0; tries < 20; tries++) {
      await p.waitForTimeout(250);
      found = balls(await shot(p, `pointer-${c.at.join("-")}`, W, H));
      b = nearest(found, c.at);
      if (c.follows && dist(b, c.at) < 3) break;
    }
    assert.equal(found.length, 10, c.label);
    if (c.follows) {
      assert.ok(dist(b, c.at) < 3, `${c.label}: ball ${k} reached the pointer, now ${JSON.stringify(b)}`);
      assertAtRest(found, c.label, k);
    } else {
      assertAtRest(found, c.label);
    }
  }
  // Taken away again: the ball goes back to rest.
  await p.mouse.move(W - 5, 5);
  let found;
  for (let tries = 0; tries < 20; tries++) {
    await p.waitForTimeout(250);
    found = balls(await shot(p, "pointer-gone", W, H));
    if (dist(nearest(found, scene.rest[k]), scene.rest[k]) < 1.5) break;
  }
  assertAtRest(found, "pointer gone");
  await p.close();
});

test("a larger player shows the stage unscaled and centred", async () => {
  const [PW, PH] = [900, 600];
  const p = await open(PW, PH);
  await p.mouse.move(PW - 2, PH - 2);
  await settle(p);
  const img = await shot(p, "large-player", PW, PH);
  let minX = PW, minY = PH, maxX = -1, maxY = -1;
  for (let y = 0; y < PH; y++) {
    for (let x = 0; x < PW; x++) {
      if (!near(px(img, x, y), STAGE, 0)) continue;
      minX = Math.min(minX, x); maxX = Math.max(maxX, x);
      minY = Math.min(minY, y); maxY = Math.max(maxY, y);
    }
  }
  const ox = (PW - W) / 2, oy = (PH - H) / 2;
  assert.deepEqual([minX, minY, maxX + 1, maxY + 1], [ox, oy, ox + W, oy + H]);
  assert.deepEqual(px(img, ox - 2, oy + 50), [255, 255, 255], "white outside the stage");
  const found = balls(img, ox, oy, W, H);
  assert.equal(found.length, 10);
  assertAtRest(found, "large player");
  await p.close();
});
