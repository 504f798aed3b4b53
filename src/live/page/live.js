"use strict";
// The live camera's page. Everything goes through the API of the server that served it; the
// screen is redrawn when the server sends a frame, never on a timer.

const token = new URLSearchParams(location.search).get("token") || "";
const byId = (id) => document.getElementById(id);
const screenBox = byId("screen");
const phoneBox = byId("phone");
const outlines = byId("outlines");
const timeline = byId("timeline");
const consoleLog = byId("console-log");
const consoleInput = byId("console");

const kTimelineRows = 3000;
const kConsoleRows = 500;
// The phone's box on the page is at most this large; the screen keeps its shape inside it.
const kPhoneWidth = 320;
const kPhoneHeight = 480;

let screenSize = { width: 320, height: 480 };
let clock = { time: 0, speed: 1, at: performance.now() };

// --- The API ---

async function api(method, path, body) {
  const options = { method, headers: { "X-Snapforge-Token": token } };
  if (body !== undefined) {
    options.headers["Content-Type"] = "application/json";
    options.body = JSON.stringify(body);
  }
  try {
    const response = await fetch(path, options);
    const type = response.headers.get("Content-Type") || "";
    const data = type.startsWith("application/json") ? await response.json() : await response.text();
    return { status: response.status, data };
  } catch (error) {
    return { status: 0, data: { ok: false, error: "the server cannot be reached" } };
  }
}

function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function trim(box, rows) {
  while (box.childElementCount > rows) box.firstElementChild.remove();
}

// --- The console ---

function say(kind, text) {
  const atEnd = consoleLog.scrollTop + consoleLog.clientHeight >= consoleLog.scrollHeight - 4;
  consoleLog.append(element("div", kind, text));
  trim(consoleLog, kConsoleRows);
  if (atEnd) consoleLog.scrollTop = consoleLog.scrollHeight;
}

function sayOutcome(response) {
  const data = response.data;
  if (response.status !== 200) say("error", data.error || String(data));
  else if (data.failure) say("error", "FAILED " + data.failure);
  else if (data.answer) say("answer", data.answer);
}

async function runLine(line) {
  say("asked", "> " + line);
  sayOutcome(await api("POST", "/api/line", { line }));
  refreshSoon();
}

const history = [];
let historyAt = 0;
consoleInput.addEventListener("keydown", (event) => {
  if (event.key === "Enter") {
    const line = consoleInput.value.trim();
    consoleInput.value = "";
    if (!line) return;
    history.push(line);
    historyAt = history.length;
    runLine(line);
  } else if (event.key === "ArrowUp" || event.key === "ArrowDown") {
    historyAt = Math.max(0, Math.min(history.length, historyAt + (event.key === "ArrowUp" ? -1 : 1)));
    consoleInput.value = history[historyAt] || "";
    event.preventDefault();
  }
});

for (const button of document.querySelectorAll("[data-line]")) {
  button.addEventListener("click", () => runLine(button.dataset.line));
}

// --- The screen and the finger ---

function fitPhone() {
  const scale = Math.min(kPhoneWidth / screenSize.width, kPhoneHeight / screenSize.height);
  phoneBox.style.width = screenSize.width * scale + "px";
  phoneBox.style.height = screenSize.height * scale + "px";
}

function showFrame(frame) {
  screenBox.innerHTML = frame.svg.replace(/^<\?xml[^>]*>\s*/, "");
  const svg = screenBox.querySelector("svg");
  const width = svg ? Number(svg.getAttribute("width")) : 0;
  const height = svg ? Number(svg.getAttribute("height")) : 0;
  if (width > 0 && height > 0 && (width !== screenSize.width || height !== screenSize.height)) {
    screenSize = { width, height };
    fitPhone();
  }
}

// Where a pointer event falls in screen points: the box maps linearly onto the screen.
function screenPoint(event) {
  const box = screenBox.getBoundingClientRect();
  return {
    x: ((event.clientX - box.left) * screenSize.width) / box.width,
    y: ((event.clientY - box.top) * screenSize.height) / box.height,
  };
}

// Touches go out one at a time, in order; moves waiting to go merge into the latest.
const touches = [];
let sendingTouches = false;

function touch(phase, point) {
  const last = touches[touches.length - 1];
  if (phase === "move" && last && last.phase === "move") {
    last.x = point.x;
    last.y = point.y;
  } else {
    touches.push({ phase, x: point.x, y: point.y });
  }
  sendTouches();
}

async function sendTouches() {
  if (sendingTouches) return;
  sendingTouches = true;
  while (touches.length > 0) {
    const next = touches.shift();
    const response = await api("POST", "/api/touch", next);
    if (response.status !== 200) say("error", response.data.error || "the touch was refused");
    else if (next.phase === "up" && response.data.answer) say("asked", "· " + response.data.answer);
  }
  sendingTouches = false;
  refreshSoon();
}

