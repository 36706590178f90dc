// How exactly joints hold their bodies, played through the loaded plug-in at 60 frames a second.
// The bodies here hang beside their joints (sons of the world part, not of the joint), so the
// scene shows each body where the engine has it: a joint that lets its body stray shows as a
// longer arm. Oracles are mechanics: the exact period of a pendulum of finite amplitude, the
// limit and cone angles, the links' rest lengths, a body at rest staying at rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "joints/constraints_properties.hpp"
#include "plugin/playback_scene.hpp"

using namespace plugin_test;

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double g = 9.8;                       // the world's default gravity, m/s^2
constexpr float fps = 60;                       // frames per second of every scene here
const vec3 pivot(0, 2000, 0);                   // mm
constexpr std::uint32_t not_group_1 = 1u << 1;  // a body's mask: no collision with group 1 (anchor, chain)

// The complete elliptic integral of the first kind K(k), by the arithmetic-geometric mean.
double elliptic_k(double k) {
  double a = 1, b = std::sqrt(1 - k * k);
  for (int i = 0; i < 20; ++i) {
    const double mean = (a + b) / 2;
    b = std::sqrt(a * b);
    a = mean;
  }
  return pi / (2 * a);
}

// Period of a pendulum released at rest `amplitude` (radians) off the vertical, whose equivalent
// simple pendulum is `length` (m) long: T = 4 sqrt(L / g) K(sin(amplitude / 2)), exact at any
// amplitude (any mechanics text). A body of inertia I about the pivot, of mass m, whose centre
// hangs d below it, swings as a simple pendulum of L = I / (m d).
double exact_period(double length, double amplitude) {
  return 4 * std::sqrt(length / g) * elliptic_k(std::sin(amplitude / 2));
}

/// A joint: where it is (mm), what it holds the body to, its kind and turn limits (degrees).
struct joint_spec {
  vec3 at;
  host::part_shape* before;  // null: the anchor
  std::int32_t type;
  btVector3 lower, upper;
  btVector3 cone = btVector3(0, 0, 0);  // ConeTwist: softness, bias, relaxation
};

// A world at `cycle` steps a second with a static anchor at the pivot; the scene plays at 60 fps.
struct joint_scene {
  playback_scene p;
  host::part_shape& world;
  host::part_shape& anchor;

  explicit joint_scene(float cycle)
      : world(p.add_world("World", world_at(cycle))),
        anchor(p.add_body(world, "Anchor", sphere_shape(0.01f), pivot, body_settings(rigidbody_datas::static_body))) {
    p.scene->animation().frame_rate = int(fps);
  }
  static world_datas world_at(float cycle) {
    world_datas w;
    w.simulation_cycle = cycle;
    return w;
  }

  /// A moving body of 1 kg beside the joints, at `placement` (mm), starting at `velocity` (m/s),
  /// held by a joint at `j.at` to `j.before` (the anchor when null). The joint part comes first
  /// in the scene: a joint's body after it is its second body (rigid1), one before it the first.
  host::part_shape& hang(const std::string& name, const collisionshape_datas& shape, const sxsdk::mat4& placement,
                         const joint_spec& j, const btVector3& velocity = btVector3(0, 0, 0), float damping = 0) {
    host::part_shape& joint = p.scene->add_part(world, "Joint " + name, sxsdk::part_type::ball_joint);
    joint.joint().position = j.at;
    rigidbody_datas settings = body_settings();
    settings.velocity = velocity;
    settings.linear_damping = settings.angular_damping = damping;
    settings.mask = not_group_1;
    const vec3 at(placement[3][0], placement[3][1], placement[3][2]);
    host::part_shape& body = p.add_body(world, name, shape, at, settings);
    body.set_transformation(placement);  // turned: the stored start pose is taken again
    rigidbody_properties b;
    b.shape = &body.sdk();
    if (!b.get_properties()) ADD_FAILURE() << name;
    b.get_transrate_data();
    if (!b.regist()) ADD_FAILURE() << name;
    constraints_properties c;
    c.shape = &joint.sdk();
    c.type = j.type;
    c.rigid0 = j.before ? &j.before->sdk() : &anchor.sdk();
    c.rigid1 = &body.sdk();
    c.angular_lower_limit = j.lower;
    c.angular_upper_limit = j.upper;
    c.angular_stiffness = j.cone;
    if (!c.regist()) ADD_FAILURE() << "joint stream not written";
    return body;
  }
};

collisionshape_datas rod_shape() { return box_shape(0.02f, 0.5f, 0.02f); }  // 1 m long, 4 cm thick
const btVector3 free_turns_lower(1, 1, 1), free_turns_upper(-1, -1, -1);    // lower above upper: free

