// ImGuiStage: the per-case ImGui context, its backends and the two kinds of frame.
#include "bench/peers/ImGuiStage.h"

#include <GL/gl.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>
#include <imgui_impl_opengl3.h>

#include "bench/SceneShape.h"

ImGuiStage::ImGuiStage(Renderer renderer) : renderer_(renderer) {
  if (renderer_ == Renderer::openGL3Core) {
    core_.emplace();
  } else {
    gl_.emplace();
  }
  context_ = ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  ImGui::GetStyle().WindowMinSize = ImVec2(1.0f, 1.0f);
  ImGui_ImplGLUT_Init();
  ImGui_ImplGLUT_ReshapeFunc(bench::kWindowWidth, bench::kWindowHeight);
  if (renderer_ == Renderer::openGL3Core) {
    ready_ = core_->ready() && ImGui_ImplOpenGL3_Init("#version 330 core");
  } else {
    ready_ = ImGui_ImplOpenGL2_Init();
  }
}

ImGuiStage::~ImGuiStage() {
  if (ready_) {
    if (renderer_ == Renderer::openGL3Core) {
      ImGui_ImplOpenGL3_Shutdown();
    } else {
      ImGui_ImplOpenGL2_Shutdown();
    }
  }
  ImGui_ImplGLUT_Shutdown();
  ImGui::DestroyContext(context_);
}

void ImGuiStage::specialKey(int glutKey, bool down) {
  ImGuiIO& io = ImGui::GetIO();
  const int index = glutKey + 256;
  if (index >= 0 && index < IM_ARRAYSIZE(io.KeysDown)) {
    io.KeysDown[index] = down;
  }
  io.KeyCtrl = io.KeyShift = io.KeyAlt = false;
}

void ImGuiStage::begin() {
  if (renderer_ == Renderer::openGL3Core) {
    ImGui_ImplOpenGL3_NewFrame();
  } else {
    ImGui_ImplOpenGL2_NewFrame();
  }
  ImGui_ImplGLUT_NewFrame();
}

void ImGuiStage::finishDrawn() {
  ImGui::Render();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (renderer_ == Renderer::openGL3Core) {
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
  } else {
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  }
  glFinish();
}

void ImGuiStage::finishUndrawn() { ImGui::EndFrame(); }
