// VBuiltInImages: the toolkit's images compiled into the program (the library vuna::images).
#pragma once

/// The images of Vuna's assets/ folder, turned into arrays when the library is built. A program
/// that links vuna::images and calls install() before it creates its screen reads every image
/// from memory, so it runs from any folder with no files beside it.
class VBuiltInImages {
 public:
  /// Hands the images to VImageSource; they are looked up before the image folder.
  static void install();
};
