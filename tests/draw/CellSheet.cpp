// CellSheet: the coded sheet, its installation in the text drawer, and pixel decoding.
#include "CellSheet.h"

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "draw/DrawText.h"

CellSheet::CellSheet() {
  CTextDrawer::Destroy();
  CTextDrawer* drawer = CTextDrawer::GetSingleton();
  // Initialise leaves the sheet it loaded bound.
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  real_ = static_cast<unsigned int>(bound);

  std::vector<std::uint8_t> texels(256 * 256 * 4);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      std::uint8_t* p = &texels[static_cast<std::size_t>(y * 256 + x) * 4];
      p[0] = static_cast<std::uint8_t>((y / 16) * 16 + x / 16);
      p[1] = static_cast<std::uint8_t>((y % 16) * 16 + 8);
      p[2] = static_cast<std::uint8_t>((x % 16) * 16 + 8);
      p[3] = 255;
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  cells_ = name;
  drawer->SetFontTextureId(cells_);
}

CellSheet::~CellSheet() {
  CTextDrawer::GetSingleton()->SetFontTextureId(real_);
  glDeleteTextures(1, &cells_);
}

CellSheet::Texel CellSheet::at(int x, int y) {
  const vt::Rgb c = vt::readPixel(x, y);
  if (c.r == 0 && c.g == 0 && c.b == 0) {
    return Texel{-1, -1, -1};
  }
  return Texel{c.r, (c.g - 8) / 16, (c.b - 8) / 16};
}
