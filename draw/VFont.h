// VFont: a font description (size, bold flag, colour) that measures and draws text through the text drawer.
#pragma once

class VColor;

/// Metrics follow from the text drawer's fixed cell: every glyph, bold or not, is Size pixels
/// high and advances 0.75 x Size pixels (12 units of 16), so widths depend on the character
/// count alone. Texts are byte strings; maxLength is the number of leading characters to draw,
/// -1 for the whole text.
class VFont {
 protected:
  int Size;
  bool Bold;
  VColor* Color;  ///< owned
  /// The colour follows the theme's (see copyFromTheme) while Color's revision is this one.
  bool FollowsTheme;
  unsigned int ThemeRevision;

 public:
  VFont();  ///< Size 16, not bold, opaque white
  VFont(const VFont&) = delete;
  VFont& operator=(const VFont&) = delete;

  virtual void Init();
  virtual void CleanUp();
  virtual int getSize();
  virtual void setSize(int newValue);
  virtual bool getBold();
  virtual void setBold(bool newValue);
  virtual ~VFont();

  /// Draws under a pushed matrix, so the modelview matrix ends as it began.
  void draw(const char* aText, int maxLength);
  /// Makes the colour current, scales by Size / 16 and draws at the current origin; the scale and
  /// the advance of the drawn glyphs stay in the modelview matrix. Every character is a glyph, a
  /// percent sign included.
  void drawInternal(const char* aText, int maxLength);
  /// Draws with the first glyph's top-left corner at (x, y); the matrix ends as it began.
  void drawAtPos(const char* aText, int x, int y, int maxLength);
  /// Draws length bytes of text (zero bytes included) with the i-th one's cell i advances right
  /// of x and its top at y, whatever the bytes before it: a byte that has no glyph (below 32,
  /// or 127 to 159) leaves its cell empty, where drawInternal draws nothing and moves on by
  /// nothing. So columns stay where the widths say, for an editor's caret and selection. Only
  /// the bytes asked for are read; the matrix ends as it began.
  void drawInCells(const char* text, int length, int x, int y);
  /// Drawn width in pixels: length x 12 x Size / 16.
  float getTextWidth(const char* aText);
  /// How many leading characters to draw in aWidth pixels: a last character only partly inside
  /// counts, the text's length caps the answer, and no room (a width of 0 or less) gives 0.
  int getLengthForWidth(const char* aText, int aWidth);
  /// The font's own colour, to be changed in place.
  VColor* getColor();
  /// Size, Bold and the colour's channels; the colour object stays this font's own.
  void copyFrom(VFont* from);
  /// copyFrom the look and feel's font, and let the colour follow it: each followTheme then
  /// gives this font the theme font's colour again, until somebody sets this font's colour
  /// (through getColor()'s setters or a copyFrom, whatever the value), which makes the colour
  /// the program's for good. Size and Bold are copied once and never followed.
  void copyFromTheme(VFont* theme);
  /// What a widget calls before it draws with the font, passing its look and feel's font: takes
  /// that font's colour while this one still follows the theme; otherwise changes nothing.
  void followTheme(VFont* theme);
  /// True from copyFromTheme until the colour is set by anybody but followTheme.
  bool getFollowsTheme();
  void print();
};
