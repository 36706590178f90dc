#pragma once
// An attribute component made in the test (no library) that writes every scene event it hears
// into a shared log, as "<name> <event> <details>", and can be given an action to run inside a
// handler (to change the sequence mode from within, or to throw).
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "sdk/plugin_interface.hpp"
#include "sdk/scene_interface.hpp"

namespace host_test {

class recording_attribute : public sxsdk::attribute_interface {
 public:
  recording_attribute(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

  /// Appended to each sequence_mode_changed and sequence_changed line: what the test wants to see of the scene then.
  std::function<std::string()> probe;
  /// Runs after an event is logged, with the event's name.
  std::function<void(const std::string& event, sxsdk::scene_interface*)> action;

  void sequence_mode_changed(bool&, sxsdk::scene_interface* s, bool on, void*) override {
    std::ostringstream line;
    line << "mode " << (on ? "on" : "off") << " value=" << s->get_sequence_value();
    if (probe) line << " " << probe();
    note(s, line.str(), "sequence_mode_changed");
  }
  void sequence_changed(bool&, float position, sxsdk::scene_interface* s, int parts, sxsdk::part_class* const*,
                        void*) override {
    std::ostringstream line;
    line << "changed " << position << " rendering=" << s->is_rendering() << " value=" << s->get_sequence_value()
         << " parts=" << parts;
    if (probe) line << " " << probe();
    note(s, line.str(), "sequence_changed");
  }
  void idle_task(bool&, sxsdk::scene_interface* s, void*) override { note(s, "idle", "idle_task"); }
  void active_scene_changed(bool&, sxsdk::scene_interface* s, void*) override {
    note(s, "active scene", "active_scene_changed");
  }
  void scene_opened(bool&, sxsdk::scene_interface* s, void*) override { note(s, "opened", "scene_opened"); }
  void active_shapes_changed(bool&, sxsdk::scene_interface* s, int before, sxsdk::shape_class* const*, int after,
                             sxsdk::shape_class* const* now, void*) override {
    note(s, "active " + std::to_string(before) + " -> " + std::to_string(after) + (after ? " " + name_of(now[0]) : ""),
         "active_shapes_changed");
  }
  void shapes_moved(bool&, sxsdk::scene_interface* s, int n, sxsdk::shape_class* const* shapes, const sxsdk::mat4& m,
                    void*) override {
    note(s, "moved " + std::to_string(n) + (n ? " " + name_of(shapes[0]) : "") + " dx=" + std::to_string(int(m[3][0])),
         "shapes_moved");
  }
  void shapes_modified(bool&, sxsdk::scene_interface* s, int n, sxsdk::shape_class* const*, void*) override {
    note(s, "modified " + std::to_string(n), "shapes_modified");
  }
  void browser_updated(bool&, sxsdk::scene_interface* s, void*) override { note(s, "browser", "browser_updated"); }
  bool ask_shape(sxsdk::shape_class& shape, void*) override {
    note(nullptr, "ask " + name_of(&shape), "ask_shape");
    return true;
  }

 private:
  static std::string name_of(sxsdk::shape_class* shape) { return shape->get_name(); }
  void note(sxsdk::scene_interface* s, const std::string& text, const std::string& event) {
    log_.push_back(name_ + " " + text);
    if (action) action(event, s);
  }

  std::string name_;
  std::vector<std::string>& log_;
};

}  // namespace host_test
