// SolidGlyphs: the solid glyph sheet.
#include "support/SolidGlyphs.h"

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "draw/DrawText.h"

namespace vt {

SolidGlyphs::SolidGlyphs() {
  const std::vector<std::uint8_t> white(16 * 16 * 4, 0xff);
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 16, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  // The drawer deletes the texture it holds when it is destroyed: that is now this one.
  CTextDrawer::GetSingleton()->SetFontTextureId(tex);
}

SolidGlyphs::~SolidGlyphs() { CTextDrawer::Destroy(); }

}  // namespace vt
