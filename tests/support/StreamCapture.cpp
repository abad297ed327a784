// StreamCapture: swaps a stream's buffer for a string buffer and back.
#include "support/StreamCapture.h"

namespace vt {

StreamCapture::StreamCapture(std::ostream& stream) : stream_(stream), saved_(stream.rdbuf()) {
  stream_.rdbuf(buffer_.rdbuf());
}

StreamCapture::~StreamCapture() { stream_.rdbuf(saved_); }

std::string StreamCapture::text() const { return buffer_.str(); }

Lines StreamCapture::lines() const {
  std::vector<std::string> out;
  const std::string all = buffer_.str();
  std::size_t start = 0;
  while (start < all.size()) {
    const std::size_t end = all.find('\n', start);
    if (end == std::string::npos) {
      out.push_back(all.substr(start));
      break;
    }
    out.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

}  // namespace vt
