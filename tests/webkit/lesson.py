"""The lesson in WebKit (WebKitGTK, the engine of the tablets' browser).

Serves the site folder from 127.0.0.1, opens the page in a WebView and runs
the lesson as a learner does, with the window system's own key presses and
mouse events (WebKit makes the page's events from them): the coefficients
typed and led on by Enter, the lesson's buttons pressed by Enter where the
focus went, the equation, the three sizes, a drag and an arrow key on the
plane, b = 0 and its message, and the end; then the second lesson
(system.html) once through: a system typed into its six boxes, its four steps
and the intersection, in lowest terms and ringed on the plane; then every
other lesson's page of lessons.json, started. The program's state is read
from the page (lg_inspect); each step says what it expected.

With --single, SITE is a folder of the pages made each into one file (the
build's single/): each is opened from the disk (file://), with a problem by
link where one is given here (PROBLEMS), the first lesson run to its
equation, the second to its intersection, any other started; and none may
load anything but itself and data: URLs.

    python3 lesson.py SITE [--single] [--screenshot FILE.png]

Exit status: 0 when every step held, 1 when one did not.
"""
import argparse
import functools
import http.server
import json
import pathlib
import sys
import threading
import time
import urllib.parse

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
try:
    gi.require_version("WebKit2", "4.1")
except ValueError:
    gi.require_version("WebKit2", "4.0")
from gi.repository import Gdk, GLib, Gtk, WebKit2  # noqa: E402

# In the page from its first line on: what goes wrong there, and what the
# steps read.
PAGE_HELPERS = r"""
window.__wk = {
  log: [],
  note: function (kind, text) { this.log.push(kind + ': ' + text); },
  byName: function (name) {
    var el = document.querySelector('[data-name="' + name + '"]');
    if (!el) throw new Error('no control ' + name);
    return el;
  },
  state: function () { return JSON.parse(Module.ccall('lg_inspect', 'string', [], [])); },
  focused: function () {
    var el = document.activeElement;
    return el && el.dataset && el.dataset.name ? el.dataset.name : el && (el.id || el.textContent || el.tagName);
  },
  // Where a point of the form's pixels is in the window.
  at: function (name, x, y) {
    var el = __wk.byName(name), r = el.getBoundingClientRect();
    var w = el.offsetWidth, h = el.offsetHeight;
    if (x === undefined) { x = w / 2; y = h / 2; }
    return [r.left + x * r.width / w, r.top + y * r.height / h];
  },
  // A digest of the plane's pixels, and how many colours they have.
  picture: function () {
    var c = __wk.byName('Picture1'), d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    var h = 2166136261 >>> 0, colours = new Set();
    for (var i = 0; i < d.length; i += 4) {
      var p = (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
      h = Math.imul(h ^ p, 16777619) >>> 0;
      if (colours.size < 64) colours.add(p);
    }
    return { hash: h, colours: colours.size };
  },
  // Whether the plane's pixel (x, y), in the form's pixels, is the magenta
  // of the intersection's ring.
  magenta: function (x, y) {
    var c = __wk.byName('Picture1'), k = c.width / 600;
    var d = c.getContext('2d').getImageData(Math.floor((x + 0.5) * k), Math.floor((y + 0.5) * k), 1, 1).data;
    return d[0] >= 200 && d[1] <= 40 && d[2] >= 200;
  },
  message: function () {
    var d = document.getElementById('message');
    return d && d.open ? d.querySelector('.text').textContent : null;
  },
  // The characters of the captions that lie outside their control, by line.
  hidden: function () {
    var out = [];
    document.querySelectorAll('#form > .label, #form > .button').forEach(function (el) {
      var t = el.firstChild;
      if (!t || t.nodeType !== 3 || getComputedStyle(el).visibility !== 'visible') return;
      var box = el.getBoundingClientRect(), lost = '';
      for (var i = 0; i < t.length; ++i) {
        if (/\s/.test(t.data[i])) continue;
        var range = document.createRange();
        range.setStart(t, i);
        range.setEnd(t, i + 1);
        var r = range.getBoundingClientRect(), middle = (r.top + r.bottom) / 2, centre = (r.left + r.right) / 2;
        if (middle > box.bottom || middle < box.top || centre > box.right || centre < box.left) lost += t.data[i];
      }
      if (lost) out.push(el.dataset.name + ' "' + t.data + '" hides "' + lost + '"');
    });
    return out;
  },
};
['warn', 'error'].forEach(function (kind) {
  var original = console[kind];
  console[kind] = function () {
    __wk.note(kind, Array.prototype.join.call(arguments, ' '));
    return original.apply(console, arguments);
  };
});
window.addEventListener('error', function (e) { __wk.note('uncaught', e.message + ' (' + e.filename + ':' + e.lineno + ')'); });
window.addEventListener('unhandledrejection', function (e) { __wk.note('rejected', String(e.reason)); });
"""


