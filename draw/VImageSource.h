// VImageSource: where the toolkit reads its images from: a folder, or images the program carries.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

/// Every image the toolkit loads (the control images, the font sheet) is asked for by its file
/// name ("font_arial.tga") and opened here. By default that name is opened in the working
/// directory, as a program started from its build folder expects. A program started from
/// elsewhere names the folder of its images (an installed share/vuna, the folder of its own
/// executable), or carries them in memory: linking vuna::images and calling
/// VBuiltInImages::install() puts all of its images (both themes' ones) inside the program.
///
/// Images carried in memory are looked up first, by exact name; a name that is not among them
/// is opened in the folder. A name that is a path of its own (it starts with '/') is opened as
/// it is. Set these before the screen is created: the screen loads its images then.
///
/// Only regular files are read from disk: a folder, a device or a FIFO named like an image is
/// refused with one line on standard error, and never waited on (a FIFO without a writer would
/// otherwise block the reader for good).
class VImageSource {
 public:
  /// One image held in memory: its file name and its bytes (not copied; they must outlive use).
  struct Image {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
  };

  /// The folder images are read from; empty (the default) is the working directory. A '/' is
  /// put between the folder and the name when the folder does not end with one.
  static void setFolder(const std::string& folder);
  static const std::string& getFolder();

  /// The images held in memory, count of them from images (not copied); null or 0 for none.
  /// An entry without a name (null or empty) or without bytes is refused with one line on
  /// standard error and never looked at again; the others are used.
  static void setBuiltIn(const Image* images, std::size_t count);

  /// The path that name is opened at: the folder and the name, or the name alone.
  static std::string pathOf(const char* name);

  /// What messages call the image name: "built-in image " and the name when it is read from
  /// memory, otherwise its path on disk.
  static std::string describe(const char* name);

  /// Opens name for reading, from memory or from its path; null when it cannot be opened or
  /// name is null. The caller closes the stream.
  static std::FILE* open(const char* name);
};
