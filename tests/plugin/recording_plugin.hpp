#pragma once
// A stand-in for another plug-in of the host (aim constraints, IK, ...): it records every
// current_joint_value_changed call into a shared log, and can be told to fail.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sdk/plugin_interface.hpp"

namespace plugin_test {

class recording_plugin : public sxsdk::attribute_interface {
 public:
  recording_plugin(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  void current_joint_value_changed(bool&, sxsdk::scene_interface*, int, sxsdk::part_class* const*, void*) override {
    log_.push_back(name_);
    if (on_call) on_call();
    if (fail) throw std::runtime_error(name_ + " failed");
  }
  std::function<void()> on_call;  ///< runs at every call (e.g. to look at the scene then)
  bool fail = false;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

}  // namespace plugin_test
