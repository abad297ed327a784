"""Drives headless Chromium over the DevTools protocol on --remote-debugging-pipe.

Chromium reads NUL-terminated JSON commands on its fd 3 and writes replies and events on fd 4.
A reader thread files replies by id and records console lines, exceptions and log entries as
they arrive, so every wait only polls state that is already current.
"""
import base64, fcntl, json, os, shutil, signal, subprocess, tempfile, threading, time
from png import read_png

CHROMIUM = "/usr/bin/chromium"
# Root needs --no-sandbox. There is no GPU: WebGL runs on ANGLE over SwiftShader, which Chromium
# now only grants with --enable-unsafe-swiftshader. The rest keeps runs quiet, offline, repeatable;
# --hide-scrollbars keeps the viewport whole even when a page overflows.
FLAGS = ["--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
         "--no-first-run", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--disable-extensions", "--hide-scrollbars", "--mute-audio",
         "--remote-debugging-pipe"]
BUTTONS = {"left": 1, "right": 2, "middle": 4}
# Named keys: DOM keyCode (their `code` is the name); of these only Enter types text, "\r".
KEYS = dict(Backspace=8, Tab=9, Enter=13, Escape=27, PageUp=33, PageDown=34, End=35, Home=36,
            ArrowLeft=37, ArrowUp=38, ArrowRight=39, ArrowDown=40, Insert=45, Delete=46,
            **{"F%d" % n: 111 + n for n in range(1, 13)})
# US layout beyond letters and digits: unshifted and shifted character, code, DOM keyCode.
PUNCT = [(" ", "", "Space", 32), ("-", "_", "Minus", 189), ("=", "+", "Equal", 187),
         ("[", "{", "BracketLeft", 219), ("]", "}", "BracketRight", 221), ("\\", "|", "Backslash", 220),
         (";", ":", "Semicolon", 186), ("'", '"', "Quote", 222), (",", "<", "Comma", 188),
         (".", ">", "Period", 190), ("/", "?", "Slash", 191), ("`", "~", "Backquote", 192)]
SHIFTED_DIGITS = ")!@#$%^&*("


def char_key(ch):
    """(code, DOM keyCode, shift held) of a character typed on a US keyboard."""
    if ch.isascii() and ch.isalnum():
        return ("Key" if ch.isalpha() else "Digit") + ch.upper(), ord(ch.upper()), ch.isupper()
    if ch in SHIFTED_DIGITS:
        return "Digit%d" % SHIFTED_DIGITS.index(ch), 48 + SHIFTED_DIGITS.index(ch), True
    for plain, shifted, code, key_code in PUNCT:
        if ch in (plain, shifted):
            return code, key_code, ch == shifted
    return "", 0, False  # not on the layout: the text alone still arrives with keypress


def _format_arg(arg):
    """A console argument as console.log prints it: strings as they are, numbers without ".0"."""
    if "value" not in arg:
        return arg.get("unserializableValue") or arg.get("description") or arg.get("type", "")
    v = arg["value"]
    v = int(v) if isinstance(v, float) and v.is_integer() else v
    return v if isinstance(v, str) else json.dumps(v)