# The problems of the run: 2x + 3y = 6, and with it x − y = −3; the points
# (−1, 2) and (2, 4).
PROBLEM = ("2", "3", "6")
SYSTEM_PROBLEM = ("2", "3", "6", "1", "-1", "-3")
PROBLEMS = {"graph": PROBLEM, "system": SYSTEM_PROBLEM, "twopoints": ("-1", "2", "2", "4")}

# The lessons, as lessons.json lists them: (name, page, the names of a problem's texts).
LESSONS = [(lesson["name"], lesson["page"], lesson["problem"]) for lesson in json.loads(
    (pathlib.Path(__file__).resolve().parent.parent.parent / "lessons.json").read_text(encoding="utf-8"))["lessons"]]


class Failure(Exception):
    pass


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    missing = []

    def log_message(self, fmt, *args):
        pass

    def send_error(self, code, message=None, explain=None):
        QuietHandler.missing.append(f"{code} {self.path}")
        super().send_error(code, message, explain)


def serve(site):
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Page:
    """A window with a WebView, and the learner's keyboard and mouse on it."""

    def __init__(self, url, width, height):
        manager = WebKit2.UserContentManager()
        manager.add_script(WebKit2.UserScript(
            PAGE_HELPERS, WebKit2.UserContentInjectedFrames.TOP_FRAME,
            WebKit2.UserScriptInjectionTime.START, None, None))
        # Nothing kept from one run to the next (caches, the service worker).
        context = WebKit2.WebContext.new_ephemeral()
        self.view = WebKit2.WebView(web_context=context, user_content_manager=manager)
        # The canvas is drawn by the processor: under Xvfb the GPU's path runs
        # on Mesa's software rasterizer, where the web process crashes now and
        # then (in swrast_dri.so) while the plane is drawn or read.
        self.view.get_settings().set_property("enable-2d-canvas-acceleration", False)
        self.events = []
        # What the page loads, by address.
        self.loads = []
        self.view.connect("resource-load-started", lambda _v, _r, request: self.loads.append(request.get_uri()))
        self.view.connect("close", lambda *_: self.events.append("close"))
        self.view.connect("load-changed", lambda _v, event: self.events.append(f"load {event.value_nick}"))
        self.view.connect("web-process-terminated",
                          lambda _v, reason: self.events.append(f"web process ended ({reason.value_nick})"))
        self.view.connect("load-failed",
                          lambda _v, _e, uri, error: self.events.append(f"load of {uri} failed: {error.message}"))
        self.window = Gtk.Window()
        self.window.set_default_size(width, height)
        self.window.add(self.view)
        self.window.show_all()
        self.view.grab_focus()
        seat = Gdk.Display.get_default().get_default_seat()
        self.keyboard, self.mouse = seat.get_keyboard(), seat.get_pointer()
        self.keymap = Gdk.Keymap.get_for_display(Gdk.Display.get_default())
        # The loop wakes often enough to see the time run out.
        GLib.timeout_add(20, lambda: True)
        # The lesson as reached by a link, from a page before it.
        self.view.load_uri("about:blank")
        self.pump(lambda: "load finished" in self.events, 30, "a blank page")
        self.goto(url)

    def goto(self, url):
        self.events.clear()
        self.view.load_uri(url)
        self.pump(lambda: "load committed" in self.events, 30, "the page's loading")

    def pump(self, done, timeout, what):
        deadline = time.monotonic() + timeout
        context = GLib.MainContext.default()
        while not done():
            self.check_alive()
            if time.monotonic() > deadline:
                raise Failure(f"timed out after {timeout} s: {what}")
            context.iteration(True)

    def check_alive(self):
        ended = [e for e in self.events if e.startswith(("web process", "load of"))]
        if ended:
            raise Failure("; ".join(ended))

    def pause(self, seconds):
        until = time.monotonic() + seconds
        self.pump(lambda: time.monotonic() > until, seconds + 5, "a pause")

    def js(self, expression, timeout=10):
        """The value of a JavaScript expression (JSON-able), in the page."""
        box = {}

        def finished(view, result):
            try:
                box["value"] = view.evaluate_javascript_finish(result).to_string()
            except GLib.Error as error:
                box["error"] = error.message

        script = f"JSON.stringify((function () {{ return ({expression}); }})()) || 'null'"
        self.view.evaluate_javascript(script, -1, None, None, None, finished)
        self.pump(lambda: box, timeout, expression)
        if "error" in box:
            self.pause(0.2)
            self.check_alive()
            raise Failure(f"{expression}: {box['error']}")
        return json.loads(box["value"])

    def wait(self, expression, timeout=5):
        """Waits until the expression is true in the page; its value."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.js(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise Failure(f"timed out after {timeout} s waiting for {expression}")
            self.pause(0.03)

    # The learner's keyboard and mouse, as the window system delivers them.

    def key(self, keyval):
        ok, entries = self.keymap.get_entries_for_keyval(keyval)
        if not ok:
            raise Failure(f"no key for {Gdk.keyval_name(keyval)}")
        for kind in (Gdk.EventType.KEY_PRESS, Gdk.EventType.KEY_RELEASE):
            event = Gdk.Event.new(kind)
            event.key.window = self.view.get_window()
            event.key.keyval = keyval
            event.key.hardware_keycode = entries[0].keycode
            event.key.group = entries[0].group
            event.key.time = Gtk.get_current_event_time()
            event.set_device(self.keyboard)
            Gtk.main_do_event(event)

    def type(self, text):
        for ch in text:
            self.key(Gdk.unicode_to_keyval(ord(ch)))

    def pointer(self, kind, x, y, held=False):
        """A press, move or release of the left button at (x, y) of the window."""
        event = Gdk.Event.new(kind)
        fields = event.motion if kind == Gdk.EventType.MOTION_NOTIFY else event.button
        fields.window = self.view.get_window()
        fields.x, fields.y = float(x), float(y)
        origin = self.view.get_window().get_origin()
        fields.x_root, fields.y_root = origin[1] + x, origin[2] + y
        fields.time = Gtk.get_current_event_time()
        fields.state = Gdk.ModifierType.BUTTON1_MASK if held else 0
        if kind != Gdk.EventType.MOTION_NOTIFY:
            fields.button = 1
        event.set_device(self.mouse)
        Gtk.main_do_event(event)

    def click(self, name):
        if self.js(f"__wk.byName('{name}').disabled"):
            raise Failure(f"{name} is disabled")
        x, y = self.js(f"__wk.at('{name}')")
        self.pointer(Gdk.EventType.MOTION_NOTIFY, x, y)
        self.pointer(Gdk.EventType.BUTTON_PRESS, x, y)
        self.pointer(Gdk.EventType.BUTTON_RELEASE, x, y, held=True)

    def snapshot(self, path):
        box = {}

        def finished(view, result):
            try:
                box["surface"] = view.get_snapshot_finish(result)
            except GLib.Error as error:
                box["error"] = error.message

        self.view.get_snapshot(WebKit2.SnapshotRegion.VISIBLE, WebKit2.SnapshotOptions.NONE, None, finished)
        self.pump(lambda: box, 20, "the snapshot")
        if "error" in box:
            raise Failure(f"snapshot: {box['error']}")
        box["surface"].write_to_png(path)


class Lesson:
    def __init__(self, page):
        self.page = page
        self.passed = []

    def check(self, what, got, want):
        if got != want:
            raise Failure(f"{what}: expected {want!r}, got {got!r}")

    def state(self):
        """The program's state, its numbers as plain values (their kinds apart)."""
        raw = self.page.js("__wk.state()")
        return {k: v["v"] if isinstance(v, dict) and "v" in v else v for k, v in raw.items()}

    def picture(self):
        return self.page.js("__wk.picture()")

    def focus_on(self, name, after):
        try:
            self.page.wait(f"__wk.focused() === {json.dumps(name)}")
        except Failure:
            raise Failure(f"focus after {after}: expected {name}, got {self.page.js('__wk.focused()')!r}")

    def step(self, name, run):
        started = time.monotonic()
        run()
        self.passed.append(name)
        print(f"  ok  {name} ({time.monotonic() - started:.2f} s)", flush=True)

    # The steps.

    def starts(self, link=None):
        """The program shown; with link, the texts a problem by link typed into the boxes."""
        p = self.page
        shown = p.wait("document.getElementById('form') && document.getElementById('form').style.visibility === 'visible'"
                       " || (__wk.log.length ? __wk.log : false)", timeout=60)
        if shown is not True:
            raise Failure("the program did not start: " + " | ".join(shown))
        s = self.state()
        self.check("origin and unit at the start", (s["originX"], s["originY"], s["unitSize"]), (300, 300, 22))
        if link:
            self.check("the boxes filled by the link",
                       p.js(f"[{', '.join(map(str, range(len(link))))}].map(function (i) {{"
                            " return __wk.byName('Text1(' + i + ')').value; })"), list(link))
        self.check("first focus", p.js("__wk.focused()"), "Command4(0)" if link else "Text1(0)")
        if self.picture()["colours"] < 3:
            raise Failure("the plane is not drawn")
        shown_at, ratio = p.js("[window.lessonShownAt, window.devicePixelRatio]")
        print(f"      {ratio} device pixels to a CSS pixel"
              + (f"; usable {shown_at:.0f} ms after the page began loading" if shown_at is not None else ""), flush=True)

    def enter_chain(self):
        p = self.page
        for box, text, then in (("Text1(0)", "2", "Text1(1)"), ("Text1(1)", "3", "Text1(2)"),
                                ("Text1(2)", "6", "Command4(0)")):
            p.type(text)
            p.wait(f"__wk.byName('{box}').value === '{text}'")
            p.key(Gdk.KEY_Return)
            self.focus_on(then, f"Enter in {box}")

    def lesson(self):
        # Each button of the lesson is pressed by Enter where the focus went.
        p = self.page
        expected = (("Command4(0)", (1, 0, 0), "Command4(1)"), ("Command4(1)", (1, 1, 0), "Command5"),
                    ("Command5", (1, 1, 1), "Command6"), ("Command6", (1, 1, 1), None))
        for button, shown, then in expected:
            before = self.picture()["hash"]
            p.key(Gdk.KEY_Return)
            if then:
                self.focus_on(then, f"Enter on {button}")
            else:
                p.wait("__wk.state().slots[3] !== null")
            s = self.state()
            self.check(f"points and line after {button}", (s["pointsShown"], s["morePointsShown"], s["lineShown"]), shown)
            if then and self.picture()["hash"] == before:
                raise Failure(f"{button} left the plane as it was")
        s = self.state()
        slots = s["slots"]
        self.check("slots of the equation",
                   [slots[i] for i in (0, 1, 3, 4, 5, 6, 7)], ["ｙ＝", "－", " 2", " 3", "ｘ", "＋", " 2"])
        self.check("bars", s["bars"], [True, False])
        self.check("reading", s["reading"], "ｙ＝マイナス３分の２ｘプラス２")
        self.check("reading on the page", p.js("document.querySelector('.reading').textContent"), s["reading"])
        self.check("bar on the page", p.js("getComputedStyle(__wk.byName('Line1(0)')).visibility"), "visible")
        self.check("numerator on the page", p.js("__wk.byName('Label4(3)').textContent"), " 2")
        self.lesson_state = s

    def captions(self):
        self.check("characters outside their control", self.page.js("__wk.hidden()"), [])

    def sizes(self):
        p = self.page
        for index, unit in ((0, 40), (2, 14), (1, 22)):
            before = self.picture()["hash"]
            p.click(f"Command3({index})")
            p.wait(f"__wk.state().unitSize === {unit}")
            s = self.state()
            self.check(f"lesson kept by Command3({index})", (s["lineShown"], s["slots"]),
                       (1, self.lesson_state["slots"]))
            self.check(f"Command3({index}) checked",
                       p.js(f"__wk.byName('Command3({index})').getAttribute('aria-checked')"), "true")
            if self.picture()["hash"] == before:
                raise Failure(f"Command3({index}) left the plane as it was")

    def drag(self):
        p = self.page
        s = self.state()
        x0, y0 = s["originX"], s["originY"]
        before = self.picture()["hash"]
        start = p.js("__wk.at('Picture1', 200, 200)")
        end = p.js("__wk.at('Picture1', 240, 220)")
        p.pointer(Gdk.EventType.MOTION_NOTIFY, *start)
        p.pointer(Gdk.EventType.BUTTON_PRESS, *start)
        p.wait("__wk.state().dragging.v === 1")
        for k in range(1, 5):
            p.pointer(Gdk.EventType.MOTION_NOTIFY, start[0] + (end[0] - start[0]) * k / 4,
                      start[1] + (end[1] - start[1]) * k / 4, held=True)
        p.pointer(Gdk.EventType.BUTTON_RELEASE, *end, held=True)
        p.wait("__wk.state().dragging.v === 0")
        s = self.state()
        self.check("origin moved by the drag", (round(s["originX"] - x0), round(s["originY"] - y0)), (40, 20))
        self.check("line kept by the drag", s["lineShown"], 1)
        if self.picture()["hash"] == before:
            raise Failure("the drag left the plane as it was")
        # The mouse moved with no button held moves nothing.
        p.pointer(Gdk.EventType.MOTION_NOTIFY, *start)
        p.js("true")
        self.check("origin after a move without a button", round(self.state()["originX"] - x0), 40)

    def arrows(self):
        # The plane takes the focus when clicked (a drag's replays move it on).
        p = self.page
        p.click("Picture1")
        self.focus_on("Picture1", "a click on the plane")
        x0, unit = self.state()["originX"], self.state()["unitSize"]
        p.key(Gdk.KEY_Left)
        p.wait(f"__wk.state().originX.v === {x0 - unit}")
        self.focus_on("Picture1", "ArrowLeft")

    def b_zero(self):
        # The program learns that b = 0 from the exception its division
        # throws: WebAssembly's own exceptions, thrown and caught in WebKit.
        p = self.page
        p.click("Command2")
        self.focus_on("Text1(0)", "初期画面")
        s = self.state()
        self.check("reset", (s["originX"], s["originY"], s["pointsShown"], s["lineShown"]), (300, 300, 0, 0))
        self.check("boxes after the reset",
                   p.js("[0, 1, 2].map(function (i) { return __wk.byName('Text1(' + i + ')').value; })"), ["", "", ""])
        for text in ("1", "0", "2"):
            p.type(text)
            p.key(Gdk.KEY_Return)
        self.focus_on("Command4(0)", "Enter in Text1(2)")
        p.key(Gdk.KEY_Return)
        text = p.wait("__wk.message()")
        if not text.startswith("ｂが０なので"):
            raise Failure(f"message for b = 0: got {text!r}")
        self.check("points for b = 0", self.state()["pointsShown"], 0)
        self.focus_on("OK", "the message")
        p.key(Gdk.KEY_Return)
        p.wait("__wk.message() === null")
        self.focus_on("Text1(1)", "the message, on b")
        self.check("b selected", p.js("[document.activeElement.selectionStart, document.activeElement.selectionEnd]"),
                   [0, 1])

    # The second lesson (system.html): 2x + 3y = 6 and x − y = −3 meet at (−3/5, 12/5).

    def system(self):
        p = self.page
        p.goto(self.system_url)
        by_link = "?" in self.system_url
        self.starts(SYSTEM_PROBLEM if by_link else None)
        self.check("the lesson", self.state()["lesson"], 2)
        for i, text in enumerate(() if by_link else SYSTEM_PROBLEM):
            p.type(text)
            p.wait(f"__wk.byName('Text1({i})').value === '{text}'")
            p.key(Gdk.KEY_Return)
            self.focus_on(f"Text1({i + 1})" if i < 5 else "Command4(0)", f"Enter in Text1({i})")
        for button, then in (("Command4(0)", "Command4(1)"), ("Command4(1)", "Command5"), ("Command5", "Command6"),
                             ("Command6", "Command2")):
            before = self.picture()["hash"]
            p.key(Gdk.KEY_Return)
            self.focus_on(then, f"Enter on {button}")
            if self.picture()["hash"] == before:
                raise Failure(f"{button} left the plane as it was")
        s = self.state()
        self.check("the intersection", (s["meeting"]["kind"], s["meeting"]["x"], s["meeting"]["y"]), ("point", [-3, 5], [12, 5]))
        self.check("its slots", s["point"], ["（ｘ，ｙ）＝（", "－", None, " 3", " 5", "，", None, None, " 12", " 5", "）"])
        self.check("its bars on the page",
                   p.js("[0, 1].map(function (i) { return getComputedStyle(__wk.byName('Line2(' + i + ')')).visibility; })"),
                   ["visible", "visible"])
        self.check("the readings", s["readings"], ["①　ｙ＝マイナス３分の２ｘプラス２", "②　ｙ＝ｘプラス３",
                                                   "交点は、ｘ＝マイナス５分の３、ｙ＝５分の１２"])
        # The ring around (−3/5, 12/5): (286.8, 247.2) on the plane of 22 pixels a unit.
        self.check("the ring on the plane",
                   p.js("[[10, 0], [-10, 0], [0, 10], [0, -10]].map(function (d) {"
                        " return __wk.magenta(286.8 + d[0], 247.2 + d[1]); })"), [True] * 4)
        self.check("characters outside their control", p.js("__wk.hidden()"), [])

    def other(self, name):
        """Another lesson's page: its program starts (with the problem of its link, where one is given)."""
        url = self.urls[name]
        self.page.goto(url)
        self.starts(PROBLEMS.get(name) if "?" in url else None)
        self.captions()

    def self_contained(self):
        """Each page of one file loaded itself and data: URLs, nothing else."""
        pages = {url.split("?")[0] for url in self.urls.values()}
        loaded = {uri.split("?")[0] for uri in self.page.loads}
        self.check("the pages among what was loaded", sorted(pages - loaded), [])
        self.check("what was loaded besides", sorted(loaded - pages - {"about:blank"}
                                                     - {u for u in loaded if u.startswith("data:")}), [])

    def ends(self):
        # Opened from a link, the page may not close its window: the lesson
        # ends on a screen of its own.
        p = self.page
        p.click("Command1")
        p.wait("!document.getElementById('ended').hidden")
        self.check("stage hidden at the end", p.js("document.getElementById('stage').hidden"), True)
        self.focus_on("again", "the end")
        self.check("the window asked to close", "close" in p.events, False)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site", help="the lesson's folder (index.html, lesson.js …), or with --single the folder of"
                                     " its pages made each into one file")
    parser.add_argument("--single", action="store_true", help="open the pages of one file each from the disk, by link")
    parser.add_argument("--screenshot", help="PNG of the finished lesson")
    parser.add_argument("--size", default="1024x768", help="the window's size, WIDTHxHEIGHT")
    args = parser.parse_args()

    started = time.monotonic()
    # Each lesson's page: from the disk with the problem of its link, or served.
    urls = {}
    if args.single:
        server = None
        folder = pathlib.Path(args.site).resolve()
        for name, page, names in LESSONS:
            problem = PROBLEMS.get(name)
            urls[name] = (folder / page).as_uri() + (
                "?" + urllib.parse.urlencode(dict(zip(names, problem))) if problem else "")
    else:
        server = serve(args.site)
        for name, page, _ in LESSONS:
            urls[name] = f"http://127.0.0.1:{server.server_address[1]}/{page}"
    url, lesson_system_url = urls[LESSONS[0][0]], urls["system"]
    width, height = (int(n) for n in args.size.split("x"))
    print(f"WebKitGTK {WebKit2.get_major_version()}.{WebKit2.get_minor_version()}.{WebKit2.get_micro_version()},"
          f" {url}, window {width}x{height}", flush=True)
    page = Page(url, width, height)
    lesson = Lesson(page)
    lesson.url, lesson.system_url, lesson.urls = url, lesson_system_url, urls
    if args.single:
        steps = [("the program starts with the problem of its link", lambda: lesson.starts(PROBLEM))]
    else:
        steps = [("the program starts", lesson.starts), ("a, b, c typed and led on by Enter", lesson.enter_chain)]
    steps.append(("the lesson 2x + 3y = 6 to its equation", lesson.lesson))
    if args.screenshot:
        steps.append(("screenshot of the finished lesson", lambda: page.snapshot(args.screenshot)))
    if args.single:
        steps += [
            ("every caption shown whole", lesson.captions),
            ("b = 0 brings its message", lesson.b_zero),
            ("the second lesson by its link to its intersection", lesson.system),
        ]
    else:
        steps += [
            ("every caption shown whole", lesson.captions),
            ("the three sizes", lesson.sizes),
            ("a drag moves the origin", lesson.drag),
            ("an arrow key moves the origin", lesson.arrows),
            ("b = 0 brings its message", lesson.b_zero),
            ("終了 ends the lesson", lesson.ends),
            ("the second lesson: a system to its intersection", lesson.system),
        ]
    if args.screenshot:
        steps.append(("screenshot of the second lesson",
                      lambda: page.snapshot(args.screenshot.removesuffix(".png") + "-system.png")))
    # Every other lesson's page of lessons.json.
    steps += [(f"{other_page}: its lesson starts", functools.partial(lesson.other, name))
              for name, other_page, _ in LESSONS[1:] if name != "system"]
    if args.single:
        steps.append(("nothing loaded but the pages themselves and data: URLs", lesson.self_contained))
    failed = []
    for name, run in steps:
        try:
            lesson.step(name, run)
        except Failure as failure:
            failed.append(name)
            print(f"  FAIL {name}: {failure}", flush=True)
            if args.screenshot:
                # The page as the failing step left it.
                shot = args.screenshot.removesuffix(".png") + "-failed.png"
                try:
                    page.snapshot(shot)
                    print(f"      the page then: {shot}")
                except Failure:
                    pass
            break
    try:
        log = page.js("__wk.log")
    except Failure:
        log = ["(the page's log could not be read)"]
    if log:
        print("the page's console:\n    " + "\n    ".join(log))
        if not failed and any(line.startswith(("error", "uncaught", "rejected")) for line in log):
            failed.append("the page's console")
    if QuietHandler.missing:
        print("asked for but not in the site folder: " + ", ".join(sorted(set(QuietHandler.missing))))
    if server:
        server.shutdown()
    print(f"{len(lesson.passed)} passed, {len(failed)} failed ({time.monotonic() - started:.1f} s)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
