#pragma once
// One simulation world as the scene side hands it to the engine.

#include <LinearMath/btVector3.h>

#include <cstdint>

struct world_datas {
  void* shape = nullptr;  ///< the world part; an opaque key, never read by the engine
  float gravity = 9.8f;   ///< m/s²; the engine uses (0, -|gravity|, 0) and stores a positive value back negated
  float height = 0.0f;    ///< ground plane height, metres; not multiplied by scale_factor
  btVector3 boundary_min{-1000.0f, -1000.0f,
                         -1000.0f};  ///< broadphase lower corner, metres, unscaled (worlds with soft bodies only)
  btVector3 boundary_max{1000.0f, 1000.0f, 1000.0f};  ///< broadphase upper corner, metres (as above)
  std::int32_t reserved = 0x20000;                    ///< kept with the world part's stream; nothing reads it
  float air_density = 1.2f;                           ///< handed to the soft body world information
  float simulation_cycle = 60.0f;                     ///< internal engine steps per second; must be positive and finite
  bool active = true;                                 ///< true: the world is simulated; false: it is held
  /// Engine length multiplier (> 0): body lengths in (origins, velocities, sizes, joint origins and
  /// linear limits, cloth nodes) are multiplied, lengths out divided; gravity, height and the
  /// boundary are not, so at 2 the bodies act as if twice as large.
  float scale_factor = 1.0f;
  bool view_debug = false;                    ///< the debug view is wanted for this world
  float view_eye[3] = {0.0f, 0.0f, 0.0f};     ///< debug view camera position, metres
  float view_target[3] = {0.0f, 0.0f, 0.0f};  ///< debug view camera target, metres
  float view_angle = 0.0f;                    ///< debug view half field of view, radians
};
