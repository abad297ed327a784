// VImageSource: the folder, the images held in memory, and opening an image by name.
#include "draw/VImageSource.h"

#include <cstring>

namespace {

std::string& folder() {
  static std::string value;
  return value;
}

const VImageSource::Image* builtIn = nullptr;
std::size_t builtInCount = 0;

}  // namespace

void VImageSource::setFolder(const std::string& newFolder) { folder() = newFolder; }

const std::string& VImageSource::getFolder() { return folder(); }

void VImageSource::setBuiltIn(const Image* images, std::size_t count) {
  builtIn = images;
  builtInCount = images != nullptr ? count : 0;
}

std::string VImageSource::pathOf(const char* name) {
  const std::string& dir = folder();
  if (name == nullptr) {
    return std::string();
  }
  if (dir.empty() || name[0] == '/') {
    return name;
  }
  return dir.back() == '/' ? dir + name : dir + '/' + name;
}

std::FILE* VImageSource::open(const char* name) {
  if (name == nullptr) {
    return nullptr;
  }
  for (std::size_t i = 0; i < builtInCount; ++i) {
    if (std::strcmp(builtIn[i].name, name) == 0) {
      // Read-only over the program's own bytes: the reader never writes.
      return fmemopen(const_cast<unsigned char*>(builtIn[i].bytes), builtIn[i].size, "rb");
    }
  }
  // Read-only binary: the loader never writes, and a read-only image is still a valid image.
  return std::fopen(pathOf(name).c_str(), "rb");
}
