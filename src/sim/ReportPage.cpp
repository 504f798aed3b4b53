#include <sstream>
#include <string>
#include <string_view>

#include "sim/Report.h"
#include "sim/SvgSnapshot.h"

namespace sim {
namespace {

// The page: fixed layout, its own styles and script, the run's data in a JSON script element.
// The screen is drawn from each frame's SVG with the run's pictures put back in, as an image of
// its own, so that no frame can reach into another or into the page.
constexpr std::string_view kHead = R"page(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>@TITLE@</title>
<style>
:root { --accent: #ffc247; --fail: #ff5a4f; --panel: #181c21; --line: #2c323a; }
* { box-sizing: border-box; }
body { margin: 0; background: #0e1013; color: #e8eaed; font: 13px/1.4 "DejaVu Sans", Helvetica, Arial, sans-serif; }
header { height: 56px; padding: 10px 24px; border-bottom: 1px solid var(--line); display: flex; align-items: center; gap: 18px; }
header h1 { font-size: 16px; font-weight: 600; margin: 0; }
header .result { padding: 2px 10px; border-radius: 10px; background: #1f3a24; color: #9be3a6; }
header .result.failed { background: #44201e; color: #ffb0a8; }
main { display: flex; height: calc(100vh - 56px - 164px); min-height: 560px; }
#stage { width: 400px; flex: none; padding: 16px 40px 0 40px; }
#phone { width: 320px; height: 480px; border-radius: 6px; outline: 10px solid #22262c; background: #000; overflow: hidden; position: relative; }
#phone.failed { outline-color: #5a2521; }
#screen { display: block; width: 320px; height: 480px; }
#controls { margin-top: 22px; display: flex; align-items: center; gap: 8px; }
#controls button, #controls select { background: var(--panel); color: inherit; border: 1px solid #59616b; border-radius: 6px; padding: 4px 10px; font: inherit; }
#controls button:hover { border-color: var(--accent); }
#slider { flex: 1; accent-color: var(--accent); }
#where { margin-top: 8px; color: #aab1ba; min-height: 38px; }
#where b { color: #fff; }
#timeline { flex: 1; overflow-y: auto; padding: 12px 24px; border-left: 1px solid var(--line); font-family: "DejaVu Sans Mono", monospace; font-size: 12px; }
.step { padding: 4px 8px; border-radius: 6px; cursor: pointer; border-left: 3px solid transparent; }
.step:hover { background: #161a1f; }
.step.current { background: #1d2229; border-left-color: var(--accent); }
.step.failed { border-left-color: var(--fail); }
.line { white-space: pre-wrap; }
.line .t { color: #7d8590; display: inline-block; width: 6.5em; }
.line.event { color: #b7bec7; padding-left: 1.5em; }
.line.failure { color: #ff8e85; font-weight: bold; }
pre.summary { color: #aab1ba; margin: 16px 8px; }
#filmstrip { height: 164px; border-top: 1px solid var(--line); display: flex; gap: 8px; overflow-x: auto; padding: 10px 16px; }
#filmstrip figure { margin: 0; flex: none; cursor: pointer; text-align: center; color: #8c939c; font-size: 11px; }
#filmstrip img { width: 80px; height: 120px; display: block; border: 2px solid #2b3037; border-radius: 3px; background: #000; }
#filmstrip figure.current img { border-color: var(--accent); }
#filmstrip figure.failed img { border-color: var(--fail); }
#filmstrip figure.failed figcaption { color: var(--fail); }
</style>
</head>
<body>
<header><h1>@TITLE@</h1><span class="result @RESULTCLASS@">@RESULT@</span><span>← → step · space plays at real speed</span></header>
<main>
<section id="stage">
<div id="phone"><img id="screen" alt="the screen after the step"></div>
<div id="controls"><button id="play" type="button">▶ Play</button><input id="slider" type="range" min="0" value="0">
<select id="speed" title="playing speed"><option value="1">1×</option><option value="2">2×</option><option value="5">5×</option><option value="20">20×</option></select></div>
<div id="where"></div>
</section>
<section id="timeline"></section>
</main>
<footer id="filmstrip"></footer>
<script type="application/json" id="run">)page";

constexpr std::string_view kTail = R"page(</script>
<script>
"use strict";
const run = JSON.parse(document.getElementById("run").textContent);
const frames = run.frames;
const screen = document.getElementById("screen");
const slider = document.getElementById("slider");
const where = document.getElementById("where");
const playButton = document.getElementById("play");
const speed = document.getElementById("speed");
const timeline = document.getElementById("timeline");
const filmstrip = document.getElementById("filmstrip");
const summary = document.createElement("pre");
summary.className = "summary";
summary.textContent = @SUMMARY@;
// Steps that take no virtual time still show for a moment while playing.
const shortestShow = 0.25;

function screenUrl(frame) {
  const svg = frame.screen.replace(/href="pic:(\d+)"/g, (m, n) => 'href="' + run.pictures[Number(n)] + '"');
  return URL.createObjectURL(new Blob([svg], { type: "image/svg+xml" }));
}

let loaded = 0;
const urls = frames.map(screenUrl);
const steps = [];
const thumbs = [];
frames.forEach((frame, i) => {
  const step = document.createElement("div");
  step.className = "step" + (frame.failed ? " failed" : "");
  for (const line of frame.lines) {
    const row = document.createElement("div");
    row.className = "line " + line.kind;
    const t = document.createElement("span");
    t.className = "t";
    t.textContent = line.time;
    row.append(t, (line.kind === "failure" ? "FAILED " : "") + line.text);
    step.append(row);
  }
  step.addEventListener("click", () => show(i));
  timeline.append(step);
  steps.push(step);

  const figure = document.createElement("figure");
  figure.className = frame.failed ? "failed" : "";
  const img = document.createElement("img");
  img.alt = frame.step;
  img.addEventListener("load", () => {
    loaded += 1;
    if (loaded === frames.length) document.body.dataset.loaded = String(loaded);
  });
  img.addEventListener("error", () => { document.body.dataset.broken = String(i); });
  img.src = urls[i];
  const caption = document.createElement("figcaption");
  caption.textContent = (i + 1) + " · " + frame.time + " s" + (frame.failed ? " ✗" : "");
  figure.append(img, caption);
  figure.addEventListener("click", () => show(i));
  filmstrip.append(figure);
  thumbs.push(figure);
});
timeline.append(summary);
document.body.dataset.frames = String(frames.length);
slider.max = String(Math.max(frames.length - 1, 0));

let current = -1;
function show(i) {
  if (frames.length === 0) return;
  i = Math.max(0, Math.min(frames.length - 1, i));
  if (current >= 0) { steps[current].classList.remove("current"); thumbs[current].classList.remove("current"); }
  current = i;
  const frame = frames[i];
  screen.src = urls[i];
  document.getElementById("phone").classList.toggle("failed", frame.failed);
  steps[i].classList.add("current");
  thumbs[i].classList.add("current");
  steps[i].scrollIntoView({ block: "nearest" });
  thumbs[i].scrollIntoView({ block: "nearest", inline: "nearest" });
  slider.value = String(i);
  where.innerHTML = "";
  const head = document.createElement("b");
  head.textContent = "step " + (i + 1) + " of " + frames.length + " · " + frame.time + " s";
  where.append(head, document.createElement("br"), (frame.line ? "line " + frame.line + ": " : "") + frame.step + (frame.failed ? " — FAILED" : ""));
}

let timer = null;
function stop() { clearTimeout(timer); timer = null; playButton.textContent = "▶ Play"; }
function playFrom(i) {
  show(i);
  if (i >= frames.length - 1) { stop(); return; }
  const seconds = Math.max(parseFloat(frames[i + 1].time) - parseFloat(frames[i].time), shortestShow);
  timer = setTimeout(() => playFrom(i + 1), seconds * 1000 / Number(speed.value));
}
function togglePlay() {
  if (timer) { stop(); return; }
  playButton.textContent = "❚❚ Pause";
  playFrom(current >= frames.length - 1 ? 0 : current);
}
playButton.addEventListener("click", togglePlay);
slider.addEventListener("input", () => { stop(); show(Number(slider.value)); });
document.addEventListener("keydown", (e) => {
  if (e.target === slider && (e.key === "ArrowLeft" || e.key === "ArrowRight")) e.preventDefault();
  if (e.key === "ArrowRight") { stop(); show(current + 1); }
  else if (e.key === "ArrowLeft") { stop(); show(current - 1); }
  else if (e.key === "Home") { stop(); show(0); }
  else if (e.key === "End") { stop(); show(frames.length - 1); }
  else if (e.key === " ") { e.preventDefault(); togglePlay(); }
});
// "#N" opens on step N; otherwise the first failed step, or the first step.
const asked = parseInt(location.hash.slice(1), 10);
const firstFailed = frames.findIndex((frame) => frame.failed);
show(asked > 0 ? asked - 1 : Math.max(firstFailed, 0));
window.addEventListener("hashchange", () => show(parseInt(location.hash.slice(1), 10) - 1));
const box = screen.getBoundingClientRect();
document.body.dataset.screen = [box.left, box.top, box.width, box.height].map(Math.round).join(",");
</script>
</body>
</html>
)page";

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string reportPage(std::string_view title, const RunResult& result, std::string_view data) {
    const bool passed = result.failures.empty();
    std::ostringstream summary;
    printSummary(result, summary);
    std::string head(kHead);
    replaceAll(head, "@TITLE@", xmlEscape(title));
    replaceAll(head, "@RESULTCLASS@", passed ? "" : "failed");
    replaceAll(head, "@RESULT@", passed ? "passed" : "failed");
    std::string tail(kTail);
    replaceAll(tail, "@SUMMARY@", jsonString(summary.str()));
    return head + std::string(data) + tail;
}

}  // namespace sim
