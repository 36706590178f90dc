#pragma once
// Localised texts and messages. Every user-visible text is an English identifier looked up in
// the host's text table (the identifier itself comes back when the table has none); a few
// internal errors go out in English through show_error.
#include <string>

#include <boost/format.hpp>

#include "sdk/host_interface.hpp"
#include "sdk/scene_interface.hpp"

namespace texts {

/// The localised text for `id` through the scene's host application object; `id` itself when
/// the host has no application object. Host failures propagate.
std::string get_text(sxsdk::scene_interface& scene, const char* id);

/// Fills `%s` / `%i` placeholders of a (localised) pattern. A pattern with more or fewer
/// placeholders than arguments, or a broken one, never throws: missing values stay empty,
/// surplus ones are dropped, an unreadable pattern comes back as it is.
template <typename... Args>
std::string format(const std::string& pattern, const Args&... args) {
  try {
    boost::format f(pattern);
    f.exceptions(boost::io::no_error_bits);
    (f % ... % args);
    return f.str();
  } catch (const boost::io::format_error&) {
    return pattern;
  }
}

/// Shows the localised text of `id` in the host's message window.
void show_message(sxsdk::scene_interface& scene, const char* id);

/// Shows the localised text of `id` filled with `args` in the message window.
template <typename... Args>
void show_message_format(sxsdk::scene_interface& scene, const char* id, const Args&... args) {
  scene.message(format(get_text(scene, id), args...).c_str());
}

/// Shows an internal error text as it is (English, not localised).
void show_error(sxsdk::scene_interface& scene, const char* text);

/// Tells the user that a stream of `shape_name` could not be written (the host refused it):
/// "physplug: could not write the <what> of "<shape_name>"" with show_error.
void show_unwritten(sxsdk::scene_interface& scene, const char* what, const std::string& shape_name);

}  // namespace texts
