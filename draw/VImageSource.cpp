// VImageSource: the folder, the images held in memory, and opening an image by name.
#include "draw/VImageSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "core/VMessages.h"

namespace {

std::string& folder() {
  static std::string value;
  return value;
}

const VImageSource::Image* builtIn = nullptr;
std::size_t builtInCount = 0;

bool usable(const VImageSource::Image& image) {
  return image.name != nullptr && image.name[0] != '\0' && image.bytes != nullptr;
}

// The usable image held in memory under exactly that name, or null.
const VImageSource::Image* findBuiltIn(const char* name) {
  for (std::size_t i = 0; i < builtInCount; ++i) {
    if (usable(builtIn[i]) && std::strcmp(builtIn[i].name, name) == 0) {
      return &builtIn[i];
    }
  }
  return nullptr;
}

const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "of another kind";
}

// Opens path for reading only when it is a regular file. The open does not block (a FIFO
// without a writer would hold it forever), and the kind is judged on what was opened, so a
// name swapped between a check and the open cannot slip through.
std::FILE* openRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return nullptr;
  }
  if (!S_ISREG(info.st_mode)) {
    VMessages::write(VMessages::msError, "Vuna: the image " + path + " is not a regular file (" +
                                             kindOf(info.st_mode) + "); it is not read");
    ::close(fd);
    return nullptr;
  }
  // Reads of a regular file never wait; O_NONBLOCK changes nothing for them.
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    ::close(fd);
  }
  return file;
}

}  // namespace

void VImageSource::setFolder(const std::string& newFolder) { folder() = newFolder; }

const std::string& VImageSource::getFolder() { return folder(); }

void VImageSource::setBuiltIn(const Image* images, std::size_t count) {
  builtIn = images;
  builtInCount = images != nullptr ? count : 0;
  for (std::size_t i = 0; i < builtInCount; ++i) {
    const Image& image = builtIn[i];
    if (image.name == nullptr || image.name[0] == '\0') {
      VMessages::write(VMessages::msError, "Vuna: built-in image " + std::to_string(i) +
                                               " has no name; it is not used");
    } else if (image.bytes == nullptr) {
      VMessages::write(VMessages::msError, std::string("Vuna: built-in image ") + image.name +
                                               " has no bytes; it is not used");
    }
  }
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

std::string VImageSource::describe(const char* name) {
  if (name != nullptr && findBuiltIn(name) != nullptr) {
    return std::string("built-in image ") + name;
  }
  return pathOf(name);
}

std::FILE* VImageSource::open(const char* name) {
  if (name == nullptr) {
    return nullptr;
  }
  if (const Image* image = findBuiltIn(name)) {
    // Read-only over the program's own bytes: the reader never writes.
    return fmemopen(const_cast<unsigned char*>(image->bytes), image->size, "rb");
  }
  return openRegularFile(pathOf(name));
}
