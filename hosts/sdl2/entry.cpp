// entry: the SDL2 window, the screen and the loop that draws only when asked.
#include "hosts/sdl2/entry.h"

#include <GL/gl.h>
#include <SDL.h>

#include <string>

#include "core/VMessages.h"
#include "hosts/sdl2/VSdl2Host.h"
#include "screen/VScreen.h"

namespace {

int failWith(const char* what) {
  VMessages::write(VMessages::msError, std::string("Vuna: SDL2: ") + what + ": " + SDL_GetError());
  SDL_Quit();
  return 1;
}

}  // namespace

int vunaSdl2Main(int argc, char** argv, VSceneBuilder buildScene, const char* title) {
  return vunaSdl2Main(argc, argv, buildScene, VHostOptions::titled(title));
}

int vunaSdl2Main(int, char**, VSceneBuilder buildScene, const VHostOptions& given) {
  const VHostOptions options = given.checked();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    return failWith("no video");
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // As GLUT_DOUBLE alone: no depth buffer is asked for.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  // On a scaled display the drawable has the device's pixels and the screen the window's.
  SDL_Window* window =
      SDL_CreateWindow(options.title, options.left, options.top, options.pixelWidth(),
                       options.pixelHeight(),
                       SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (window == nullptr) {
    return failWith("no window");
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    return failWith("no OpenGL context");
  }

  // Heap objects behind plain pointers: a handler or Escape may end the process with exit(),
  // which must find no destructor to run on a live window.
  auto* screen = new VScreen(nullptr);
  if (options.scale > 0) {
    screen->setScale(options.scale);
  }
  // Before the scene, so that its redraws already ask SDL; it sizes the screen from the window.
  auto* host = new VSdl2Host(screen, hrProgram, window);
  if (buildScene != nullptr) {
    buildScene(screen);
  }

  SDL_Event event;
  bool running = true;
  while (running) {
    if (SDL_WaitEvent(&event) != 1) {
      return failWith("waiting for events");
    }
    // Everything that has come is handled before one frame is drawn.
    do {
      if (event.type == SDL_QUIT) {
        running = false;
      }
      host->processEvent(event);
    } while (running && SDL_PollEvent(&event) == 1);
    if (running && host->takeRedisplay()) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      screen->glutDisplay();
      SDL_GL_SwapWindow(window);
    }
  }

  delete host;
  delete screen;  // its textures go while their context is still current
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
