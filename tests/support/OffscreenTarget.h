// OffscreenTarget: a framebuffer object to draw a frame larger than the test window into.
#pragma once

// A file that includes GL's header before this one defines GL_GLEXT_PROTOTYPES before it.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vt {

// A colour renderbuffer of the given size, bound as the draw and read framebuffer while the
// object lives; the window's framebuffer is bound again when it goes. Check complete() first.
class OffscreenTarget {
 public:
  OffscreenTarget(int width, int height) : width_(width), height_(height) {
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  ~OffscreenTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteFramebuffers(1, &framebuffer_);
  }
  OffscreenTarget(const OffscreenTarget&) = delete;
  OffscreenTarget& operator=(const OffscreenTarget&) = delete;
  bool complete() const { return complete_; }
  // The whole frame as RGB bytes, top row first (read as RGBA, which every GL reads back).
  std::vector<unsigned char> readTopDown() const {
    const auto w = static_cast<std::size_t>(width_);
    const auto h = static_cast<std::size_t>(height_);
    std::vector<unsigned char> bottomUp(w * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> topDown(w * h * 3);
    for (std::size_t r = 0; r < h; ++r) {
      for (std::size_t c = 0; c < w; ++c) {
        std::copy_n(&bottomUp[((h - 1 - r) * w + c) * 4], 3, &topDown[(r * w + c) * 3]);
      }
    }
    return topDown;
  }

 private:
  int width_;
  int height_;
  GLuint framebuffer_ = 0;
  GLuint colour_ = 0;
  bool complete_ = false;
};

}  // namespace vt
