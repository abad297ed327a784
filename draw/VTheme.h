// VTheme: the look and feel's themes, the palettes and control images it can switch between.
#pragma once

/// The light theme is the toolkit's classic grey look, and the default; the dark theme draws
/// light text on dark faces with the dark control images (the files ending in _dark).
enum VTheme {
  thLight = 0,
  thDark = 1,
};
