#include "host/plugins/plugin_host.hpp"

#include <exception>
#include <string>
#include <utility>

namespace host {
namespace {

// More components of one kind than this is a broken has_interface, not a plug-in.
constexpr int max_components_per_kind = 256;
// Sequence-mode changes reported in one burst before the host gives up on components that keep
// switching the mode back and forth from their own sequence_mode_changed.
constexpr int max_mode_changes_per_burst = 16;

const sxsdk::IID* const component_kinds[] = {&sxsdk::creator_iid, &sxsdk::attribute_iid, &sxsdk::browser_iid,
                                             &sxsdk::figure_iid};

// The interface class a component of `kind` is, as a plugin_interface (create_interface hands
// out a pointer to the kind's interface class).
sxsdk::plugin_interface* as_plugin_interface(const sxsdk::IID& kind, void* object) {
  if (kind == sxsdk::creator_iid) return static_cast<sxsdk::creator_interface*>(object);
  if (kind == sxsdk::attribute_iid) return static_cast<sxsdk::attribute_interface*>(object);
  if (kind == sxsdk::browser_iid) return static_cast<sxsdk::browser_interface*>(object);
  return static_cast<sxsdk::figure_interface*>(object);
}

std::string kind_name(const sxsdk::IID& kind) {
  if (kind == sxsdk::creator_iid) return "creator";
  if (kind == sxsdk::attribute_iid) return "attribute";
  if (kind == sxsdk::browser_iid) return "browser";
  return "figure";
}

std::vector<sxsdk::shape_class*> sdk_shapes(const std::vector<shape_node*>& shapes) {
  std::vector<sxsdk::shape_class*> out;
  for (shape_node* s : shapes) out.push_back(&s->sdk());
  return out;
}

int count(const std::vector<sxsdk::shape_class*>& v) { return static_cast<int>(v.size()); }

}  // namespace

// --- component ---

sxsdk::creator_interface* plugin_host::component::creator() const {
  return kind == sxsdk::creator_iid ? static_cast<sxsdk::creator_interface*>(object.get()) : nullptr;
}
sxsdk::attribute_interface* plugin_host::component::attribute() const {
  return kind == sxsdk::attribute_iid ? static_cast<sxsdk::attribute_interface*>(object.get()) : nullptr;
}
sxsdk::browser_interface* plugin_host::component::browser() const {
  return kind == sxsdk::browser_iid ? static_cast<sxsdk::browser_interface*>(object.get()) : nullptr;
}
sxsdk::figure_interface* plugin_host::component::figure() const {
  return kind == sxsdk::figure_iid ? static_cast<sxsdk::figure_interface*>(object.get()) : nullptr;
}

// --- life ---

plugin_host::plugin_host(scene& target) : mode_reported_(target.is_sequence_mode()) {
  target.AddRef();
  scene_.reset(&target);
  scene_->set_sequence_mode_handler([this](bool on) { on_sequence_mode(on); });
}

plugin_host::~plugin_host() {
  scene_->set_sequence_mode_handler({});
  for (const sx::uuid_class& uuid : registered_) scene_->unregister_plugin_interface(uuid);
  // Every component goes before any library closes: a component released later would run
  // code that is no longer mapped. Newest first, as they were made.
  while (!components_.empty()) {
    const std::string who = components_.back()->name;
    guarded(who, "Release", [&] { components_.pop_back(); });
  }
  while (!libraries_.empty()) libraries_.pop_back();
}

// --- guarded calls ---

template <typename F>
bool plugin_host::guarded(const std::string& who, const char* call, F&& f) {
  std::string why;
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    why = e.what();
  } catch (const char* text) {
    why = text ? text : "a null text";
  } catch (const std::string& text) {
    why = text;
  } catch (...) {
    why = "an unknown exception";
  }
  scene_->messages().add(message_window::kind::error, "plug-in \"" + who + "\": " + call + " failed: " + why);
  return false;
}

template <typename F>
void plugin_host::to_attributes(const char* event, F&& f) {
  to_attributes_while(event, std::forward<F>(f), [] { return true; });
}

template <typename F, typename Wanted>
void plugin_host::to_attributes_while(const char* event, F&& f, Wanted&& still_wanted) {
  // By position: the loop must not hold iterators across calls into the plug-ins.
  for (std::size_t i = 0; i < components_.size() && still_wanted(); ++i) {
    const component& c = *components_[i];
    sxsdk::attribute_interface* a = c.attribute();
    if (!a) continue;
    bool flag = false;
    guarded(c.name, event, [&] { f(*a, flag); });
  }
}

