// DrawText: the bitmap text drawer, one font sheet and 256 glyph display lists, plus a fixed 2D view.
#pragma once

#if defined(__GNUC__)
#define VUNA_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define VUNA_PRINTF_FORMAT(fmtIndex, firstArg)
#endif

// The font sheet "font_arial.tga" is a 16 x 16 grid of glyph cells; cell i is column i % 16,
// row i / 16, the first stored row of the file at the top. Cells 0-95 hold the bold glyphs of
// codes 32-127, cells 128-223 the regular ones. Each cell has its display list (mBaseListId +
// i): a 16 x 16 textured quad with its top-left corner at the origin (y downwards), then a
// 12-unit move to the right, which stays in the modelview matrix.
//
// The drawer sets neither colour, scale nor position: the caller does (see VFont). It is a
// process-wide singleton, created and initialised by the first GetSingleton, which needs the
// GL context current.
class CTextDrawer {
 public:
  static CTextDrawer* GetSingleton();
  // Deletes the lists, the font texture and the instance; the next GetSingleton builds anew.
  static void Destroy();

  CTextDrawer(const CTextDrawer&) = delete;
  CTextDrawer& operator=(const CTextDrawer&) = delete;

  // Formats printf style (at most 1023 characters; longer output is cut) and draws the text at
  // the current modelview origin in the current colour, with the bold or regular set. maxLength
  // is the number of leading characters to draw, -1 for all; it is capped at the formatted
  // length, and any other negative value draws nothing. Bytes that reach no glyph list draw
  // nothing and do not advance. A null fmt does nothing at all. Texturing and blending end
  // disabled; the list base, the bound texture and the blend function stay as set. Always true.
  bool PrintText(bool bold, int maxLength, const char* fmt, ...) VUNA_PRINTF_FORMAT(4, 5);

  // The lists hold texture coordinates only, so any sheet of the same layout can replace it.
  void SetFontTextureId(unsigned int aFontTextureId);
  // Stored only: drawing uses the current GL colour.
  void SetColor(float aR, float aG, float aB, float aA);

 private:
  CTextDrawer();
  static void Initialise();

  static CTextDrawer* mSingleton;

  unsigned int mBaseListId;
  unsigned int mFontTexId;
  float mR;
  float mG;
  float mB;
  float mA;
};

namespace vuna {

// A 1024 x 768 view with its origin at the bottom-left and y upwards, for text outside the
// widget tree: pushes both matrices, which Exit2d pops. Both end in GL_MODELVIEW mode. In
// namespace vuna, clear of a program's own names.
void Go2d();
void Exit2d();

}  // namespace vuna

using vuna::Exit2d;
using vuna::Go2d;
