// SolidGlyphs: the text drawer's glyphs replaced by solid blocks, to find text by its pixels.
#pragma once

namespace vt {

// For the life of the object every glyph of the text drawer is a solid opaque 16 x 16 block in
// the text colour, so where text lands can be read from pixels whatever the font sheet looks
// like. Destroys the drawer afterwards (the next use builds it anew from the real sheet).
class SolidGlyphs {
 public:
  SolidGlyphs();
  ~SolidGlyphs();
  SolidGlyphs(const SolidGlyphs&) = delete;
  SolidGlyphs& operator=(const SolidGlyphs&) = delete;
};

}  // namespace vt