// --- loading ---

bool plugin_host::load(const std::string& path) {
  std::unique_ptr<plugin_library> library;
  try {
    library = std::make_unique<plugin_library>(path);
  } catch (const plugin_load_error& e) {
    scene_->messages().add(message_window::kind::error, e.what());
    return false;
  }
  sxsdk::host_ref<sxsdk::host_interface> app(scene_->get_host());
  loaded_library entry;
  guarded(path, "get_group_name", [&] {
    const char* group = library->get_group_name(app.get());
    entry.info.group_name = group ? group : "";
  });
  guarded(path, "is_resident", [&] { entry.info.resident = library->is_resident(app.get()); });
  guarded(path, "get_info", [&] {
    sxsdk::plugin_info_record record{};
    library->get_info(&record, app.get());
    entry.info.major = record.major, entry.info.minor = record.minor;
    entry.info.micro = record.micro, entry.info.build = record.build;
  });
  plugin_library& lib = *library;
  entry.library = std::move(library);
  libraries_.push_back(std::move(entry));
  create_components(lib, app.get());
  return true;
}

void plugin_host::create_components(plugin_library& library, sxsdk::host_interface* app) {
  for (const sxsdk::IID* kind : component_kinds) {
    int n = 0;
    guarded(library.path(), "has_interface", [&] { n = library.has_interface(*kind, app); });
    if (n < 0 || n > max_components_per_kind) {
      scene_->messages().add(message_window::kind::error, "plug-in \"" + library.path() +
                                                              "\": has_interface answered " + std::to_string(n) + " " +
                                                              kind_name(*kind) + " components");
      continue;
    }
    for (int i = 0; i < n; ++i) create_component(library, *kind, i, app);
  }
}

void plugin_host::create_component(plugin_library& library, const sxsdk::IID& kind, int index,
                                   sxsdk::host_interface* app) {
  const std::string what = kind_name(kind) + " " + std::to_string(index);
  auto c = std::make_unique<component>();
  c->kind = kind, c->index = index, c->library = library.path();
  guarded(library.path(), "get_name", [&] {
    const char* name = library.get_name(kind, index, app);
    c->name = name ? name : "";
  });
  guarded(library.path(), "get_uuid", [&] { library.get_uuid(kind, index, &c->uuid); });
  void* made = nullptr;
  int answer = 0;
  guarded(library.path(), "create_interface",
          [&] { answer = library.create_interface(kind, index, &made, app, nullptr); });
  // Whatever the answer, an object handed out is ours to release.
  if (made) c->object.reset(as_plugin_interface(kind, made));
  if (!made || answer != 1) {
    scene_->messages().add(message_window::kind::error, "plug-in \"" + library.path() + "\": create_interface for " +
                                                            what + " answered " + std::to_string(answer) +
                                                            (made ? "" : " and made nothing"));
    if (!made) return;
  }
  if (c->name.empty()) c->name = library.path() + " " + what;
  register_uuid(*c);
  components_.push_back(std::move(c));
}

plugin_host::component& plugin_host::add(const sxsdk::IID& kind, sxsdk::plugin_interface* adopted,
                                         const sx::uuid_class& uuid, std::string name) {
  auto c = std::make_unique<component>();
  c->kind = kind, c->uuid = uuid, c->name = std::move(name);
  c->object.reset(adopted);
  register_uuid(*c);
  components_.push_back(std::move(c));
  return *components_.back();
}

void plugin_host::register_uuid(const component& c) {
  if (c.uuid.is_null() || !c.object) return;
  sxsdk::host_ref<sxsdk::plugin_interface> taken(scene_->get_plugin_interface(c.uuid));
  if (taken) {
    // The first component keeps the UUID: the others already hold it as theirs.
    scene_->messages().add(message_window::kind::error, "plug-in \"" + c.name + "\": UUID " + c.uuid.to_string() +
                                                            " is already taken; other plug-ins will not find it");
    return;
  }
  scene_->register_plugin_interface(c.uuid, c.object.get());
  registered_.push_back(c.uuid);
}

// --- finding ---

plugin_host::component* plugin_host::find(const sx::uuid_class& uuid) const {
  for (const auto& c : components_)
    if (c->uuid == uuid) return c.get();
  return nullptr;
}

plugin_host::component* plugin_host::find(const std::string& name) const {
  for (const auto& c : components_)
    if (c->name == name) return c.get();
  return nullptr;
}

