#include "debugview/line_painter.hpp"

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>

#include <cmath>

namespace line_painter {
namespace {

struct vec {
  float x, y, z;
};

vec scaled(const float p[3], float s) { return {p[0] * s, p[1] * s, p[2] * s}; }
vec minus(vec a, vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
vec cross(vec a, vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float length(vec a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
vec unit(vec a) {
  const float l = length(a);
  return {a.x / l, a.y / l, a.z / l};
}

// The camera's view: eye at the origin looking down -Z with `up` as near to +Y as it can be.
// A camera looking straight up or down has no such up; it takes -Z of the world as its up then,
// instead of a degenerate matrix that would draw nothing.
void look_at(vec eye, vec target) {
  const vec forward = unit(minus(target, eye));
  vec side = cross(forward, {0.0f, 1.0f, 0.0f});
  if (length(side) < 1e-6f) side = cross(forward, {0.0f, 0.0f, -1.0f});
  side = unit(side);
  const vec up = cross(side, forward);
  const GLfloat m[16] = {side.x, up.x, -forward.x, 0.0f, side.y, up.y, -forward.y, 0.0f,
                         side.z, up.z, -forward.z, 0.0f, 0.0f,   0.0f, 0.0f,       1.0f};
  glMultMatrixf(m);
  glTranslatef(-eye.x, -eye.y, -eye.z);
}

}  // namespace

void paint(const debug_camera& camera, const debug_line_list& lines) {
  glViewport(0, 0, view_size, view_size);
  glClearColor(background[0], background[1], background[2], background[3]);
  glClear(GL_COLOR_BUFFER_BIT);
  const vec eye = scaled(camera.eye, camera.scale), target = scaled(camera.target, camera.scale);
  const float distance = length(minus(target, eye));
  // A camera with no direction or angle sees nothing: the frame stays the background.
  if (!(distance > 0.0f) || !std::isfinite(distance) || !(camera.half_angle > 0.0f) || !(camera.half_angle < 1.57f))
    return;
  const double near_plane = distance * 0.2, far_plane = distance * 20.0;
  const double half_height = near_plane * std::tan(double(camera.half_angle));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-half_height * aspect, half_height * aspect, -half_height, half_height, near_plane, far_plane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  look_at(eye, target);
  glBegin(GL_LINES);
  for (const debug_line& l : lines) {
    glColor3f(l.colour[0], l.colour[1], l.colour[2]);
    glVertex3f(l.from[0], l.from[1], l.from[2]);
    glVertex3f(l.to[0], l.to[1], l.to[2]);
  }
  glEnd();
  glFlush();
}

}  // namespace line_painter
