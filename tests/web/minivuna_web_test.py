"""mini Vuna in headless Chromium: the page built by scripts/web.sh, driven over the DevTools
protocol with the mouse and the keyboard, checked by its pictures (against the GLUT demo's
reference pictures, 2/255 a channel), by what it prints to the console, and by how it ends.
One PASS or FAIL line per check; the exit status is 1 when any check failed.

Usage: minivuna_web_test.py <build-web folder> <reference folder> <output folder>
"""
import functools, http.server, os, sys, threading, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools import Browser  # noqa: E402
import png  # noqa: E402

page_dir, golden_dir, out_dir = (os.path.abspath(p) for p in sys.argv[1:4])
os.makedirs(out_dir, exist_ok=True)
failures = []


def check(ok, what, detail=""):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok or not detail else " (%s)" % detail))
    if not ok:
        failures.append(what)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def status(b):
    return b.evaluate("document.getElementById('status').textContent")


def start(b, url):
    """A fresh program: the page loaded again, up to its first frame."""
    b.open(url)
    b.wait_for(lambda: status(b) == "mini Vuna is running.", 30, "the program to start")
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        if near(b.screenshot(0, 0, 500, 400).pixel(480, 390), (77, 77, 128)):
            return
        time.sleep(0.1)
    raise TimeoutError("no first frame: the screen's background did not show")


def near(rgb, expected, tolerance=2):
    return all(abs(a - e) <= tolerance for a, e in zip(rgb, expected))


def see(b, name, golden, what):
    """The canvas against tests/golden/<golden>.png; on a difference, the picture and a diff."""
    shot = b.screenshot(0, 0, 500, 400)
    png.write_png(os.path.join(out_dir, name + ".png"), shot)
    differing = png.compare(shot, png.load_png(os.path.join(golden_dir, golden + ".png")))
    if differing:
        png.write_diff(os.path.join(out_dir, name + ".diff.png"), shot, differing)
    check(not differing, what, "%d pixels differ from %s.png, first at %s; see %s" % (
        len(differing), golden, differing[:1], os.path.join(out_dir, name + ".diff.png")))
    return shot


def printed_since(b, mark):
    return b.console[mark:]


def expect_ended(b, what, last_frame=None):
    try:
        b.wait_for(lambda: status(b) == "mini Vuna has ended (exit status 0).", 10, what)
        ended = True
    except TimeoutError:
        ended = False
    check(ended, what + " ended the program with status 0", "the page says: " + status(b))
    # The last frame stays, at the canvas's size, and answers nothing: a click on "Sub Window"
    # changes no pixel.
    size = b.evaluate("[Module.canvas.width, Module.canvas.height]")
    before = b.screenshot(0, 0, 500, 400)
    b.click(410, 12)
    after = b.screenshot(0, 0, 500, 400)
    stayed = size == [500, 400] and near(before.pixel(480, 390), (76, 76, 128))
    if last_frame is not None:
        stayed = stayed and not png.compare(before, last_frame, 0)
    check(stayed and not png.compare(after, before, 0),
          "after the end the last frame stays and a click changes nothing",
          "canvas %s, background %s" % (size, before.pixel(480, 390)))


def problems(b):
    """Console lines and exceptions that no run of the demo should give: GL errors the browser
    reports, the layer's refusals, the toolkit's own error lines, anything on console.error."""
    bad = list(b.exceptions)
    bad += ["%s: %s" % (level, text) for level, text in b.log_entries
            if level == "error" or "WebGL" in text]
    bad += [line for line in b.console if "Vuna GL layer" in line or "OpenGL-ERROR" in line
            or "Error occured" in line]
    bad += ["console error: " + line for line in b.console_errors]
    return bad


def timers_in_the_page(b, url):
    """The host-services probe: its 300 ms timer fires once within 300 to 600 ms, the timer it
    cancelled never."""
    mark = len(b.console)
    b.open(url)
    fired = lambda: [l for l in printed_since(b, mark) if l.startswith("timer fired")]  # noqa: E731
    try:
        b.wait_for(lambda: fired(), 10, "the probe's timer")
    except TimeoutError:
        pass
    time.sleep(1)
    ms = [int(l.split()[3]) for l in fired()]
    check(len(ms) == 1 and 300 <= ms[0] <= 600, "in the page a 300 ms timer fired once in time",
          "fired after %r ms" % ms)
    check("cancelled timer fired" not in printed_since(b, mark),
          "in the page a cancelled timer never fired")


