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

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "draw/tga.h"

namespace {

constexpr int kGlyphCount = 256;
constexpr int kTextBufferSize = 1024;
constexpr float kCellSize = 1.0f / 16.0f;
constexpr float kGlyphBox = 16.0f;
constexpr float kAdvance = 12.0f;

}  // namespace

CTextDrawer* CTextDrawer::mSingleton = nullptr;

CTextDrawer::CTextDrawer()
    : mBaseListId(0), mFontTexId(0), mR(1.0f), mG(1.0f), mB(1.0f), mA(1.0f) {}

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
  glDeleteLists(mSingleton->mBaseListId, kGlyphCount);
  glDeleteTextures(1, &mSingleton->mFontTexId);
  delete mSingleton;
  mSingleton = nullptr;
}

void CTextDrawer::Initialise() {
  mSingleton->mFontTexId = createTexture("font_arial.tga");
  assert(mSingleton->mFontTexId);
  mSingleton->mBaseListId = glGenLists(kGlyphCount);
  glBindTexture(GL_TEXTURE_2D, mSingleton->mFontTexId);
  for (int i = 0; i < kGlyphCount; ++i) {
    const float s0 = static_cast<float>(i % 16) / 16.0f;
    const float t0 = static_cast<float>(i / 16) / 16.0f;
    glNewList(mSingleton->mBaseListId + static_cast<unsigned int>(i), GL_COMPILE);
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
}

bool CTextDrawer::PrintText(bool bold, int maxLength, const char* fmt, ...) {
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
  // c - 32, with the regular base cell c + 96. Bytes whose list number falls outside the 256
  // lists call nothing.
  glListBase(bold ? mBaseListId - 32u : mBaseListId + 96u);
  glCallLists(count, GL_BYTE, text);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  return true;
}

void CTextDrawer::SetFontTextureId(unsigned int aFontTextureId) { mFontTexId = aFontTextureId; }

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
