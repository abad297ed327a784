// CellSheet: swaps the text drawer's font sheet for one whose texels name their cell and place.
#pragma once

#include "support/GlTest.h"

// Every texel of the 256 x 256 sheet is opaque and says where it is: red is the cell (0 to
// 255), green 16 x (row in the cell) + 8, blue 16 x (column in the cell) + 8. Drawn 1:1, each
// pixel of a glyph therefore tells which cell and which texel of it landed there.
//
// Construction builds a fresh text drawer (Destroy, then GetSingleton, which loads the real
// sheet) and installs the cell sheet; destruction puts the real sheet back.
class CellSheet {
 public:
  CellSheet();
  ~CellSheet();
  CellSheet(const CellSheet&) = delete;
  CellSheet& operator=(const CellSheet&) = delete;

  unsigned int realSheet() const { return real_; }

  struct Texel {
    int cell;  // -1 where the pixel is black (nothing drawn)
    int row;
    int column;
  };
  // Decodes the back-buffer pixel at (x, y), toolkit coordinates.
  static Texel at(int x, int y);

 private:
  unsigned int real_ = 0;
  unsigned int cells_ = 0;
};
