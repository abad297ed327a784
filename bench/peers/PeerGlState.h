// PeerGlState: the GL state a peer's case found, put back when the case ends.
#pragma once

// A peer sets up GL as it likes (its own projection, blending, textures, pixel store, client
// arrays) and does not promise to undo all of it. A case holds one of these across its scene's
// life, outside the timed loop: the constructor saves every server and client attribute and the
// three matrix stacks' tops and sets the bench window's 500 by 400 viewport; the destructor
// restores them, so the next case starts from what this one found.
class PeerGlState {
 public:
  PeerGlState();
  ~PeerGlState();
  PeerGlState(const PeerGlState&) = delete;
  PeerGlState& operator=(const PeerGlState&) = delete;

  // True when the GL reported no error since the last call; drains the error queue.
  static bool clean();
};
