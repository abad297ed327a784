// SceneShape: the sizes, counts, captions and places of the benchmark scenes, shared by every
// toolkit's version of a scene so that all of them draw and route the same things.
#pragma once

namespace bench {

// The one window every case draws into.
constexpr int kWindowWidth = 500;
constexpr int kWindowHeight = 400;

// frame_windows100: this many windows, each built like the demo window (400 by 200, a text
// field, a check box, two radio buttons in a toolbar and three caption buttons in a toolbar).
// Window i sits at (kCascadeStep * (i % 10), kCascadeStep * (i / 10)): ten diagonal cascades.
constexpr int kFrameWindows = 100;
constexpr int kCascadeStep = 10;

// frame_buttons1000: kButtonBars toolbars of kButtonsPerBar caption buttons each. Toolbar i is
// kButtonBarWidth wide at (0, kButtonBarHeight * (i % kButtonBarRows)); the buttons of a bar
// are captioned "1" to "10" and share its width in equal slots.
constexpr int kButtonBars = 100;
constexpr int kButtonsPerBar = 10;
constexpr int kButtonBarWidth = 500;
constexpr int kButtonBarHeight = 25;
constexpr int kButtonBarRows = 16;

// click_windows10000_*: kClickWindows windows of kClickWindowWidth by kClickWindowHeight, on a
// grid of kClickColumns columns with kClickPitchX by kClickPitchY pixels between origins, so
// that no two overlap (most lie beyond the visible window; routing does not clip). Each holds
// one caption button "OK" at its client origin. Window 0 was created first and is the backmost;
// window kClickWindows - 1 is the frontmost.
constexpr int kClickWindows = 10000;
constexpr int kClickWindowWidth = 100;
constexpr int kClickWindowHeight = 60;
constexpr int kClickColumns = 100;
constexpr int kClickPitchX = 110;
constexpr int kClickPitchY = 70;

// keys_chain10: the depth of the focus chain below the root that a key travels down.
constexpr int kChainDepth = 10;

// free_windows10000: windows built, all freed in one turn, deleted at the next dispatch.
constexpr int kFreeWindows = 10000;

}  // namespace bench
