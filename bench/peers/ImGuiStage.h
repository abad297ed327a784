// ImGuiStage: a Dear ImGui context with its GLUT and OpenGL backends for one case, and its frames.
#pragma once

#include <optional>

#include "bench/CoreContext.h"
#include "bench/peers/PeerGlState.h"

struct ImGuiContext;

// ImGui keeps every window it has ever seen, with its draw buffers, until its context is
// destroyed: the context is the scene's owner. So each case gets its own, made before its timed
// loop and destroyed after it, and no case runs with another's windows still in the lists ImGui
// walks every frame. The stage sets the display to the bench window's 500 by 400, lets windows
// be as small as the toolkit's (ImGui's default minimum is 32 by 32), and writes no .ini file.
//
// A scene is a callable that submits the windows and widgets of one frame and returns how many
// it submitted.
class ImGuiStage {
 public:
  // Which of ImGui's OpenGL renderers draws the frames, and in which context: the OpenGL2
  // backend (GL 1.x calls, client arrays) in the bench window, its whole GL state saved around
  // the case; or the OpenGL3 backend (a GLSL 330 program, one vertex and index buffer) in the
  // core-profile window, which saves and restores what it changes around each draw itself.
  enum class Renderer { openGL2, openGL3Core };

  explicit ImGuiStage(Renderer renderer = Renderer::openGL2);
  ~ImGuiStage();
  ImGuiStage(const ImGuiStage&) = delete;
  ImGuiStage& operator=(const ImGuiStage&) = delete;

  // False when the renderer could not be set up (no core-profile context, or the OpenGL3
  // backend refused it): the case must skip, and draw no frame.
  bool ready() const { return ready_; }

  // A drawn frame: the backends' new frame, the scene, Render, clear, the OpenGL backend's
  // draw of the draw data, glFinish. No buffer swap. Returns the scene's widget count.
  template <class Scene>
  long long frame(Scene&& scene) {
    begin();
    const long long n = scene();
    finishDrawn();
    return n;
  }

  // A frame in which ImGui handles its input and nothing reaches the GL: new frame, the scene,
  // EndFrame (no Render, no draw data). Returns the scene's widget count.
  template <class Scene>
  long long inputFrame(Scene&& scene) {
    begin();
    const long long n = scene();
    finishUndrawn();
    return n;
  }

  // A special key (a GLUT key code) going down or up, written into ImGui's input state as the
  // GLUT backend's special-key functions write it, with no modifier held. The backend's own
  // functions also ask GLUT for the modifiers, which freeglut answers only inside its callbacks
  // (elsewhere it prints a warning on every call): the bench has no GLUT loop.
  void specialKey(int glutKey, bool down);

 private:
  void begin();
  void finishDrawn();
  void finishUndrawn();

  Renderer renderer_;
  std::optional<CoreContext> core_;  // OpenGL3: the core window current while the stage lives
  std::optional<PeerGlState> gl_;    // OpenGL2: the bench window's state put back at the end
  ImGuiContext* context_ = nullptr;
  bool ready_ = false;
};
