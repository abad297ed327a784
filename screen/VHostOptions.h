// VHostOptions: what a whole program's entry opens, the same under every host (vunaMain under
// GLUT, vunaGlfwMain, vunaSdl2Main), and the one type of the scene builder each entry calls.
#pragma once

class VScreen;

/// Builds the application's widgets under the new screen, before the host's loop starts.
typedef void (*VSceneBuilder)(VScreen* screen);

/// The window an entry opens: its title, its size in pixels and the place of its top-left
/// corner on the desktop. The defaults are the demo's: "mini Vuna", 500 by 400 at (100, 100).
struct VHostOptions {
  const char* title = "mini Vuna";
  int width = 500;
  int height = 400;
  int left = 100;
  int top = 100;
  /// The screen's scale (VScreen::setScale, 1 to 4): the size above counts points and the
  /// window opens at this many pixels per point. 0 (the default): the host's choice, which
  /// under GLUT and SDL2 is 1, and under GLFW the desktop's content scale.
  double scale = 0;

  /// The defaults with another title, as the entries' title-only overloads take it.
  static VHostOptions titled(const char* title) {
    VHostOptions options;
    options.title = title;
    return options;
  }
  /// The options as an entry uses them: a null title is empty, and a width or height below 1
  /// is 1 (no host opens a window without pixels).
  VHostOptions checked() const {
    VHostOptions c = *this;
    c.title = title != nullptr ? title : "";
    c.width = width < 1 ? 1 : width;
    c.height = height < 1 ? 1 : height;
    c.scale = !(scale > 0) ? 0 : scale < 1 ? 1 : scale > 4 ? 4 : scale;  // NaN is 0
    return c;
  }
  /// The window's size in pixels: the size in points times the scale (rounded), for checked
  /// options.
  int pixelWidth() const { return inPixels(width); }
  int pixelHeight() const { return inPixels(height); }

 private:
  int inPixels(int points) const {
    return scale > 1 ? static_cast<int>(points * scale + 0.5) : points;
  }
};
