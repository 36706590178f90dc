#include "engine/gl_debug_drawer.hpp"

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

// World numbers of the frame files of the worlds now open: a new world takes the lowest free
// one, so a rebuild of the same worlds writes under the same names again.
std::set<int>& frame_slots() {
  static std::set<int> slots;
  return slots;
}

int take_frame_slot() {
  int slot = 0;
  while (frame_slots().count(slot)) ++slot;
  frame_slots().insert(slot);
  return slot;
}

}  // namespace

std::unique_ptr<GLDebugDrawer> GLDebugDrawer::open(const world_datas& datas) {
  debug_camera camera;
  for (int i = 0; i < 3; ++i) {
    camera.eye[i] = datas.view_eye[i];
    camera.target[i] = datas.view_target[i];
  }
  camera.half_angle = datas.view_angle;
  camera.scale = datas.scale_factor;
  std::unique_ptr<GLDebugDrawer> drawer(new GLDebugDrawer());
  if (datas.view_debug)
    if (auto window = debug_views::open_window(camera)) drawer->views_.push_back(std::move(window));
  const char* folder = std::getenv("PHYSPLUG_DEBUG_FRAMES");
  if (folder && *folder) {
    const int slot = take_frame_slot();
    if (auto frames = debug_views::open_frame_files(camera, folder, slot)) {
      drawer->views_.push_back(std::move(frames));
      drawer->frame_slot_ = slot;
    } else {
      frame_slots().erase(slot);
    }
  }
  if (drawer->views_.empty()) return nullptr;
  drawer->setDebugMode(view_mode);
  return drawer;
}

GLDebugDrawer::~GLDebugDrawer() {
  views_.clear();
  if (frame_slot_ >= 0) frame_slots().erase(frame_slot_);
}

void GLDebugDrawer::draw_frame() {
  for (auto& view : views_) view->draw_frame(lines_);
  lines_.clear();
}

void GLDebugDrawer::drawLine(const btVector3& from, const btVector3& to, const btVector3& colour) {
  lines_.push_back({{from.x(), from.y(), from.z()}, {to.x(), to.y(), to.z()}, {colour.x(), colour.y(), colour.z()}});
}

void GLDebugDrawer::reportErrorWarning(const char* text) { std::printf("%s", text ? text : ""); }