class Browser:
    def __init__(self, width=800, height=600, log_path=None):
        self.width, self.height, self.log_path = width, height, log_path
        self.console, self.exceptions, self.log_entries = [], [], []
        self.console_errors = []  # the console lines logged as errors or warnings
        self._replies, self._next_id, self._loads, self._buttons = {}, 0, 0, 0
        self._cond, self._write_lock = threading.Condition(), threading.Lock()
        self._proc = self._dir = self._session = self._w = None
        self._pipe_closed = False

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start(self):
        self._dir = tempfile.mkdtemp(prefix="vuna-chromium-")
        log = open(self.log_path, "ab") if self.log_path else subprocess.DEVNULL
        to_child, self._w = os.pipe()
        self._r, from_child = os.pipe()
        # The child's ends move above fd 4 first, so placing them at 3 and 4 can neither overwrite
        # one with the other nor leave close-on-exec set (dup2 onto itself would keep it).
        theirs = [fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10) for fd in (to_child, from_child)]
        os.close(to_child), os.close(from_child)
        # The reader owns self._r; it sees end of file once Chromium, the only holder left, exits.
        threading.Thread(target=self._read, daemon=True).start()
        try:
            self._proc = subprocess.Popen(
                [CHROMIUM] + FLAGS + ["--user-data-dir=" + self._dir, "about:blank",
                                      "--window-size=%d,%d" % (self.width, self.height)],
                stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True,
                close_fds=False, preexec_fn=lambda: (os.dup2(theirs[0], 3), os.dup2(theirs[1], 4)))
        finally:
            os.close(theirs[0]), os.close(theirs[1])
            log is subprocess.DEVNULL or log.close()
        target = self.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        self._session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True},
                                  session=False)["sessionId"]
        for domain in ("Page", "Runtime", "Log"):
            self.send(domain + ".enable")
        self.send("Emulation.setDeviceMetricsOverride",
                  {"width": self.width, "height": self.height, "deviceScaleFactor": 1, "mobile": False})

    def close(self):
        """Asks Chromium to quit, then kills its process group (GPU and renderer processes
        included, so none outlives a test); removes the profile."""
        if self._proc is not None:
            try:
                self.send("Browser.close", session=False, timeout=3)
                self._proc.wait(timeout=3)
            except Exception:
                pass
            try:
                os.killpg(self._proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self._proc.wait()
            self._proc = None
        if self._w is not None:
            os.close(self._w)
            self._w = None
        shutil.rmtree(self._dir or "", ignore_errors=True)
        self._dir = None

    def _read(self):
        buf = b""
        try:
            for chunk in iter(lambda: os.read(self._r, 1 << 16), b""):
                *messages, buf = (buf + chunk).split(b"\0")
                for raw in messages:
                    self._dispatch(json.loads(raw))
        finally:  # Chromium is gone (or sent garbage): let every wait fail at once
            os.close(self._r)
            with self._cond:
                self._pipe_closed = True
                self._cond.notify_all()

    def _dispatch(self, msg):
        method, params = msg.get("method"), msg.get("params", {})
        with self._cond:
            if "id" in msg:
                self._replies[msg["id"]] = msg
            elif method == "Runtime.consoleAPICalled":
                line = " ".join(_format_arg(a) for a in params.get("args", []))
                self.console.append(line)
                if params.get("type") in ("error", "warning", "assert"):
                    self.console_errors.append(line)
            elif method == "Runtime.exceptionThrown":
                d = params["exceptionDetails"]
                self.exceptions.append(d.get("exception", {}).get("description") or d.get("text", ""))
            elif method == "Log.entryAdded":
                self.log_entries.append((params["entry"]["level"], params["entry"]["text"]))
            elif method == "Page.loadEventFired":
                self._loads += 1
            self._cond.notify_all()

    def wait_for(self, predicate, timeout=10, what="condition"):
        deadline = time.monotonic() + timeout
        with self._cond:
            while not predicate():
                if self._pipe_closed:
                    raise RuntimeError("Chromium exited while waiting for " + what)
                if time.monotonic() >= deadline:
                    raise TimeoutError("timed out after %gs waiting for %s" % (timeout, what))
                self._cond.wait(min(deadline - time.monotonic(), 0.1))
        return True

    def wait_for_console(self, line, timeout=10):
        return self.wait_for(lambda: line in self.console, timeout, "console line %r" % line)

    def send(self, method, params=None, session=True, timeout=10):
        """Sends one command, to the page unless `session` is False; returns its result."""
        with self._cond:
            self._next_id += 1
            msg = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            msg["sessionId"] = self._session
        with self._write_lock:
            os.write(self._w, json.dumps(msg).encode() + b"\0")
        self.wait_for(lambda: msg["id"] in self._replies, timeout, "reply to " + method)
        reply = self._replies.pop(msg["id"])
        if "error" in reply:
            raise RuntimeError("%s failed: %s" % (method, reply["error"].get("message")))
        return reply.get("result", {})

    def open(self, url, timeout=30):
        loads = self._loads
        error = self.send("Page.navigate", {"url": url}, timeout=timeout).get("errorText")
        if error:
            raise RuntimeError("cannot open %s: %s" % (url, error))
        self.wait_for(lambda: self._loads > loads, timeout, "load of " + url)

    def evaluate(self, expression, timeout=10):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, timeout=timeout)
        if "exceptionDetails" in result:
            d = result["exceptionDetails"]
            raise RuntimeError(d.get("exception", {}).get("description") or d.get("text"))
        return result["result"].get("value")

    def screenshot(self, x, y, w, h):
        # Two animation frames: the first runs what the page has pending (GLUT redraws in one),
        # the second comes only after that frame went to the compositor, so it is what we capture.
        self.evaluate("new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))")
        clip = {"x": x, "y": y, "width": w, "height": h, "scale": 1}
        data = self.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
        return read_png(base64.b64decode(data))

    def _mouse(self, kind, x, y, button, clicks=0, buttons=0):
        self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": button or "none",
                                               "buttons": self._buttons | buttons, "clickCount": clicks})

    def mouse_down(self, x, y, button="left"):
        self._buttons |= BUTTONS[button]
        self._mouse("mousePressed", x, y, button, 1)

    def mouse_up(self, x, y, button="left"):
        self._buttons &= ~BUTTONS[button]
        self._mouse("mouseReleased", x, y, button, 1)

    def mouse_move(self, x, y, button=None):
        """Moves the pointer; buttons held since mouse_down (or `button`) make it a drag."""
        held = [b for b, bit in BUTTONS.items() if self._buttons & bit]
        self._mouse("mouseMoved", x, y, button or (held[0] if held else None), 0, BUTTONS.get(button, 0))

    def click(self, x, y, button="left"):
        self.mouse_move(x, y)
        self.mouse_down(x, y, button)
        self.mouse_up(x, y, button)

    def drag(self, x0, y0, x1, y1, steps=5, button="left"):
        self.mouse_move(x0, y0)
        self.mouse_down(x0, y0, button)
        for i in range(1, steps + 1):
            self.mouse_move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps)
        self.mouse_up(x1, y1, button)

    def _key(self, key, code, key_code, text, modifiers=0):
        common = {"key": key, "code": code, "windowsVirtualKeyCode": key_code,
                  "nativeVirtualKeyCode": key_code, "modifiers": modifiers}
        # keyDown with text also fires keypress; keys that type nothing go down raw, as in Chromium.
        self.send("Input.dispatchKeyEvent", dict(common, type="keyDown", text=text) if text
                  else dict(common, type="rawKeyDown"))
        self.send("Input.dispatchKeyEvent", dict(common, type="keyUp"))

    def key(self, name):
        self._key(name, name, KEYS[name], "\r" if name == "Enter" else "")

    def type_text(self, s):
        for ch in s:
            code, key_code, shift = char_key(ch)
            self._key(ch, code, key_code, ch, 8 if shift else 0)
