#pragma once
// GLDebugDrawer: Bullet's debug drawing of one engine world, collected as lines and handed frame
// by frame to the debug views of that world (debugview/): the view window of the Windows build
// when the world's view_debug is on, and offscreen PNG frames when the host asked for them
// (PHYSPLUG_DEBUG_FRAMES, see open). A diagnostic aid only: it never changes the simulation.
#include <LinearMath/btIDebugDraw.h>

#include <memory>
#include <vector>

#include "debugview/debug_view.hpp"
#include "engine/world_datas.hpp"

class GLDebugDrawer final : public btIDebugDraw {
 public:
  /// Bullet's debug-draw flags the views show: wireframes, contact points, constraints and
  /// their limits.
  static constexpr int view_mode =
      DBG_DrawWireframe | DBG_DrawContactPoints | DBG_DrawConstraints | DBG_DrawConstraintLimits;

  /// The drawer of a world made from `datas`, with its views opened through the world's
  /// camera (view_eye, view_target, view_angle, scale_factor); null when the world has no view
  /// at all: view_debug off (or no view window on this platform) and no frames wanted. Frames
  /// are wanted when the environment variable PHYSPLUG_DEBUG_FRAMES names a folder; every world
  /// then writes its frames there, numbered by the worlds open at the time (world0, world1, ...).
  static std::unique_ptr<GLDebugDrawer> open(const world_datas& datas);
  ~GLDebugDrawer() override;

  /// Hands the lines Bullet drew since the last frame to every view as one frame.
  void draw_frame();

  void drawLine(const btVector3& from, const btVector3& to, const btVector3& colour) override;
  void drawContactPoint(const btVector3&, const btVector3&, btScalar, int, const btVector3&) override {}
  void reportErrorWarning(const char* text) override;
  void draw3dText(const btVector3&, const char*) override {}
  void setDebugMode(int mode) override { mode_ = mode; }
  int getDebugMode() const override { return mode_; }

  /// Views this drawer feeds (for tests): 0, 1 or 2.
  std::size_t view_count() const { return views_.size(); }

 private:
  GLDebugDrawer() = default;

  int mode_ = 0;
  debug_line_list lines_;
  std::vector<std::unique_ptr<debug_view>> views_;
  int frame_slot_ = -1;  // the world number of its frame files, or -1
};
