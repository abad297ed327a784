// tga: reading uncompressed TGA images and uploading them as OpenGL textures.
#pragma once

#include <cstdio>
#include <memory>

// An internal header: the loader's names live in namespace vuna, so that a program's own
// createTexture or checkSize neither clashes with them nor silently replaces them in the link.
namespace vuna {

// The subset read: no colour map, image type 2 (true colour) or 3 (grey), tested independently
// of the depth, which must be 32, 24 or 8 bits; width and height each a power of two from 2 to
// 512. Rows are kept in stored order: the first stored row becomes texture row t = 0, whatever
// the descriptor's origin bits say. Anything after the pixel data is ignored.

// Result codes of loadTGA and readTGA.
enum TgaResult : int {
  tgaLoaded = 1,
  tgaCannotOpen = 13,
  tgaBadType = 14,   // colour-map type not 0, or image type neither 2 nor 3
  tgaBadSize = 15,   // a side that checkSize refuses
  tgaBadDepth = 16,  // bits per pixel not 32, 24 or 8
  tgaNoData = 17,    // header or pixel data cut short, or no memory for the pixels
};

// The pixel format of the buffer the last successful pixel reader produced: GL_RGBA, GL_RGB or
// GL_LUMINANCE; 0 before the first. loadTGA chooses its upload formats from it.
extern unsigned int texFormat;

// A decoded image: Width x Height pixels of Bits / 8 bytes, rows packed in stored order.
struct TgaImage {
  int Width = 0;
  int Height = 0;
  int Bits = 0;
  std::unique_ptr<unsigned char[]> Pixels;
};

// Makes a texture name and loads the file into it. The name is returned whether or not the
// image loaded (0 only if GL generated none); a failed load writes one line, "Error occured
// while tried to load TGA texture from " and the name, to standard output, and pending or new
// GL errors are reported on standard error.
unsigned int createTexture(const char* filename);

// Reads the file and uploads it into texture id, which stays bound to GL_TEXTURE_2D, with
// clamped edges, linear filters and the GL_MODULATE environment. Answers a TgaResult; nothing is
// uploaded unless it is tgaLoaded.
int loadTGA(const char* name, int id);

// Decodes an image from s, starting at its first byte: header checks, the image ID skipped,
// the pixels read and converted. Needs no GL context. Answers a TgaResult (tgaLoaded on
// success); image is filled only on success. Does not close s.
int readTGA(std::FILE* s, TgaImage& image);

// Reads sz pixels of iBits bits (32, 24 or 8) from the current position; null for any other
// depth, a short read or no memory.
std::unique_ptr<unsigned char[]> getData(std::FILE* s, int sz, int iBits);

// Each reads size pixels and converts them: 32 bits BGRA to RGBA, magenta (255, 0, 255)
// becoming transparent white (255, 255, 255, 0) and every other pixel opaque; 24 bits BGR to
// RGB without colour key; 8 bits unchanged. Sets texFormat on success; on a short read it
// answers null and leaves texFormat alone.
std::unique_ptr<unsigned char[]> getRGBA(std::FILE* s, int size);
std::unique_ptr<unsigned char[]> getRGB(std::FILE* s, int size);
std::unique_ptr<unsigned char[]> getGray(std::FILE* s, int size);

// 1 if x is one of 2, 4, 8, ..., 512, else 0.
int checkSize(int x);

// Closes s and answers error.
int returnError(std::FILE* s, int error);

}  // namespace vuna

// The toolkit's own code and tests call these by their plain names.
using vuna::TgaResult;
using vuna::tgaLoaded;
using vuna::tgaCannotOpen;
using vuna::tgaBadType;
using vuna::tgaBadSize;
using vuna::tgaBadDepth;
using vuna::tgaNoData;
using vuna::texFormat;
using vuna::TgaImage;
using vuna::createTexture;
using vuna::loadTGA;
using vuna::readTGA;
using vuna::getData;
using vuna::getRGBA;
using vuna::getRGB;
using vuna::getGray;
using vuna::checkSize;
using vuna::returnError;
