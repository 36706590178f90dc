#pragma once
// The simulation worlds of a scene, in the order a depth-first walk from the root meets their
// world parts. The owner clears the list (clear) before discarding it so that the scene is put
// back; destroying it without clear frees the engines but leaves the scene as it is.
#include <vector>

#include "bridge/sorvel_world.hpp"

class sorvel_worlds {
 public:
  /// Appends a world for every active world part at or below `shape`. Held world parts are
  /// skipped; the sons of a world part are never searched for further worlds (a nested world
  /// part belongs to the outer world).
  void create(sxsdk::scene_interface* scene, sxsdk::shape_class& shape);
  /// create from `root`, then builds every world's engine in order. True only when at least one
  /// world exists and all were built; the first failure names its world part in the message
  /// window ("Bullet world[%s] create ERROR") and later worlds are not built.
  [[nodiscard]] bool create_bullets(sxsdk::scene_interface* scene, sxsdk::shape_class& root);
  /// Clears every world in order (putting the scene back) and empties the list.
  void clear();

  /// A moving body's start was moved by the user during playback (sorvel_world::start_moved).
  void start_moved(sxsdk::shape_class& body_part);

  bool empty() const { return worlds_.empty(); }
  std::size_t size() const { return worlds_.size(); }
  sorvel_world& operator[](std::size_t i) { return worlds_[i]; }
  std::vector<sorvel_world>::iterator begin() { return worlds_.begin(); }
  std::vector<sorvel_world>::iterator end() { return worlds_.end(); }

 private:
  std::vector<sorvel_world> worlds_;
};
