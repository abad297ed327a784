// emscripten's GLUT made to behave as a desktop GLUT (freeglut under X) does for the toolkit.
// Read before the program's script starts (emcc --pre-js); the patches go in before main.
//
// The main loop: GLUT's loop keeps the program running between events, and exit() ends it: the
// page's listeners go, the last frame stays, Module.onExit hears the status. Without this, the
// runtime would end after the first frame (nothing else holds it), or exit() would leave the
// program answering events with an error thrown out of every handler.
Module['noExitRuntime'] = true;
Module['quit'] = function (status, toThrow) {
  if (toThrow instanceof ExitStatus && !runtimeExited) {
    // GLUT's own exit work shrinks the canvas to one pixel, which would wipe the last frame and
    // pull the page up under the pointer: the canvas keeps its size while it runs.
    var canvas = Module['canvas'];
    ['width', 'height'].forEach(function (side) {
      var real = Object.getOwnPropertyDescriptor(HTMLCanvasElement.prototype, side);
      Object.defineProperty(canvas, side, {
        configurable: true, get: function () { return real.get.call(canvas); },
        set: function () {}
      });
    });
    try {
      exitRuntime();  // runs the program's atexit work and removes GLUT's listeners
    } finally {
      delete canvas.width;
      delete canvas.height;
    }
    ABORT = true;  // no further frame
    if (Module['onExit']) Module['onExit'](status);
  }
  throw toThrow;  // unwinds the program's stack; the handler wrappers below end it quietly
};

Module['preRun'] = (Module['preRun'] || []).concat([function () {
  // Motion with a button held reports where the pointer is now; emscripten's reports where it
  // was at the previous event, so a drag would lag one event behind.
  GLUT.onMousemove = function (event) {
    var lastX = Browser.mouseX;
    var lastY = Browser.mouseY;
    Browser.calculateMouseEvent(event);
    var x = Browser.mouseX;
    var y = Browser.mouseY;
    if (x == lastX && y == lastY) return;
    if (GLUT.buttons == 0 && event.target == Module['canvas'] && GLUT.passiveMotionFunc) {
      event.preventDefault();
      GLUT.saveModifiers(event);
      getWasmTableEntry(GLUT.passiveMotionFunc)(x, y);
    } else if (GLUT.buttons != 0 && GLUT.motionFunc) {
      event.preventDefault();
      GLUT.saveModifiers(event);
      getWasmTableEntry(GLUT.motionFunc)(x, y);
    }
  };

  // A key gives the character it types: shifted digits and signs, Latin-1 letters, Ctrl with a
  // key as the control code X gives it; Backspace is 8 and Delete 127 as characters, not
  // special keys. Keys that type nothing (arrows, function keys, Home, ...) stay special keys.
  var special = GLUT.getSpecialKey;
  GLUT.getSpecialKey = function (keyCode) {
    if (keyCode == 8 || keyCode == 46) return null;
    return special(keyCode);
  };
  var named = { Backspace: 8, Tab: 9, Enter: 13, Escape: 27, Delete: 127 };
  // Ctrl with @, letters and [ \ ] ^ _ (and their lower row) keeps the low five bits; with
  // Space or 2 it gives 0, with 3 to 7 the codes 27 to 31, with 8 Delete, with / 31.
  function controlCode(code) {
    if (code >= 64 && code <= 126) return code & 31;
    if (code == 32 || code == 50) return 0;
    if (code >= 51 && code <= 55) return code - 24;
    if (code == 56) return 127;
    if (code == 47) return 31;
    return code;
  }
  GLUT.getASCIIKey = function (event) {
    if (event['metaKey']) return null;
    var key = event['key'];
    if (key in named) return named[key];
    if (typeof key != 'string' || key.length != 1) return null;
    var code = key.charCodeAt(0);
    if (code > 255) return null;  // the toolkit's characters are Latin-1 bytes
    if (event['ctrlKey'] && !event['altKey']) return controlCode(code);
    return code;
  };

  // A handler that ends the program unwinds with ExitStatus: that is the end, not an error.
  ['onKeydown', 'onKeyup', 'onMouseButtonDown', 'onMouseButtonUp', 'onMousemove',
   'onMouseWheel'].forEach(function (name) {
    var handler = GLUT[name];
    GLUT[name] = function (event) {
      try {
        handler(event);
      } catch (e) {
        if (!(e instanceof ExitStatus)) throw e;
      }
    };
  });
}]);
