// The Windows debug view, run under wine64 on an X display (Xvfb): a window per world with
// "View Debug" on, Bullet's debug drawing of the world seen through the captured camera, and
// nothing at all with the option off.
#include <gtest/gtest.h>
#include <windows.h>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/bullet_world.hpp"
#include "engine/gl_debug_drawer.hpp"

namespace {

// Windows of the view's class on this thread.
int view_windows() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counter) -> BOOL {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "VS2017D GL1") ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// A camera 10 m in front of the origin on +Z looking at it, focal length 18 mm: a 90 degree
// vertical view, so at the origin's distance the picture spans ±10 m vertically and ±7.5 m
// horizontally (the view's aspect 0.75).
world_datas viewed_world(bool view_debug) {
  world_datas w;
  w.view_debug = view_debug;
  w.view_eye[2] = 10.0f;
  w.view_angle = std::acos(18.0f / std::sqrt(18.0f * 18.0f + 324.0f));
  w.height = -5.0f;  // the ground: two 200 m lines along X and Z at y = -5
  return w;
}

struct picture {
  std::vector<unsigned char> rgb = std::vector<unsigned char>(640 * 640 * 3);
  // Pixel (column, row counted from the bottom).
  std::array<int, 3> at(int column, int row) const {
    const unsigned char* p = &rgb[(std::size_t(row) * 640 + std::size_t(column)) * 3];
    return {p[0], p[1], p[2]};
  }
  // The background (0, 0.125, 0.3) in 8 bits, either way rounded: (0, 31.875, 76.5).
  bool background(int column, int row) const {
    const std::array<int, 3> c = at(column, row);
    return c[0] == 0 && (c[1] == 31 || c[1] == 32) && (c[2] == 76 || c[2] == 77);
  }
  // A line passes within a pixel of (column, row): a colour that is neither the background
  // nor black (nothing drawn at all).
  bool line_near(int column, int row) const {
    for (int dc = -1; dc <= 1; ++dc)
      for (int dr = -1; dr <= 1; ++dr)
        if (!background(column + dc, row + dr) && at(column + dc, row + dr) != std::array<int, 3>{0, 0, 0}) return true;
    return false;
  }
};

// The frame just drawn, from the view's current context: the back buffer, which the software
// renderer's swap copies to the window and leaves as it was.
picture shown_frame() {
  picture p;
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 640, 640, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  return p;
}

}  // namespace

TEST(debug_window, with_view_debug_off_no_window_context_or_drawing_exists) {
  world_datas w = viewed_world(false);
  bullet_world world(w, false);
  world.update(1.0f / 30.0f, 60.0f);
  EXPECT_EQ(world.debug_drawer(), nullptr);
  EXPECT_EQ(view_windows(), 0);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST(debug_window, two_worlds_with_view_debug_open_two_windows_closed_with_their_worlds) {
  world_datas a = viewed_world(true), b = viewed_world(true);
  {
    bullet_world first(a, false);
    bullet_world second(b, false);
    ASSERT_NE(first.debug_drawer(), nullptr);
    ASSERT_NE(second.debug_drawer(), nullptr);
    EXPECT_EQ(first.debug_drawer()->getDebugMode(), 6153);
    EXPECT_EQ(view_windows(), 2);
  }
  EXPECT_EQ(view_windows(), 0);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  bullet_world again(a, false);  // the window class is registered anew for the next world
  EXPECT_EQ(view_windows(), 1);
}

TEST(debug_window, a_frame_shows_the_ground_and_a_box_where_the_camera_puts_them) {
  world_datas w = viewed_world(true);
  bullet_world world(w, false);
  collisionshape_datas box;
  box.shape = &box;
  box.type = collisionshape_datas::box;
  box.size[0] = box.size[1] = box.size[2] = 1.0f;  // half extents, margin included
  ASSERT_TRUE(world.addCollisionShape(box));
  rigidbody_datas body;
  body.shape = &body;
  body.primitive = &box;
  body.mass = 0.0f;  // static: stays where it is put
  body.type = rigidbody_datas::static_body;
  body.transform.setOrigin(btVector3(3.0f, 2.0f, 0.0f));
  ASSERT_TRUE(world.addRigidBody(body));
  world.debug_draw();
  const picture p = shown_frame();

  // The ground's X line at y = -5, 10 m away: half way down the lower half, row 160.
  EXPECT_TRUE(p.line_near(100, 160));
  EXPECT_TRUE(p.line_near(540, 160));
  // The box's front face (z = 1, 9 m away) spans x 2..4 and y 1..3: its right edge x = 4 lies
  // at 4 / (9 × 0.75) of the half width right of the centre, column 509.6, rows 355.6..426.7.
  EXPECT_TRUE(p.line_near(509, 390));
  // Its top edge y = 3 at row 320 × (1 + 3/9) = 426.7, between columns 414.8 and 509.6.
  EXPECT_TRUE(p.line_near(460, 426));
  // Inside the face and far from every line: the background colour (0, 0.125, 0.3).
  for (const auto& [column, row] : {std::pair{460, 390}, std::pair{100, 600}, std::pair{320, 500}})
    EXPECT_TRUE(p.background(column, row)) << column << ", " << row << ": " << p.at(column, row)[0] << ", "
                                           << p.at(column, row)[1] << ", " << p.at(column, row)[2];
}
