#pragma once
// The host's message window: every line the plug-in shows, in the order it was shown, with
// its kind. Tests and the command line read it back; nothing is ever dropped.
#include <functional>
#include <string>
#include <vector>

namespace host {

class message_window {
 public:
  enum class kind {
    message,  ///< scene.message: a localised text for the user
    error     ///< scene.show_error: an internal error text (English)
  };
  struct line {
    kind what = kind::message;
    std::string text;
  };

  /// Appends a line; the echo (if any) sees it right after.
  void add(kind what, const std::string& text);
  /// Every line so far, oldest first.
  const std::vector<line>& lines() const { return lines_; }
  /// Only the texts of one kind, oldest first.
  std::vector<std::string> texts(kind what) const;
  void clear() { lines_.clear(); }
  /// Called with every new line (e.g. the command line prints them); empty: no echo.
  void set_echo(std::function<void(const line&)> echo) { echo_ = std::move(echo); }

 private:
  std::vector<line> lines_;
  std::function<void(const line&)> echo_;
};

}  // namespace host
