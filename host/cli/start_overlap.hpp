#pragma once
// host::start_overlap: how many rigid bodies start inside one another. Bullet keeps contact
// points for every pair of bodies whose shapes overlap, so a heap of bodies placed at one point
// makes every pair a contact (1000 boxes at one point took 1.3 GB, 1500 took 4.5 GB, about
// 2.6 KB a pair). play reports such a start before the plug-in builds anything, and refuses one
// with more overlapping pairs than max_pairs, which keeps the memory a playback takes bounded.
#include <cstddef>
#include <vector>

#include "host/cli/scene_roles.hpp"

namespace host {

struct start_overlap {
  /// Pairs above this are refused (about 260 MB of contact points).
  static constexpr std::size_t max_pairs = 100000;

  std::size_t bodies = 0;  ///< bodies in at least one overlapping pair
  std::size_t pairs = 0;   ///< overlapping pairs, counted up to max_pairs + 1
  /// For each body given to count(): another body it starts inside (an index into the same
  /// list), or npos. Filled for the pairs counted.
  std::vector<std::size_t> partner;
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  /// Two bodies start inside each other when their world-aligned boxes (around each primitive's
  /// collision shape, turned as the primitive is turned) overlap on every axis by at least half
  /// the smaller box's width there: resting on or touching another body does not count. Pairs
  /// of two static or kinematic bodies, and pairs whose collision groups and masks keep them
  /// apart (the links of a jointed arm), are not counted: Bullet does not pair them. Bodies
  /// without a readable primitive are left out (the plug-in refuses them).
  static start_overlap count(const std::vector<simulated_body>& bodies);
};

}  // namespace host