bool plugin_host::info(const std::string& path, library_info& out) const {
  for (const auto& l : libraries_)
    if (l.library->path() == path) {
      out = l.info;
      return true;
    }
  return false;
}

// --- events ---

void plugin_host::set_sequence_mode(bool on) { scene_->set_sequence_mode(on); }

void plugin_host::on_sequence_mode(bool) {
  if (reporting_mode_) return;  // the report under way picks the change up when it is done
  reporting_mode_ = true;
  for (int burst = 0; scene_->is_sequence_mode() != mode_reported_; ++burst) {
    if (burst == max_mode_changes_per_burst) {
      scene_->messages().add(message_window::kind::error,
                             "sequence mode keeps changing while it is reported; the plug-ins were last told " +
                                 std::string(mode_reported_ ? "on" : "off"));
      break;
    }
    const bool on = scene_->is_sequence_mode();
    mode_reported_ = on;
    to_attributes("sequence_mode_changed",
                  [&](sxsdk::attribute_interface& a, bool& flag) { a.sequence_mode_changed(flag, scene_.get(), on); });
  }
  reporting_mode_ = false;
}

void plugin_host::sequence_changed(float position, const std::vector<part_shape*>& parts) {
  std::vector<sxsdk::part_class*> list(parts.begin(), parts.end());
  const int n = static_cast<int>(list.size());
  // A position of interactive play is news only while the sequence mode lasts: once a
  // component leaves it, the others have heard "off" and must not hear of the old sequence.
  const bool interactive = scene_->is_sequence_mode() && !scene_->is_rendering();
  to_attributes_while(
      "sequence_changed",
      [&](sxsdk::attribute_interface& a, bool& flag) {
        a.sequence_changed(flag, position, scene_.get(), n, list.data());
      },
      [&] { return !interactive || scene_->is_sequence_mode(); });
}

void plugin_host::idle_task() {
  to_attributes("idle_task", [&](sxsdk::attribute_interface& a, bool& flag) { a.idle_task(flag, scene_.get()); });
}

void plugin_host::active_scene_changed() {
  to_attributes("active_scene_changed",
                [&](sxsdk::attribute_interface& a, bool& flag) { a.active_scene_changed(flag, scene_.get()); });
}

void plugin_host::scene_opened() {
  to_attributes("scene_opened", [&](sxsdk::attribute_interface& a, bool& flag) { a.scene_opened(flag, scene_.get()); });
}

void plugin_host::active_shapes_changed(const std::vector<shape_node*>& before, const std::vector<shape_node*>& after) {
  const auto old_list = sdk_shapes(before), new_list = sdk_shapes(after);
  to_attributes("active_shapes_changed", [&](sxsdk::attribute_interface& a, bool& flag) {
    a.active_shapes_changed(flag, scene_.get(), count(old_list), old_list.data(), count(new_list), new_list.data());
  });
}

void plugin_host::shapes_moved(const std::vector<shape_node*>& shapes, const sxsdk::mat4& m) {
  const auto list = sdk_shapes(shapes);
  to_attributes("shapes_moved", [&](sxsdk::attribute_interface& a, bool& flag) {
    a.shapes_moved(flag, scene_.get(), count(list), list.data(), m);
  });
}

void plugin_host::shapes_modified(const std::vector<shape_node*>& shapes) {
  const auto list = sdk_shapes(shapes);
  to_attributes("shapes_modified", [&](sxsdk::attribute_interface& a, bool& flag) {
    a.shapes_modified(flag, scene_.get(), count(list), list.data());
  });
}

void plugin_host::browser_updated() {
  to_attributes("browser_updated",
                [&](sxsdk::attribute_interface& a, bool& flag) { a.browser_updated(flag, scene_.get()); });
}

// --- invoking ---

bool plugin_host::create(const component& c) {
  bool done = false;
  if (c.creator()) guarded(c.name, "create", [&] { done = c.creator()->create(scene_.get()); });
  return done;
}

bool plugin_host::ask_shape(const component& c, shape_node& shape) {
  bool done = false;
  if (c.attribute()) guarded(c.name, "ask_shape", [&] { done = c.attribute()->ask_shape(shape.sdk()); });
  return done;
}

bool plugin_host::do_browser(const component& c) {
  bool done = false;
  if (c.browser()) guarded(c.name, "do_browser", [&] { done = c.browser()->do_browser(scene_.get()); });
  return done;
}

bool plugin_host::do_figure(const component& c) {
  bool done = false;
  if (c.figure()) guarded(c.name, "do_figure", [&] { done = c.figure()->do_figure(scene_.get()); });
  return done;
}

}  // namespace host