let finger = null;
let inspecting = false;

screenBox.addEventListener("pointerdown", (event) => {
  if (event.button !== 0) return;
  event.preventDefault();
  if (inspecting) {
    inspectAt(screenPoint(event));
    return;
  }
  screenBox.setPointerCapture(event.pointerId);
  finger = event.pointerId;
  touch("down", screenPoint(event));
});

screenBox.addEventListener("pointermove", (event) => {
  if (inspecting) inspectAt(screenPoint(event));
  else if (event.pointerId === finger) touch("move", screenPoint(event));
});

function lift(event) {
  if (event.pointerId !== finger) return;
  finger = null;
  touch("up", screenPoint(event));
}
screenBox.addEventListener("pointerup", lift);
screenBox.addEventListener("pointercancel", lift);

// --- The inspector ---

let inspectBusy = false;
let inspectWaiting = null;

async function inspectAt(point) {
  if (inspectBusy) {
    inspectWaiting = point;
    return;
  }
  inspectBusy = true;
  const response = await api("GET", `/api/inspect?x=${point.x.toFixed(1)}&y=${point.y.toFixed(1)}`);
  inspectBusy = false;
  if (response.status === 200 && inspecting) showViews(point, response.data.views);
  if (inspectWaiting) {
    const waiting = inspectWaiting;
    inspectWaiting = null;
    inspectAt(waiting);
  }
}

function showViews(point, views) {
  const list = byId("inspector");
  list.replaceChildren(element("p", "hint", `${views.length} views at ${point.x.toFixed(0)},${point.y.toFixed(0)}, top first`));
  outlines.replaceChildren();
  const scale = screenBox.getBoundingClientRect().width / screenSize.width;
  views.forEach((view, index) => {
    const entry = element("div", index === 0 ? "view top" : "view");
    entry.append(element("b", "", view.class));
    if (view.target) entry.append(" ", element("span", "", view.target));
    const facts = [`frame ${view.frame}`, `level ${view.windowLevel}`, `alpha ${view.alpha}`];
    if (view.hidden) facts.push("hidden");
    if (view.tag) facts.push(`tag ${view.tag}`);
    if (view.picture) facts.push(view.picture);
    entry.append(element("br"), element("span", "dim", facts.join(" · ")));
    list.append(entry);
    if (view.hidden) return;
    const box = element("div", index === 0 ? "top" : "");
    const [x, y, width, height] = view.box;
    box.style.left = x * scale + "px";
    box.style.top = y * scale + "px";
    box.style.width = width * scale + "px";
    box.style.height = height * scale + "px";
    outlines.append(box);
  });
}

byId("inspect").addEventListener("click", () => {
  inspecting = !inspecting;
  byId("inspect").classList.toggle("on", inspecting);
  document.body.classList.toggle("inspecting", inspecting);
  byId("mode-hint").textContent = inspecting
    ? "point at the screen: the views under it, top first"
    : "touch the screen: tap, drag, hold";
  if (!inspecting) outlines.replaceChildren();
});

// --- The timeline ---

function addLines(lines) {
  const atEnd = timeline.scrollTop + timeline.clientHeight >= timeline.scrollHeight - 4;
  for (const line of lines) {
    const row = element("div", "line " + line.kind);
    row.append(element("span", "t", line.time), line.kind === "failure" ? "FAILED " + line.text : line.text);
    timeline.append(row);
  }
  trim(timeline, kTimelineRows);
  if (atEnd) timeline.scrollTop = timeline.scrollHeight;
}

// --- The clock ---

function showClock() {
  const seconds = clock.time + (clock.speed * (performance.now() - clock.at)) / 1000;
  byId("clock").textContent = seconds.toFixed(clock.speed > 0 ? 1 : 3) + " s";
  for (const button of document.querySelectorAll("[data-speed]")) {
    button.classList.toggle("on", Number(button.dataset.speed) === clock.speed);
  }
}
setInterval(() => {
  if (clock.speed > 0) showClock();
}, 250);

for (const button of document.querySelectorAll("[data-speed]")) {
  button.addEventListener("click", async () => {
    const response = await api("POST", "/api/clock", { speed: Number(button.dataset.speed) });
    if (response.status !== 200) sayOutcome(response);
  });
}

byId("next").addEventListener("click", async () => {
  const response = await api("POST", "/api/clock", { next: true });
  sayOutcome(response);
});

// --- The state panel and the recording ---

let shownState = {};

