#pragma once
// The values a world or rigid body may hold and still give a finite simulation, checked where a
// value enters: the settings dialogs (nothing is stored when one is out of range) and the
// building of a world from the scene's streams (the world is refused). Beyond these bounds
// Bullet was seen to produce NaN (mass 1e-37, a subnormal scale, basis rows of 1e30, a ground at
// 3e38 m), to lose bodies (a velocity of 1e8 m/s leaves its broadphase), to let them fall
// through the ground (mass 1e8 on it, gravity 1e12), or to step for seconds per frame (a cycle
// of 1e9 steps per second).
#include <string>

#include "engine/rigidbody_datas.hpp"
#include "engine/world_datas.hpp"

namespace sxsdk {
class shape_class;
}

namespace settings_limits {

/// The first value of `w` out of its range, as "\"Simulation Cycle\" 0 is outside its range
/// (more than 0, at most 10000)"; empty when every value is usable. Scale Factor 0.001..1000,
/// |Gravity| <= 1e5 m/s², |Hight| <= 1e6 m, Air Density 0..1e6, Simulation Cycle (0, 10000],
/// a finite boundary.
std::string world_problem(const world_datas& w);

/// As world_problem for a body: a moving body's Mass 0 or 1e-6..1e6 kg and Velocity components
/// within 1e5 m/s (kinematic and static bodies use neither), Friction 0..1e6, Restitution
/// 0..1e6 (above 1 gives a livelier bounce), both dampings 0..1, the start basis rows at
/// most 10 long and its origin within 1e6 m on every axis.
std::string rigidbody_problem(const rigidbody_datas& b);

/// "root/World/Ball": the names from the scene's root down to `shape`.
std::string path_of(sxsdk::shape_class& shape);

}  // namespace settings_limits
