// tga: the texture upload of decoded TGA images and its error reports.
#include "draw/tga.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <sstream>
#include <string>

#include "core/VMessages.h"
#include "draw/VImageSource.h"

namespace vuna {

namespace {

void reportGlError(GLenum error, int line, const std::string& what) {
  const GLubyte* text = gluErrorString(error);
  std::ostringstream head;
  head << "OpenGL-ERROR <0x" << std::hex << error << std::dec << "> in tga(" << line << ")!";
  VMessages::write(VMessages::msError, "");
  VMessages::write(VMessages::msError, head.str());
  VMessages::write(VMessages::msError, what);
  VMessages::write(VMessages::msError, text ? reinterpret_cast<const char*>(text) : "");
}

}  // namespace

int loadTGA(const char* name, int id) {
  std::FILE* s = VImageSource::open(name);
  if (!s) {
    return tgaCannotOpen;
  }
  TgaImage image;
  const int result = readTGA(s, image);
  if (result != tgaLoaded) {
    return returnError(s, result);
  }
  std::fclose(s);

  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(id));
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
  // Grey sheets become intensity textures: each grey value is red, green, blue and alpha, so a
  // blended grey image draws as a coverage mask in the current colour.
  const GLint internalFormat =
      texFormat == GL_LUMINANCE ? GL_INTENSITY : static_cast<GLint>(texFormat);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, image.Width, image.Height, 0, texFormat,
               GL_UNSIGNED_BYTE, image.Pixels.get());
  return tgaLoaded;
}

unsigned int createTexture(const char* filename) {
  GLuint name = 0;
  glGenTextures(1, &name);
  if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
    reportGlError(error, 304, "glGenTextures failed");
  }
  // A message names what was really read: a built-in image by its name, a file by its path.
  const std::string described = VImageSource::describe(filename);
  if (loadTGA(filename, static_cast<int>(name)) != tgaLoaded) {
    VMessages::write(VMessages::msOutput,
                     "Error occured while tried to load TGA texture from " + described);
  }
  if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
    reportGlError(error, 310, described);
  }
  return name;
}

}  // namespace vuna
