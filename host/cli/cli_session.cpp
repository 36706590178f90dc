#include "host/cli/cli_session.hpp"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "host/cli/cli_error.hpp"
#include "host/cli/printable.hpp"
#include "host/cli/stream_decoder.hpp"
#include "host/io/scene_file.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;

// Idle calls a host makes after opening a scene before the first command: enough for the
// plug-in's countdown from active_scene_changed (three calls) to run out.
constexpr int idle_calls_after_opening = 3;

// The plug-in to load when none is named: the one built with this program, else one shipped
// beside it.
std::string default_plugin() {
#ifdef PHYSPLUG_PLUGIN_PATH
  if (fs::exists(PHYSPLUG_PLUGIN_PATH)) return PHYSPLUG_PLUGIN_PATH;
#endif
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec)
    for (const fs::path& p :
         {exe.parent_path() / "libphysplug.so", exe.parent_path() / ".." / "lib" / "libphysplug.so"})
      if (fs::exists(p)) return p.string();
  throw cli_error("the physics plug-in (libphysplug.so) was not found; name it with --plugin PATH");
}

}  // namespace

cli_session::cli_session(const std::string& scene_path, const std::string& language)
    : scene_path_(scene_path), texts_(language) {
  try {
    services_ = std::make_unique<ui_services>(language);
  } catch (const std::exception& e) {
    throw cli_error(std::string("the text table for \"") + language + "\" cannot be read: " + e.what());
  }
  if (!fs::exists(scene_path)) throw cli_error(scene_path + ": no such file");
  try {
    scene_ = scene_file::load(scene_path, services_.get());
  } catch (const scene_file_error& e) {
    throw cli_error(e.what());
  }
}

cli_session::~cli_session() {
  // A command that stopped half way must not leave the plug-in's worlds behind.
  if (plugins_ && scene_->is_sequence_mode()) plugins_->set_sequence_mode(false);
  plugins_.reset();
  scene_.reset();
}

void cli_session::load_plugin(const std::string& path) {
  // A bare name is the file in the current folder, as for every other file argument; the
  // loader alone would search the system's library path for it instead.
  const std::string library = path.empty()                          ? default_plugin()
                              : path.find('/') == std::string::npos ? "./" + path
                                                                    : path;
  plugins_ = std::make_unique<plugin_host>(*scene_);
  const std::size_t before = scene_->messages().lines().size();
  if (!plugins_->load(library)) {
    std::string why;
    const auto& lines = scene_->messages().lines();
    for (std::size_t i = before; i < lines.size(); ++i) why += (why.empty() ? "" : "; ") + lines[i].text;
    throw cli_error(library + ": the plug-in cannot be loaded" + (why.empty() ? "" : ": " + why));
  }
  // The attribute component carries the UUID of the rigid body stream it owns.
  if (!plugins_->find(physics_stream_ids::modify))
    throw cli_error(library + ": this library offers no physics attribute component");
  // As a host does when a scene is opened and becomes the active one: the plug-ins hear of it
  // and, a few idle calls later, survey the scene (for the other plug-ins' joints).
  plugins_->scene_opened();
  plugins_->active_scene_changed();
  for (int i = 0; i < idle_calls_after_opening; ++i) plugins_->idle_task();
}

void cli_session::print_messages(std::size_t first) const {
  const auto& lines = scene_->messages().lines();
  for (std::size_t i = first; i < lines.size(); ++i)
    std::cout << (lines[i].what == message_window::kind::error ? "error: " : "message: ") << printable(lines[i].text)
              << '\n';
}

bool cli_session::plugin_failed(std::size_t first) const {
  const auto& lines = scene_->messages().lines();
  for (std::size_t i = first; i < lines.size(); ++i)
    if (lines[i].what == message_window::kind::error && lines[i].text.rfind("plug-in \"", 0) == 0 &&
        lines[i].text.find(" failed: ") != std::string::npos)
      return true;
  return false;
}

void cli_session::save(const std::string& path) {
  try {
    scene_file::save(*scene_, path);
  } catch (const scene_file_error& e) {
    throw cli_error(e.what());
  }
}

}  // namespace host