def main():
    server = serve(page_dir)
    url = "http://127.0.0.1:%d/minivuna.html" % server.server_address[1]
    with Browser(width=500, height=600, log_path=os.path.join(out_dir, "chromium.log")) as b:
        # Buttons: the first frame, a caption button's line, a radio button's line.
        start(b, url)
        see(b, "first-frame", "demo_start", "the first frame equals the GLUT demo's")
        mark = len(b.console)
        b.click(181, 39)  # "Button 2" of the window's toolbar
        b.wait_for(lambda: len(b.console) > mark, 10, "a line from \"Button 2\"")
        check(printed_since(b, mark) == ["Sie haben Button 2 angeklickt!"],
              "pressing \"Button 2\" printed \"Sie haben Button 2 angeklickt!\"",
              "printed %r" % printed_since(b, mark))
        # The two radio images trade places: "Item 1" at (13, 152), "Item 2" at (158, 152).
        before = b.screenshot(0, 0, 500, 400)
        mark = len(b.console)
        b.click(166, 160)
        b.wait_for(lambda: len(b.console) > mark, 10, "a line from \"Item 2\"")
        after = b.screenshot(0, 0, 500, 400)
        swapped = all(after.pixel(158 + x, 152 + y) == before.pixel(13 + x, 152 + y) and
                      after.pixel(13 + x, 152 + y) == before.pixel(158 + x, 152 + y)
                      for x in range(16) for y in range(16))
        looked_alike = all(before.pixel(158 + x, 152 + y) == before.pixel(13 + x, 152 + y)
                           for x in range(16) for y in range(16))
        check(printed_since(b, mark) == ["Sie haben Item 2 angeklickt!"] and swapped
              and not looked_alike, "clicking \"Item 2\" printed its line and checked it",
              "printed %r; images swapped: %s" % (printed_since(b, mark), swapped))

        # Typing and windows: a title-bar drag, the text field, "Fenster", maximise.
        start(b, url)
        b.drag(200, 12, 250, 150)
        see(b, "dragged", "demo_dragged", "dragging the title bar moved the window off the toolbar")
        mark = len(b.console)
        b.click(135, 218)
        for _ in range(7):
            b.key("Backspace")
        b.type_text("Hallo Welt")
        see(b, "typed", "demo_typed", "the typed text shows in the focused field")
        dumps = lambda: printed_since(b, mark).count("Class : VEvent")  # noqa: E731
        try:
            b.wait_for(lambda: dumps() >= 17, 10, "17 key dumps")
        except TimeoutError:
            pass
        check(dumps() == 17, "the field printed each of the 17 key presses", "%d dumps" % dumps())
        b.click(118, 177)  # "Fenster"
        see(b, "fenster", "demo_fenster", "\"Fenster\" opened a window captioned with the text")
        b.click(363, 13)  # the new window's maximise button
        see(b, "maximised", "demo_maximised", "the maximise button made the window cover the screen")

        # Keys as a desktop GLUT under X gives them to the field (10, 70 in the window).
        start(b, url)
        b.click(85, 80)
        mark = len(b.console)
        b.key("Tab")
        b.key("Enter")
        b.key("Delete")
        b._key("a", "KeyA", 65, "", 2)  # Ctrl+A
        b._key("4", "Digit4", 52, "", 2)  # Ctrl+4 (Ctrl+3 is Escape under X, as here)
        b.type_text("!")
        b.key("Backspace")
        b.key("ArrowLeft")  # a special key: the field hears no character
        expected = [9, 13, 127, 1, 28, 33, 8]
        keys = lambda: [l for l in printed_since(b, mark) if l.startswith("Key = ")]  # noqa: E731
        try:
            b.wait_for(lambda: len(keys()) >= len(expected), 10, "the key dumps")
        except TimeoutError:
            pass
        check(keys() == ["Key = %d" % k for k in expected],
              "Tab, Enter, Delete, Ctrl+A, Ctrl+4, \"!\" and Backspace reach the field as "
              "9, 13, 127, 1, 28, 33 and 8", "the field got %r" % keys())

        # The toolbar's uncovered end, the nested pair, the close button.
        start(b, url)
        b.click(300, 12)
        b.click(410, 12)
        see(b, "corner", "demo_corner_pressed", "\"Sub Window\" at the toolbar's end opened its windows")
        b.click(185, 13)
        see(b, "closed", "demo_corner_closed", "the close button removed both windows")

        # "Sub Window" with the toolbar uncovered, then "Shut Down".
        start(b, url)
        b.drag(200, 12, 250, 150)
        b.click(349, 12)
        see(b, "subwindow", "demo_subwindow", "\"Sub Window\" opened the nested pair over everything")
        b.click(240, 12)
        expect_ended(b, "pressing \"Shut Down\"")

        start(b, url)
        shown = b.screenshot(0, 0, 500, 400)
        b.key("Escape")
        expect_ended(b, "Escape", shown)

        timers_in_the_page(b, url.replace("minivuna.html", "vuna_services_probe.html"))

        gl_error = b.evaluate("typeof GLctx == 'undefined' ? -1 : GLctx.getError()")
        check(gl_error == 0, "WebGL has no error pending at the end", "getError gave %s" % gl_error)
        bad = problems(b)
        check(not bad, "no GL error, no refusal and no exception on the console", "; ".join(bad[:5]))
    server.shutdown()
    print("%d checks failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
