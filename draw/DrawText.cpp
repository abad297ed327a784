// DrawText: building the glyph lists, drawing formatted text through them, and the 2D view.

// The drawer's two checks guard against a GL context that yields no texture name or no display
// lists. They must stop the program with the standard assertion report (condition, source file,
// line) in every build, release builds included, which define NDEBUG; so this one file switches
// assertions back on. <cassert> honours NDEBUG anew at each inclusion, so the order of includes
// elsewhere cannot undo this.
#undef NDEBUG
#include <cassert>

#include "draw/DrawText.h"

#include "draw/VGLLayer.h"

#include <GL/gl.h>
#if !defined(__EMSCRIPTEN__)
#endif

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "draw/tga.h"

namespace {

constexpr int kGlyphCount = 256;
// Bytes are signed for GL_BYTE (-128 to 127) and the list bases are mBaseListId - 32 (bold) and
// mBaseListId + 96 (regular), so a byte reaches from mBaseListId - 160 up to mBaseListId + 223.
// The names below the glyph lists are reserved with them and stay empty.
constexpr int kEmptyBelow = 160;
constexpr int kBlockSize = kEmptyBelow + kGlyphCount;
constexpr int kTextBufferSize = 1024;
constexpr float kCellSize = 1.0f / 16.0f;
constexpr float kGlyphBox = 16.0f;
constexpr float kAdvance = 12.0f;
// The codes of the Latin-1 sheets that hold a glyph: 32 to 126 and 160 to 255.
constexpr bool isLatin1Glyph(int code) { return (code >= 32 && code < 127) || code >= 160; }
// [high resolution][bold]
const char* const kLatin1Sheets[2][2] = {
    {"font_latin1_regular.tga", "font_latin1_bold.tga"},
    {"font_latin1_regular_2x.tga", "font_latin1_bold_2x.tga"}};

// The drawer's names are kept per context, keyed by the context current when they are used.
//
// Names alone cannot tell contexts apart: every context numbers its lists and textures from 1,
// so the drawer's names of one context are often valid names in another, where they are the
// program's or another screen's. A handle may be reused by a context made after another was
// destroyed, so the names found under a key are still checked with glIsList before use. Where
// the platform names no context, every context shares the key null and only that check is
// left: a new context is still noticed (its lists are missing), but two contexts alive at once
// may then not be told apart.
const void* currentContext() { return VGLLayer::currentContext(); }

// Whether the glyph lists starting at base are there in the current context: both ends are
// compiled lists, so a context without them answers false for at least one.
bool glyphListsExist(unsigned int base) {
  return base != 0 && glIsList(base) == GL_TRUE &&
         glIsList(base + static_cast<unsigned int>(kGlyphCount - 1)) == GL_TRUE;
}

// Compiles list as the glyph of the sheet's cell: a 16 x 16 quad with the cell's first row at
// the top, then the advance.
void compileGlyph(unsigned int list, int cell) {
  const float s0 = static_cast<float>(cell % 16) / 16.0f;
  const float t0 = static_cast<float>(cell / 16) / 16.0f;
  glNewList(list, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2f(s0 + kCellSize, t0);
  glVertex2f(kGlyphBox, 0.0f);
  glTexCoord2f(s0 + kCellSize, t0 + kCellSize);
  glVertex2f(kGlyphBox, kGlyphBox);
  glTexCoord2f(s0, t0 + kCellSize);
  glVertex2f(0.0f, kGlyphBox);
  glEnd();
  glTranslatef(kAdvance, 0.0f, 0.0f);
  glEndList();
}

}  // namespace

CTextDrawer* CTextDrawer::mSingleton = nullptr;
bool CTextDrawer::mHighResolution = false;

CTextDrawer::CTextDrawer()
    : mBaseListId(0),
      mFontTexId(0),
      mR(1.0f),
      mG(1.0f),
      mB(1.0f),
      mA(1.0f),
      mContext(nullptr),
      mOwn{} {}

CTextDrawer* CTextDrawer::GetSingleton() {
  if (!mSingleton) {
    mSingleton = new CTextDrawer();
    Initialise();
  }
  return mSingleton;
}

void CTextDrawer::Destroy() {
  if (!mSingleton) {
    return;
  }
  // Only the current context's names can be deleted, and only while they are still there: in
  // a context made anew under a reused handle, the same numbers may be the program's.
  const void* context = currentContext();
  unsigned int base = mSingleton->mBaseListId;
  unsigned int texture = mSingleton->mFontTexId;
  OwnNames own = mSingleton->mOwn;
  if (context != mSingleton->mContext) {
    base = 0;
    for (const ContextNames& names : mSingleton->mContexts) {
      if (names.Context == context) {
        base = names.BaseListId;
        texture = names.FontTexId;
        own = names.Own;
      }
    }
  }
  deleteNames(base, texture, own);
  delete mSingleton;
  mSingleton = nullptr;
}

// The sheet in use goes (a program's too, once handed over), and every name the drawer made.
void CTextDrawer::deleteNames(unsigned int base, unsigned int fontTexture, const OwnNames& own) {
  if (!glyphListsExist(base)) {
    return;
  }
  glDeleteLists(base - kEmptyBelow, kBlockSize);
  glDeleteTextures(1, &fontTexture);
  const unsigned int made[] = {own.FontTexId != fontTexture ? own.FontTexId : 0u,
                               own.HighResFontTexId,     own.Latin1TexIds[0][0],
                               own.Latin1TexIds[0][1],   own.Latin1TexIds[1][0],
                               own.Latin1TexIds[1][1]};
  for (const unsigned int name : made) {
    if (name != 0) {
      glDeleteTextures(1, &name);
    }
  }
  if (own.Latin1ListId != 0) {
    glDeleteLists(own.Latin1ListId, kGlyphCount);
  }
}

void CTextDrawer::Initialise() {
  mSingleton->mContext = currentContext();
  mSingleton->build();
}

void CTextDrawer::build() {
  mFontTexId = createTexture("font_arial.tga");
  assert(mSingleton->mFontTexId);  // the one instance is this one
  const GLuint block = glGenLists(kBlockSize);
  mBaseListId = block != 0 ? block + kEmptyBelow : 0;
  glBindTexture(GL_TEXTURE_2D, mFontTexId);
  // The names from block to mBaseListId - 1 are reserved and never compiled: calling one
  // draws nothing and moves nothing.
  for (int i = 0; mBaseListId != 0 && i < kGlyphCount; ++i) {
    compileGlyph(mBaseListId + static_cast<unsigned int>(i), i);
  }
  mOwn = OwnNames{};
  mOwn.FontTexId = mFontTexId;
  for (ContextNames& names : mContexts) {
    if (names.Context == mContext) {
      names.BaseListId = mBaseListId;
      names.FontTexId = mFontTexId;
      names.Own = mOwn;
      return;
    }
  }
  mContexts.push_back(ContextNames{mContext, mBaseListId, mFontTexId, mOwn});
}

void CTextDrawer::useCurrentContext() {
  const void* context = currentContext();
  if (context == mContext && glyphListsExist(mBaseListId)) {
    return;
  }
  // Keep this context's names as they are now (SetFontTextureId may have changed the sheet,
  // a Latin-1 text or high resolution may have added names).
  for (ContextNames& names : mContexts) {
    if (names.Context == mContext) {
      names.BaseListId = mBaseListId;
      names.FontTexId = mFontTexId;
      names.Own = mOwn;
    }
  }
  mContext = context;
  for (const ContextNames& names : mContexts) {
    if (names.Context == context && glyphListsExist(names.BaseListId)) {
      mBaseListId = names.BaseListId;
      mFontTexId = names.FontTexId;
      mOwn = names.Own;
      return;
    }
  }
  // A context new to the drawer, or one made anew under a handle seen before, whose names
  // went with the old context: nothing there to delete.
  build();
}

bool CTextDrawer::PrintText(bool bold, int maxLength, const char* fmt, ...) {
  // A null format touches no GL state, so it does not build either.
  if (fmt) {
    useCurrentContext();
  }
  assert(mBaseListId != 0);
  if (!fmt) {
    return true;
  }
  char text[kTextBufferSize];
  va_list args;
  va_start(args, fmt);
  const int formatted = std::vsnprintf(text, sizeof text, fmt, args);
  va_end(args);
  if (formatted < 0) {
    text[0] = '\0';
  }
  // vsnprintf cuts at 1023 characters and always terminates, so the length stays in the buffer.
  const int length = static_cast<int>(std::strlen(text));
  int count = maxLength == -1 ? length : maxLength;
  if (count < 0) {
    count = 0;
  } else if (count > length) {
    count = length;
  }

  // A byte of 128 or more takes the Latin-1 path, when the sheet in use is the drawer's own.
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const bool latin1 = mFontTexId == mOwn.FontTexId &&
                      std::any_of(bytes, bytes + count, [](unsigned char b) { return b >= 128; });
  // Sheets and lists still to be made are made before the drawing state is set.
  const unsigned int latin1Texture = latin1 ? latin1Sheet(bold) : 0u;
  const unsigned int texture = latin1Texture != 0 ? latin1Texture : designedSheet();

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (latin1Texture != 0) {
    // Unsigned bytes: byte i calls Latin-1 list i, the glyph of code i or a reserved name.
    glListBase(mOwn.Latin1ListId);
    glCallLists(count, GL_UNSIGNED_BYTE, text);
  } else {
    // Bytes are signed for GL_BYTE: with the bold base a code c from 32 to 127 reaches cell
    // c - 32, with the regular base cell c + 96. Bytes whose list number falls below the 256
    // lists call one of the drawer's empty lists: nothing drawn, no advance.
    glListBase(bold ? mBaseListId - 32u : mBaseListId + 96u);
    glCallLists(count, GL_BYTE, text);
  }
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  return true;
}

unsigned int CTextDrawer::designedSheet() {
  if (!mHighResolution || mFontTexId != mOwn.FontTexId) {
    return mFontTexId;
  }
  if (mOwn.HighResFontTexId == 0) {
    mOwn.HighResFontTexId = createTexture("font_arial_2x.tga");
  }
  return mOwn.HighResFontTexId;
}

unsigned int CTextDrawer::latin1Sheet(bool bold) {
  if (mOwn.Latin1ListId == 0) {
    const GLuint block = glGenLists(kGlyphCount);
    if (block == 0) {
      return 0;
    }
    mOwn.Latin1ListId = block;
    // The names of bytes that are no glyph stay reserved and empty.
    for (int code = 0; code < kGlyphCount; ++code) {
      if (isLatin1Glyph(code)) {
        compileGlyph(block + static_cast<unsigned int>(code), code);
      }
    }
  }
  unsigned int& sheet = mOwn.Latin1TexIds[mHighResolution ? 1 : 0][bold ? 1 : 0];
  if (sheet == 0) {
    sheet = createTexture(kLatin1Sheets[mHighResolution ? 1 : 0][bold ? 1 : 0]);
  }
  return sheet;
}

void CTextDrawer::SetHighResolution(bool aHighResolution) { mHighResolution = aHighResolution; }

bool CTextDrawer::GetHighResolution() { return mHighResolution; }

// The names in use are made the current context's first, so the sheet is kept for that context.
void CTextDrawer::SetFontTextureId(unsigned int aFontTextureId) {
  useCurrentContext();
  mFontTexId = aFontTextureId;
}

void CTextDrawer::SetColor(float aR, float aG, float aB, float aA) {
  mR = aR;
  mG = aG;
  mB = aB;
  mA = aA;
}

namespace vuna {

void Go2d() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 1024, 0, 768, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void Exit2d() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

}  // namespace vuna