function showState(sections) {
  const panel = byId("state");
  panel.replaceChildren();
  for (const [name, values] of Object.entries(sections)) {
    panel.append(element("h3", "", name));
    const table = element("table");
    const entries = Object.entries(values);
    if (entries.length === 0) {
      const row = element("tr");
      row.append(element("th", "", "(none)"));
      table.append(row);
    }
    for (const [key, value] of entries) {
      const row = element("tr", (shownState[name] || {})[key] !== undefined && shownState[name][key] !== value ? "changed" : "");
      row.append(element("th", "", key), element("td", "", value));
      table.append(row);
    }
    panel.append(table);
  }
  shownState = sections;
}

function offerDevices(devices) {
  const select = byId("model");
  if (select.childElementCount > 0) return;
  for (const device of devices) {
    const option = element("option", "", device.model);
    option.dataset.ios = device.ios;
    select.append(option);
  }
  select.value = "iPhone4,1";
  byId("ios").value = select.selectedOptions[0] ? select.selectedOptions[0].dataset.ios : "";
}
byId("model").addEventListener("change", () => {
  byId("ios").value = byId("model").selectedOptions[0].dataset.ios;
});

let refreshTimer = null;
function refreshSoon() {
  if (refreshTimer === null) refreshTimer = setTimeout(refresh, 250);
}

async function refresh() {
  const [state, scenario] = await Promise.all([api("GET", "/api/state"), api("GET", "/api/scenario")]);
  refreshTimer = null;
  if (state.status === 200) {
    showState(state.data.sections);
    offerDevices(state.data.devices);
  }
  if (scenario.status === 200) {
    byId("recording").textContent = scenario.data;
    const lines = scenario.data.split("\n").filter((line) => line && !line.startsWith("#")).length;
    byId("recorded").textContent = `${lines} lines recorded`;
  }
}

byId("save").addEventListener("click", async () => {
  const response = await api("GET", "/api/scenario");
  if (response.status !== 200) return sayOutcome(response);
  const link = element("a");
  link.href = URL.createObjectURL(new Blob([response.data], { type: "text/plain" }));
  link.download = "live.scenario";
  document.body.append(link);
  link.click();
  link.remove();
  say("answer", "saved live.scenario");
});

byId("reset").addEventListener("click", async () => {
  const device = `${byId("model").value} ios ${byId("ios").value.trim() || "6.1.3"}`;
  const response = await api("POST", "/api/reset", { device });
  if (response.status !== 200) return sayOutcome(response);
  timeline.append(element("div", "line reset", `a new phone: ${device}`));
  say("answer", `a new phone: ${device}`);
  refreshSoon();
});

// --- The event stream ---

function setLink(kind, text) {
  const badge = byId("link");
  badge.className = "badge " + kind;
  badge.textContent = text;
}

// The server that answered last, and whether the page has lost it since: a page outlives the
// server that served it, and says what it finds when it is back.
let serverId = null;
let linkLost = false;
let refusalTold = false;

async function explainClosedStream() {
  const response = await api("GET", "/api/state");
  if (response.status === 403) {
    say("error", `${response.data.error || "refused"}: open the address the server printed`);
  } else if (response.status !== 0 && response.status !== 200) {
    sayOutcome(response);
  }
}

function listen() {
  const events = new EventSource("/api/events?token=" + encodeURIComponent(token));
  events.addEventListener("hello", (event) => {
    const server = JSON.parse(event.data).server;
    if (serverId !== null && server !== serverId) {
      say("answer", "the server restarted: a new phone, and the recording starts again");
    } else if (linkLost) {
      say("answer", "reconnected to the same phone");
    }
    serverId = server;
    linkLost = false;
    refusalTold = false;
    setLink("live", "live");
    refreshSoon();
  });
  events.addEventListener("open", () => {
    // The server sends the timeline it keeps again on every connection.
    timeline.replaceChildren();
  });
  events.addEventListener("error", () => {
    if (!linkLost) say("error", "the server cannot be reached: reconnecting…");
    linkLost = true;
    setLink("down", "reconnecting…");
    // A stream the server refused (another token after a restart, too many tabs) is not tried
    // again by the browser: the page says why and tries again itself.
    if (events.readyState === EventSource.CLOSED) {
      if (!refusalTold) explainClosedStream();
      refusalTold = true;
      setTimeout(listen, 3000);
    }
  });
  events.addEventListener("frame", (event) => {
    showFrame(JSON.parse(event.data));
    refreshSoon();
  });
  events.addEventListener("timeline", (event) => {
    addLines(JSON.parse(event.data).lines);
    refreshSoon();
  });
  events.addEventListener("clock", (event) => {
    const data = JSON.parse(event.data);
    clock = { time: data.time, speed: data.speed, at: performance.now() };
    showClock();
  });
}

fitPhone();
listen();
refresh();
