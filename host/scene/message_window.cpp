#include "host/scene/message_window.hpp"

namespace host {

void message_window::add(kind what, const std::string& text) {
  lines_.push_back(line{what, text});
  if (echo_) echo_(lines_.back());
}

std::vector<std::string> message_window::texts(kind what) const {
  std::vector<std::string> out;
  for (const line& l : lines_)
    if (l.what == what) out.push_back(l.text);
  return out;
}

}  // namespace host
