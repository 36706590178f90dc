#pragma once
// Every soft body mesh of a scene (the modify component's list): rebuilt from the scene root,
// used by the editor, and rewritten when the shapes are renumbered so that the anchor bodies
// stored as index numbers stay right.
#include <vector>

#include "softbody/softbody_properties.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk

class softbody_scene_list {
 public:
  /// Empties the list and walks the scene from `root`.
  void rebuild(sxsdk::shape_class& root);
  /// Appends `shape` when it is a polygon mesh with a soft body stream that reads whole, then
  /// walks the sons of a part (not of part types 100, 102 and 103), depth first.
  void create_(sxsdk::shape_class& shape);

  /// The host updated its browser: when the active shape is the one seen last time and its
  /// index number changed to a number other than 0, every soft body stream of the scene is
  /// written again (once); otherwise the active shape and its number are remembered.
  void browser_updated(sxsdk::scene_interface& scene);

  /// The entry of `mesh`, or null.
  softbody_properties* find(const sxsdk::shape_class& mesh);
  void append(softbody_properties mesh) { softs_.push_back(std::move(mesh)); }
  void remove(const sxsdk::shape_class& mesh);
  const std::vector<softbody_properties>& softs() const { return softs_; }

 private:
  std::vector<softbody_properties> softs_;
  const sxsdk::shape_class* browser_shape_ = nullptr;  ///< compared only, never followed
  int browser_number_ = 0;
};
