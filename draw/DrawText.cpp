// DrawText: building the glyph lists, drawing formatted text through them, and the 2D view.

// The drawer's two checks guard against a GL context that yields no texture name or no display
// lists. They must stop the program with the standard assertion report (condition, source file,
// line) in every build, release builds included, which define NDEBUG; so this one file switches
// assertions back on. <cassert> honours NDEBUG anew at each inclusion, so the order of includes
// elsewhere cannot undo this.
#undef NDEBUG
#include <cassert>

#include "draw/DrawText.h"

#include <GL/gl.h>
#if !defined(__EMSCRIPTEN__)
#include <dlfcn.h>
#endif

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

// The identity of the current GL context, or null when the platform gives none.
//
// Names alone cannot tell contexts apart: every context numbers its lists and textures from 1,
// so the drawer's names of one context are often valid names in another, where they are the
// program's or another screen's. So the names are kept per context, keyed by the context the
// platform says is current: GLX's or EGL's handle, looked up at run time so that the toolkit
// adds no link dependency on either (the program's GL library brings them). A handle may be
// reused by a context made after another was destroyed, so the names found under a key are
// still checked with glIsList before use. Where no handle is found, every context shares the
// key null and only that check is left: a new context is still noticed (its lists are
// missing), but two contexts alive at once may then not be told apart.
const void* currentContext() {
#if defined(__EMSCRIPTEN__)
  // The browser build's GL layer serves one context and names it.
  return glXGetCurrentContext();
#else
  using CurrentContextFunction = void* (*)();
  static const auto glx =
      reinterpret_cast<CurrentContextFunction>(dlsym(RTLD_DEFAULT, "glXGetCurrentContext"));
  static const auto egl =
      reinterpret_cast<CurrentContextFunction>(dlsym(RTLD_DEFAULT, "eglGetCurrentContext"));
  if (glx != nullptr) {
    if (const void* context = glx()) {
      return context;
    }
  }
  if (egl != nullptr) {
    if (const void* context = egl()) {
      return context;
    }
  }
  return nullptr;
#endif
}

// Whether the glyph lists starting at base are there in the current context: both ends are
// compiled lists, so a context without them answers false for at least one.
bool glyphListsExist(unsigned int base) {
  return base != 0 && glIsList(base) == GL_TRUE &&
         glIsList(base + static_cast<unsigned int>(kGlyphCount - 1)) == GL_TRUE;
}

}  // namespace

CTextDrawer* CTextDrawer::mSingleton = nullptr;

CTextDrawer::CTextDrawer()
    : mBaseListId(0), mFontTexId(0), mR(1.0f), mG(1.0f), mB(1.0f), mA(1.0f), mContext(nullptr) {}

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
  if (context != mSingleton->mContext) {
    base = 0;
    for (const ContextNames& names : mSingleton->mContexts) {
      if (names.Context == context) {
        base = names.BaseListId;
        texture = names.FontTexId;
      }
    }
  }
  if (glyphListsExist(base)) {
    glDeleteLists(base - kEmptyBelow, kBlockSize);
    glDeleteTextures(1, &texture);
  }
  delete mSingleton;
  mSingleton = nullptr;
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
    const float s0 = static_cast<float>(i % 16) / 16.0f;
    const float t0 = static_cast<float>(i / 16) / 16.0f;
    glNewList(mBaseListId + static_cast<unsigned int>(i), GL_COMPILE);
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
  for (ContextNames& names : mContexts) {
    if (names.Context == mContext) {
      names.BaseListId = mBaseListId;
      names.FontTexId = mFontTexId;
      return;
    }
  }
  mContexts.push_back(ContextNames{mContext, mBaseListId, mFontTexId});
}

void CTextDrawer::useCurrentContext() {
  const void* context = currentContext();
  if (context == mContext && glyphListsExist(mBaseListId)) {
    return;
  }
  // Keep this context's names as they are now (SetFontTextureId may have changed the sheet).
  for (ContextNames& names : mContexts) {
    if (names.Context == mContext) {
      names.BaseListId = mBaseListId;
      names.FontTexId = mFontTexId;
    }
  }
  mContext = context;
  for (const ContextNames& names : mContexts) {
    if (names.Context == context && glyphListsExist(names.BaseListId)) {
      mBaseListId = names.BaseListId;
      mFontTexId = names.FontTexId;
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

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, mFontTexId);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  // Bytes are signed for GL_BYTE: with the bold base a code c from 32 to 127 reaches cell
  // c - 32, with the regular base cell c + 96. Bytes whose list number falls below the 256
  // lists call one of the drawer's empty lists: nothing drawn, no advance.
  glListBase(bold ? mBaseListId - 32u : mBaseListId + 96u);
  glCallLists(count, GL_BYTE, text);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  return true;
}

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
