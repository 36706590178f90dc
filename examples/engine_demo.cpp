// The engine on its own: a ball is dropped onto a small pyramid of boxes that falls on the ground; the
// program tells where they are at a few moments and when everything has come to rest.
// Exit status 0 when everything came to rest above the ground within the time played.

#include "engine/phygics_world.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr float frame_seconds = 1.0f / 30.0f;  // a 30 frames per second sequence
constexpr int frames = 300;                    // ten seconds
constexpr float box_half = 0.2f;

// A scene the engine refuses shows nothing worth telling: stop with the reason.
void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "engine demo: the engine refused %s\n", what);
  std::exit(1);
}

void* key(int i) { return reinterpret_cast<void*>(std::uintptr_t(0x1000 + 16 * i)); }

class demo_scene {
 public:
  demo_scene() {
    require(engine_.create_world(world_, false), "the world");
    add_shape(key(100), collisionshape_datas::sphere, 0.25f);
    add_shape(key(101), collisionshape_datas::box, box_half);
    // Just off the top box, so that the ball glances off the pile and rolls away.
    ball_ = add_body(key(100), btVector3(-0.38f, 3.0f, 0.05f), 0.3f, 0.5f);
    for (int layer = 0, n = 3; n > 0; ++layer, --n)  // 3 x 3, then 2 x 2, then 1
      for (int i = 0; i < n * n; ++i) {
        const float offset = (3 - n) * box_half;
        const btVector3 at(offset + (i % n) * 2.05f * box_half - 1.0f, 0.6f + layer * 0.45f,
                           offset + (i / n) * 2.05f * box_half - 0.4f);
        boxes_.push_back(add_body(key(101), at, 0.0f, 0.0f));
      }
  }

  int run() {
    std::printf(
        "A ball (r = 0.25 m) dropped onto a pyramid of %zu boxes (0.4 m) on the ground;\n"
        "%d frames of 1/30 s, Bullet at %g steps/s.\n",
        boxes_.size(), frames, world_.simulation_cycle);
    report(0);
    int still_frames = 0, rest_frame = -1;
    std::vector<btVector3> last = positions();
    for (int frame = 1; frame <= frames; ++frame) {
      engine_.update(frame_seconds, world_.simulation_cycle);
      const std::vector<btVector3> now = positions();
      still_frames = largest_move(last, now) < 1e-4f ? still_frames + 1 : 0;
      if (still_frames == 15 && rest_frame < 0) rest_frame = frame - 14;
      last = now;
      if (frame % 15 == 0 && frame <= 90) report(frame);
    }
    return finish(rest_frame, last);
  }

 private:
  void add_shape(void* shape_key, collisionshape_datas::primitive_type type, float size) {
    collisionshape_datas shape;
    shape.shape = shape_key;
    shape.type = type;
    shape.size[0] = shape.size[1] = shape.size[2] = size;
    require(engine_.addCollisionShape(shape), "a collision shape");
  }

  void* add_body(void* primitive, const btVector3& at, float restitution, float damping) {
    rigidbody_datas body;
    body.shape = key(int(boxes_.size()) + (ball_ ? 1 : 0));
    body.primitive = primitive;
    body.restitution = restitution;
    // Damping lets a rolling ball slow down until Bullet puts it to sleep.
    body.linear_damping = body.angular_damping = damping;
    body.transform.setOrigin(at);
    require(engine_.addRigidBody(body), "a body");
    return body.shape;
  }

  btVector3 position(void* body) {
    btTransform t = btTransform::getIdentity();
    require(engine_.get_rigidbody_transform(body, t), "the pose of a body");
    return t.getOrigin();
  }

  std::vector<btVector3> positions() {
    std::vector<btVector3> all{position(ball_)};
    for (void* box : boxes_) all.push_back(position(box));
    return all;
  }

  static float largest_move(const std::vector<btVector3>& a, const std::vector<btVector3>& b) {
    float largest = 0.0f;
    for (std::size_t i = 0; i < a.size(); ++i) largest = std::fmax(largest, a[i].distance(b[i]));
    return largest;
  }

  void report(int frame) {
    const btVector3 ball = position(ball_);
    float top = -1e9f;
    for (void* box : boxes_) top = std::fmax(top, position(box).y() + box_half);
    std::printf("t = %4.2f s  ball at (%5.2f, %5.2f, %5.2f)  top of the pile %4.2f m\n", frame * frame_seconds,
                ball.x(), ball.y(), ball.z(), top);
  }

  int finish(int rest_frame, const std::vector<btVector3>& last) {
    float lowest = 1e9f;
    for (const btVector3& p : last) lowest = std::fmin(lowest, p.y());
    report(frames);
    if (rest_frame < 0) {
      std::printf("Still moving after %g s.\n", frames * frame_seconds);
      return 1;
    }
    std::printf("Everything came to rest at t = %4.2f s; lowest centre %4.2f m above the ground.\n",
                rest_frame * frame_seconds, lowest);
    return lowest > 0.1f ? 0 : 1;
  }

  world_datas world_;
  phygics_world engine_;
  void* ball_ = nullptr;
  std::vector<void*> boxes_;
};

}  // namespace

int main() { return demo_scene().run(); }