// Where a body hanging `arm` mm below the pivot is after turning `angle` about Z.
sxsdk::mat4 hanging(float arm, double angle) {
  return sxsdk::mat4::rotate_z(float(angle)) *
         sxsdk::mat4::translate(pivot + vec3(float(arm * std::sin(angle)), float(-arm * std::cos(angle)), 0));
}

double angle_between(const vec3& a, const vec3& b) {
  const double c = double(sx::dot(a, b)) / (double(sx::length(a)) * double(sx::length(b)));
  return std::acos(std::max(-1.0, std::min(1.0, c)));
}

}  // namespace

// A rod 1 m long hung from its end, and a ball of radius 5 cm on a 1 m arm (its inertia tiny
// against its lever arm), on a 6Dof joint with its linear axes locked and its turns free,
// released at rest: for a minute they swing with the exact period of their amplitude, keep that
// amplitude and their arm's length.
TEST(joint_accuracy, a_pendulum_swings_a_minute_with_the_exact_period_of_its_amplitude) {
  struct pendulum_case {
    const char* what;
    bool rod;
    double degrees;
  };
  const pendulum_case cases[] = {
      {"rod, 5 degrees", true, 5},
      {"rod, 30 degrees", true, 30},
      {"ball on an arm, 5 degrees", false, 5},
      {"ball on an arm, 30 degrees", false, 30},
  };
  for (const pendulum_case& c : cases) {
    joint_scene s(60);
    const double arm = c.rod ? 0.5 : 1.0;  // m, pivot to centre
    // I / m about the pivot: rod (l^2 + w^2) / 12 + d^2; ball 2 r^2 / 5 + d^2.
    const double inertia = c.rod ? (1.0 + 0.04 * 0.04) / 12 + arm * arm : 0.4 * 0.05 * 0.05 + arm * arm;
    const double amplitude = c.degrees * pi / 180;
    host::part_shape& bob =
        s.hang("Bob", c.rod ? rod_shape() : sphere_shape(0.05f), hanging(float(arm * 1000), amplitude),
               {pivot, nullptr, constraints_datas::six_dof, free_turns_lower, free_turns_upper});
    const double expected = exact_period(inertia / arm, amplitude);
    s.p.enter();
    std::vector<double> crossings;  // times (s) it passed straight down, swinging one way
    double last = amplitude, stretch = 0, widest_last_period = 0;
    const int frames = int(60 * fps);
    for (int frame = 1; frame <= frames; ++frame) {
      s.p.go_to(float(frame));
      const vec3 at = playback_scene::position_of(bob) - pivot;
      const double now = std::atan2(double(at.x), -double(at.y));
      stretch = std::max(stretch, std::fabs(double(sx::length(at)) / 1000 - arm));
      if (last > 0 && now <= 0) crossings.push_back((frame - 1 + last / (last - now)) / double(fps));
      if (frame > frames - int(expected * fps)) widest_last_period = std::max(widest_last_period, std::fabs(now));
      last = now;
    }
    ASSERT_TRUE(s.p.errors().empty()) << s.p.errors().front();
    if (crossings.size() < 25u) {  // a minute holds 29 periods or more
      ADD_FAILURE() << c.what << ": it stopped swinging after " << crossings.size() << " periods";
      continue;
    }
    const double period = (crossings.back() - crossings.front()) / double(crossings.size() - 1);
    EXPECT_NEAR(period / expected, 1.0, 0.01) << c.what << ": " << period << " s against " << expected << " s";
    EXPECT_GT(widest_last_period, 0.95 * amplitude) << c.what << ": it still swings as wide after a minute";
    EXPECT_LT(stretch, 0.01 * arm) << c.what << ": the arm keeps its length (m)";
    RecordProperty(std::string(c.what) + ": period error (ppm)", int(1e6 * (period / expected - 1)));
  }
}

