// StreamCapture: collects what the code under test writes to std::cout or std::cerr.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace vt {

// Lines of output, as lines() gives them and tests expect them.
using Lines = std::vector<std::string>;

// Redirects a standard stream into a buffer for its lifetime.
class StreamCapture {
 public:
  explicit StreamCapture(std::ostream& stream);
  ~StreamCapture();
  StreamCapture(const StreamCapture&) = delete;
  StreamCapture& operator=(const StreamCapture&) = delete;

  std::string text() const;
  // The captured text split at each '\n' (a last line without one is kept too).
  Lines lines() const;

 private:
  std::ostream& stream_;
  std::streambuf* saved_;
  std::ostringstream buffer_;
};

}  // namespace vt
