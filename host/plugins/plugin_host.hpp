#pragma once
// host::plugin_host: the plug-ins of one scene. It loads plug-in libraries, creates every
// component they offer (create_interface, one reference each, held here), registers each
// under its UUID so that scene.get_plugin_interface finds it, routes the scene events to every
// attribute component, and invokes creators, attributes, browsers and figures on request.
//
// Nothing a plug-in does may take the host down: every call into a library or a component is
// guarded; an exception (std::exception, a thrown C string, anything else) becomes an error
// line in the scene's message window naming the component and the call, and the call counts as
// failed. Events go to the attribute components in the order they were added.
//
// Sequence mode: the plug-in host owns the scene's sequence-mode hook. Every change of the
// mode, whoever makes it (set_sequence_mode below, the player, or a plug-in calling
// scene.set_sequence_mode), is reported to every attribute component as sequence_mode_changed.
// A change made while that report is under way is reported after it (a change and its undoing
// within one report cancel out), so every component ends up told the mode the scene is in.
#include <memory>
#include <string>
#include <vector>

#include "host/plugins/plugin_library.hpp"
#include "host/scene/scene.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/iid.hpp"
#include "sdk/plugin_interface.hpp"

namespace host {

class plugin_host {
 public:
  /// One component, as the host holds it.
  struct component {
    sxsdk::IID kind;                                  ///< creator_iid, attribute_iid, browser_iid or figure_iid
    int index = 0;                                    ///< index within its kind in its library
    std::string name;                                 ///< get_name's answer (localised), or "" when there was none
    sx::uuid_class uuid;                              ///< the library's get_uuid answer (zero: not registered)
    std::string library;                              ///< path of the library, "" for a component added in-process
    sxsdk::host_ref<sxsdk::plugin_interface> object;  ///< the reference this host holds

    sxsdk::creator_interface* creator() const;      ///< null unless kind is creator_iid
    sxsdk::attribute_interface* attribute() const;  ///< null unless kind is attribute_iid
    sxsdk::browser_interface* browser() const;      ///< null unless kind is browser_iid
    sxsdk::figure_interface* figure() const;        ///< null unless kind is figure_iid
  };

  /// Plug-ins of `target`, which this object keeps alive (one reference) and whose
  /// sequence-mode hook it takes over until it is destroyed.
  explicit plugin_host(scene& target);
  /// Unregisters the components from the scene, releases every one of them, and only then
  /// closes the libraries (newest first).
  ~plugin_host();
  plugin_host(const plugin_host&) = delete;
  plugin_host& operator=(const plugin_host&) = delete;

  scene& target() { return *scene_; }

  // --- loading ---
  /// Loads a library and creates every component of the four kinds it offers. False, with an
  /// error line naming the path (and the missing entry points), when it cannot be loaded;
  /// a component that cannot be made is reported and skipped, the others are kept.
  bool load(const std::string& path);
  /// Adds a component made in-process (tests, built-in helpers): adopts the caller's one
  /// reference, registers it under `uuid` (unless zero) and routes events to it if it is an
  /// attribute. `kind` says which interface class `object` really is.
  component& add(const sxsdk::IID& kind, sxsdk::plugin_interface* adopted, const sx::uuid_class& uuid,
                 std::string name);
  /// The components in the order they were made.
  const std::vector<std::unique_ptr<component>>& components() const { return components_; }
  /// The first component with this UUID / name, or null.
  component* find(const sx::uuid_class& uuid) const;
  component* find(const std::string& name) const;
  /// Group name, resident flag and version numbers of a loaded library (by path); the first
  /// library wins when a path was loaded twice. False for a path that was not loaded.
  struct library_info {
    std::string group_name;
    bool resident = false;
    int major = 0, minor = 0, micro = 0, build = 0;
  };
  bool info(const std::string& path, library_info& out) const;

  // --- scene events, to every attribute component ---
  /// Sets the scene's sequence mode; the components hear of it through the hook (above).
  void set_sequence_mode(bool on);
  /// The sequence position changed to `position` (frames; -1 ends a rendering pass). `parts`
  /// are the parts the host moved for it (passed on to the components). In interactive play,
  /// components after one that left sequence mode do not hear this position.
  void sequence_changed(float position, const std::vector<part_shape*>& parts = {});
  void idle_task();
  void active_scene_changed();
  void scene_opened();
  /// The active shapes were `before` and are now `after`.
  void active_shapes_changed(const std::vector<shape_node*>& before, const std::vector<shape_node*>& after);
  /// The user moved these shapes by `m` (row vectors, mm).
  void shapes_moved(const std::vector<shape_node*>& shapes, const sxsdk::mat4& m);
  void shapes_modified(const std::vector<shape_node*>& shapes);
  void browser_updated();

  // --- invoking components (false when it did nothing, is of another kind, or threw) ---
  bool create(const component& creator);
  bool ask_shape(const component& attribute, shape_node& shape);
  bool do_browser(const component& browser);
  bool do_figure(const component& figure);

 private:
  struct loaded_library {
    std::unique_ptr<plugin_library> library;
    library_info info;
  };
  void create_components(plugin_library& library, sxsdk::host_interface* app);
  void create_component(plugin_library& library, const sxsdk::IID& kind, int index, sxsdk::host_interface* app);
  void register_uuid(const component& c);
  void on_sequence_mode(bool on);
  /// Calls f(attribute) for every attribute component, each call guarded.
  template <typename F>
  void to_attributes(const char* event, F&& f);
  /// The same, stopping before the next component once still_wanted() answers false.
  template <typename F, typename Wanted>
  void to_attributes_while(const char* event, F&& f, Wanted&& still_wanted);
  /// Runs f, turning whatever it throws into an error line; false when it threw.
  template <typename F>
  bool guarded(const std::string& who, const char* call, F&& f);

  sxsdk::host_ref<scene> scene_;
  std::vector<loaded_library> libraries_;  // destroyed after components_
  std::vector<std::unique_ptr<component>> components_;
  std::vector<sx::uuid_class> registered_;  // UUIDs this object registered with the scene
  bool reporting_mode_ = false;             // a sequence_mode_changed report is under way
  bool mode_reported_ = false;              // the mode the components heard last
};

}  // namespace host
