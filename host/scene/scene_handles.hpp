#pragma once
// Small reference-counted objects the scene hands out: the animation settings, the element
// selection service and the update bracket.
#include "sdk/animation_settings_interface.hpp"
#include "sdk/element_selection_interface.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/update_token_interface.hpp"

namespace host {

class scene;

/// The scene's animation settings; holds a reference to the scene.
class animation_settings_handle final : public sxsdk::animation_settings_interface {
 public:
  explicit animation_settings_handle(scene& owner);
  ~animation_settings_handle() override;
  int get_frame_rate() override;
  /// Any positive rate is stored; 0 or less throws std::invalid_argument.
  void set_frame_rate(int frames_per_second) override;
  bool get_playback_option() override;
  void set_playback_option(bool on) override;

 private:
  scene* scene_;
};

/// Which vertices of a mesh are selected: the mesh's selection in the host's order.
class element_selection_handle final : public sxsdk::element_selection_interface {
 public:
  /// Throws std::logic_error when `mesh` is no polygon mesh.
  std::vector<int> get_selected_vertices(sxsdk::shape_class& mesh) override;
};

/// An update bracket; the headless host draws nothing, so it only records that it ended.
class update_token final : public sxsdk::update_token_interface {
 public:
  void end() override { ended_ = true; }
  bool ended() const { return ended_; }

 private:
  bool ended_ = false;
};

}  // namespace host
