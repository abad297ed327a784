// VLookAndFeel: the shared drawing style (palette, default font, control images) and its drawing primitives.
#pragma once

#include "VTheme.h"

class VColor;
class VFont;

/// The look of a bevel, also a button's press state.
enum VBevelState {
  bsUp = 0,        // raised: light top-left, dark bottom-right
  bsDown = 1,      // pressed: dark top-left, light bottom-right
  bsDisabled = 2,  // flat: one grey on all four edges
};

/// One instance, made by the screen while the GL context is current and shared by pointer with
/// every widget; its colours and font are the shared objects themselves, so changing one in
/// place restyles every widget at the next draw pass. Construction loads the eight control
/// images from the working directory; a missing one is reported by createTexture and leaves its
/// field a texture name without image.
///
/// Themes: setTheme rewrites the palette and the font's colour in place (the same objects, so
/// every widget draws in the new theme at the next frame) and switches the control images. The
/// dark theme's eight images (checkbox_dark.tga, ...) are loaded at the first switch to it, so a
/// program that stays light reads and holds exactly the eight light ones.
///
/// High resolution: setHighResolution(true) switches to the control images drawn at twice the
/// size (checkbox_2x.tga, checkbox_dark_2x.tga, ...), for a display scaled by 1.5 or more. They
/// are drawn into the same quads (a check box is still 16 x 16 units), so under a modelview
/// scale of 2 each texel lands on its own pixel. Four sets in all, light and dark at each
/// resolution; each is loaded the first time it is the one in use, and CleanUp deletes every
/// set loaded.
class VLookAndFeel {
 private:
  VTheme Theme;
  bool DarkImagesLoaded;
  /// The dark theme's images, in the order of the light ones above them.
  unsigned int DarkTexIDs[8];
  bool HighResolution;
  /// The images at twice the size, [theme][image] in the order of DarkTexIDs.
  bool HighResImagesLoaded[2];
  unsigned int HighResTexIDs[2][8];
  unsigned int CheckBoxTexID;
  unsigned int CheckBoxCheckedTexID;
  unsigned int RadioButtonCheckedTexID;
  unsigned int RadioButtonTexID;
  unsigned int CloseButtonTexID;
  unsigned int CloseButtonDownTexID;
  unsigned int MaximizeButtonTexID;
  unsigned int MaximizeButtonDownTexID;
  /// Reserved: no image is loaded for them and nothing draws them.
  [[maybe_unused]] unsigned int RestoreButtonTexID;
  [[maybe_unused]] unsigned int RestoreButtonDownTexID;
  [[maybe_unused]] unsigned int MinimizeButtonTexID;
  [[maybe_unused]] unsigned int MinimizeButtonDownTexID;

 protected:
  VColor* BackGroundColor;     ///< widget fill; tint of the check-box and radio images
  VColor* DisabledColor;       ///< offered to widgets, read by none of the toolkit's own
  VColor* BevelRaisedColor;    ///< light bevel edges
  VColor* BevelLoweredColor;   ///< dark bevel edges
  VColor* BevelDisabledColor;  ///< every edge of a bsDisabled bevel
  VColor* HighlightColor;      ///< focus marks and highlighted fills
  VColor* ScreenColor;         ///< the screen's fill behind the windows
  VFont* Font;                 ///< default font; widgets copy it with VFont::copyFromTheme

  /// Sets every colour of the theme's palette and the font's colour, in place.
  void setPalette(VTheme theme);
  /// Loads the image set of the theme and resolution in use unless it is loaded already.
  void loadImagesInUse();
  /// The texture of image i (in the order of DarkTexIDs) in the set in use.
  unsigned int imageInUse(int i) const;

 public:
  VLookAndFeel();
  VLookAndFeel(const VLookAndFeel&) = delete;
  VLookAndFeel& operator=(const VLookAndFeel&) = delete;

  /// Sets the light palette and the font, then loads the eight images.
  virtual void Init();
  /// Deletes the eight loaded textures (and the dark theme's and the 2x sets, once loaded); the
  /// fields keep their names.
  virtual void CleanUp();
  virtual ~VLookAndFeel();

  /// Outlines (x, y)-(x + w, y + h) with GL_LINES through the exact corners at the current line
  /// width: left and top edges in the first colour, right and bottom in the second (raised:
  /// white then grey; pressed: the other way round; disabled: one grey). An unknown state sets
  /// no colour. The second colour stays current.
  void drawBevel(float x, float y, float w, float h, VBevelState state);
  /// Emits the corners (x, y + h), (x, y), (x + w, y), (x + w, y + h) as vertices only: the
  /// caller sets the colour and brackets them with glBegin/glEnd (GL_POLYGON, GL_LINE_LOOP).
  void drawRect(float x, float y, float w, float h);
  /// Fills (x, y)-(x + w, y + h) in the colour (a GL_POLYGON of drawRect's corners); the colour
  /// stays current.
  void fillRect(float x, float y, float w, float h, VColor* color);
  /// The face of an entry with buttons at its right (a spin box, a combo box): the background
  /// over the whole width, a sunken bevel over the first `field` pixels (disabled look when not
  /// enabled), a ring in the highlight colour 1 pixel inside it while focused, and the text in
  /// the font, 3 pixels in and centred in the height, cut to the field less 6 pixels.
  void drawTextField(int width, int field, int height, bool enabled, bool focused, VFont* font,
                     const char* text);
  /// Stretches the texture over (0, 0)-(width, height), multiplied by the current colour and
  /// blended by its alpha, the first stored row along the bottom edge. Texturing and blending
  /// end disabled.
  void drawTexture(unsigned int texID, int width, int height);
  /// Switches the palette, the font's colour and the control images; the light theme's values
  /// are exactly those of construction. Call it with the GL context current (the first switch
  /// to the dark theme loads its images). A value that is no theme changes nothing.
  void setTheme(VTheme theme);
  VTheme getTheme() const;
  /// Draws the control images from the set at twice the size (true) or at their own size
  /// (false, the default); the palette, the font and every size stay the same. Call it with the
  /// GL context current: the first switch to a set loads it. The text drawer has its own
  /// switch, CTextDrawer::SetHighResolution.
  void setHighResolution(bool highResolution);
  bool getHighResolution() const;

  /// 16 x 16 images, tinted by the background colour in the light theme; the dark theme's are
  /// drawn as they are.
  void drawCheckBox(bool checked);
  void drawRadioButton(bool checked);
  /// Window button images at the given size, in whatever colour is current.
  void drawCloseButton(bool down, int width, int height);
  void drawMaximizeButton(bool down, int width, int height);

  VColor* getBackGroundColor();
  VColor* getDisabledColor();
  VColor* getBevelRaisedColor();
  VColor* getBevelLoweredColor();
  VColor* getBevelDisabledColor();
  VColor* getHighlightColor();
  /// The screen's fill: the light theme's blue-grey (0.3, 0.3, 0.5), a deep navy in the dark.
  VColor* getScreenColor();
  VFont* getFont();
  void print();
};