// A rod hung from its end on a 6Dof joint whose turns are held within +-30 degrees, pushed at
// 5 m/s (it would swing over the top if free) or falling from the horizontal under gravity alone,
// and a ConeTwist joint of 30 degree spans (the dialog's softness 1, bias 0.3, relaxation 1)
// pushed the same way: the rod stops at the limit.
TEST(joint_accuracy, a_rod_pushed_or_falling_into_a_limit_stops_there) {
  struct limit_case {
    const char* what;
    std::int32_t type;
    float cycle;
    double start;  // radians from straight down
    float push;    // m/s, the rod's centre
    double bound;  // degrees
  };
  const limit_case cases[] = {
      {"6Dof, pushed at 5 m/s", constraints_datas::six_dof, 60, 0, 5, 31},
      {"6Dof, gravity alone", constraints_datas::six_dof, 60, pi / 2, 0, 32.5},
      {"ConeTwist at cycle 240, pushed at 5 m/s", constraints_datas::cone_twist, 240, 0, 5, 32},
      {"ConeTwist at cycle 60, pushed at 5 m/s", constraints_datas::cone_twist, 60, 0, 5, 32},
  };
  for (const limit_case& c : cases) {
    joint_scene s(c.cycle);
    const sxsdk::mat4 start = hanging(500, c.start);
    const joint_spec joint =
        c.type == constraints_datas::cone_twist
            ? joint_spec{pivot, nullptr, c.type, btVector3(0, 0, 0), btVector3(30, 30, 30), btVector3(1, 0.3f, 1)}
            : joint_spec{pivot, nullptr, c.type, btVector3(-30, -30, -30), btVector3(30, 30, 30)};
    host::part_shape& rod = s.hang("Rod", rod_shape(), start, joint, btVector3(c.push, 0, 0));
    const vec3 first = vec3(start[3][0], start[3][1], start[3][2]) - pivot;
    s.p.enter();
    double widest = 0;
    for (int frame = 1; frame <= 4 * int(fps); ++frame) {
      s.p.go_to(float(frame));
      widest = std::max(widest, angle_between(first, playback_scene::position_of(rod) - pivot) * 180 / pi);
    }
    ASSERT_TRUE(s.p.errors().empty()) << s.p.errors().front();
    EXPECT_GT(widest, 28.0) << c.what << ": it reaches the limit";
    EXPECT_LE(widest, c.bound) << c.what;
    RecordProperty(std::string(c.what) + ": widest (millidegrees)", int(1000 * widest));
  }
}

// Ten balls of 1 kg, radius 8 cm, 0.2 m apart, damped 0.3, hung in a horizontal line from a static
// anchor by 6Dof joints at each ball's upper neighbour: while the chain falls and swings, and
// after, every link keeps its rest length.
TEST(joint_accuracy, a_falling_chain_of_balls_keeps_its_links_rest_length) {
  struct chain_case {
    float cycle;
    double bound;  // largest stretch of a link, fraction of its rest length
  };
  for (const chain_case& c : {chain_case{60, 0.04}, chain_case{240, 0.01}}) {
    joint_scene s(c.cycle);
    constexpr float link = 200;  // mm
    std::vector<host::part_shape*> balls;
    host::part_shape* before = nullptr;
    for (int k = 0; k < 10; ++k) {
      const vec3 at = pivot + vec3(link * float(k + 1), 0, 0);
      host::part_shape& ball =
          s.hang("Ball " + std::to_string(k), sphere_shape(0.08f), sxsdk::mat4::translate(at),
                 {at - vec3(link, 0, 0), before, constraints_datas::six_dof, free_turns_lower, free_turns_upper},
                 btVector3(0, 0, 0), 0.3f);
      balls.push_back(&ball);
      before = &ball;
    }
    s.p.enter();
    double stretch = 0, lowest = pivot.y;
    for (int frame = 1; frame <= 5 * int(fps); ++frame) {
      s.p.go_to(float(frame));
      vec3 above = pivot;
      for (host::part_shape* ball : balls) {
        const vec3 at = playback_scene::position_of(*ball);
        stretch = std::max(stretch, std::fabs(double(sx::length(at - above)) / link - 1));
        above = at;
      }
      lowest = std::min(lowest, double(above.y));
    }
    ASSERT_TRUE(s.p.errors().empty()) << s.p.errors().front();
    EXPECT_LT(lowest, pivot.y - 1500) << "cycle " << c.cycle << ": the chain fell";
    EXPECT_LE(stretch, c.bound) << "cycle " << c.cycle;
    RecordProperty("cycle " + std::to_string(int(c.cycle)) + ": largest stretch (ppm)", int(1e6 * stretch));
  }
}

// A ball hanging at rest 1 m below its joint stays where it is on the first frame, whatever the
// kind of joint (it used to drop one whole step of free fall, g / 60^2 = 2.72 mm, before a 6Dof
// joint caught it).
TEST(joint_accuracy, a_body_hanging_at_rest_stays_put_on_the_first_frame) {
  for (std::int32_t type :
       {constraints_datas::six_dof, constraints_datas::six_dof_spring, constraints_datas::cone_twist}) {
    joint_scene s(60);
    const vec3 start = pivot - vec3(0, 1000, 0);
    const joint_spec joint =
        type == constraints_datas::cone_twist
            ? joint_spec{pivot, nullptr, type, btVector3(0, 0, 0), btVector3(30, 30, 30), btVector3(1, 0.3f, 1)}
            : joint_spec{pivot, nullptr, type, free_turns_lower, free_turns_upper};
    host::part_shape& ball = s.hang("Ball", sphere_shape(0.05f), sxsdk::mat4::translate(start), joint);
    s.p.enter();
    s.p.go_to(1);
    ASSERT_TRUE(s.p.errors().empty()) << s.p.errors().front();
    EXPECT_LE(sx::length(playback_scene::position_of(ball) - start), 0.1f) << "type " << type << " (mm)";
  }
}
