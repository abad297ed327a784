// DrawText: the bitmap text drawer, one font sheet and 256 glyph display lists, plus a fixed 2D view.
#pragma once

#include <vector>

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
//
// Display lists and textures belong to the GL context they were made in. The drawer keeps the
// names it made in each context and draws with those of the context current at PrintText; in
// a context where it has none (a second window, a context made anew by a switch to full
// screen) it loads the sheet and builds the lists there first. Switching back and forth
// between contexts that are alive builds nothing more.
//
// The 256 glyph lists are the upper part of a block of 416 list names: the 160 names below
// mBaseListId stay empty. They are the names that bytes outside the glyph sets reach through
// the list bases (as low as mBaseListId - 160), so such bytes call an empty list of the
// drawer's own, draw nothing and do not advance, and never reach a list of the program's.
//
// Latin-1: a text whose drawn bytes are all below 128 is drawn exactly as above. One that holds
// a byte of 128 or more, drawn with the drawer's own sheet, takes a second path: the sheet of
// its face that holds every Latin-1 glyph (font_latin1_bold.tga or font_latin1_regular.tga,
// cell i for code i, its cells of 32 to 126 those of font_arial.tga) and a second block of 256
// lists, list i for byte i read unsigned (GL_UNSIGNED_BYTE), each drawing cell i like the
// glyph lists above. Codes 32 to 126 and 160 to 255 draw their glyph and advance 12; 0 to 31
// and 127 to 159 are no glyph: their names are reserved and never compiled, so they draw
// nothing and do not advance. One texture serves the whole string. The block and the two
// sheets are made at the first such text in a context, so a program that only draws ASCII
// loads and builds exactly what it did. A sheet a program sets with SetFontTextureId holds
// codes 32 to 127 only: while it is in use every text is drawn through it as designed.
//
// High resolution: for a display scaled by 1.5 or more, SetHighResolution(true) makes the
// drawer bind its own sheets' versions at twice the size (font_arial_2x.tga, ...: 32-pixel
// cells in the same 16 x 16 layout, so the lists stay as they are), loaded at the first text
// that needs each. Drawn at a modelview scale of 2 they give one texel a pixel.
class CTextDrawer {
 public:
  static CTextDrawer* GetSingleton();
  // Deletes the lists, the font texture and the instance; the next GetSingleton builds anew.
  // Only the current context's names can be deleted; those made in another context go with it.
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
  // A texture name belongs to one context: this sets the sheet of the current context.
  void SetFontTextureId(unsigned int aFontTextureId);
  // Stored only: drawing uses the current GL colour.
  void SetColor(float aR, float aG, float aB, float aA);

  // Class-wide, before or after the drawer exists and kept across Destroy: with true, texts are
  // drawn from the drawer's own sheets at twice the size (a program's sheet set with
  // SetFontTextureId is drawn as it is). The glyphs stay 16 x 16 units with a 12-unit advance:
  // only the bound texture changes. Default false.
  static void SetHighResolution(bool aHighResolution);
  static bool GetHighResolution();

 private:
  // The drawer's own sheets and its Latin-1 lists in one context; 0 for what is not made yet.
  struct OwnNames {
    unsigned int FontTexId;           // font_arial.tga as loaded by build
    unsigned int HighResFontTexId;    // font_arial_2x.tga
    unsigned int Latin1ListId;        // list 0 of the Latin-1 block; list i draws cell i
    unsigned int Latin1TexIds[2][2];  // [high resolution][bold]: font_latin1_*.tga
  };
  // The names one GL context holds: its glyph lists, its font sheet and its own names.
  struct ContextNames {
    const void* Context;
    unsigned int BaseListId;
    unsigned int FontTexId;
    OwnNames Own;
  };

  CTextDrawer();
  static void Initialise();
  // Loads the sheet and builds the lists in the current context, and keeps them for it.
  void build();
  // Makes mBaseListId and mFontTexId those of the current context, building them if needed.
  void useCurrentContext();
  // The sheet a text of codes 32 to 127 is drawn from: the one in use, or its 2x version.
  unsigned int designedSheet();
  // The Latin-1 sheet of the face at the current resolution, its lists built and it loaded at
  // the first call; 0 when the context yields no lists (the text is then drawn as designed).
  unsigned int latin1Sheet(bool bold);
  // Deletes the names of one context, as far as they are still there.
  static void deleteNames(unsigned int base, unsigned int fontTexture, const OwnNames& own);

  static bool mHighResolution;

  static CTextDrawer* mSingleton;

  unsigned int mBaseListId;
  unsigned int mFontTexId;
  float mR;
  float mG;
  float mB;
  float mA;
  const void* mContext;                // the context mBaseListId and mFontTexId belong to
  OwnNames mOwn;                        // the current context's own sheets and Latin-1 lists
  std::vector<ContextNames> mContexts;  // every context drawn in, the current one included
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
