#include "host/cli/progress_bar.hpp"

#include <string>

#include <unistd.h>

namespace host {
namespace {
constexpr int width = 40;
}

progress_bar::progress_bar(int total, std::FILE* out)
    : out_(out), total_(total > 0 ? total : 1), enabled_(out && isatty(fileno(out))) {}

progress_bar::~progress_bar() {
  if (drawn_) std::fputc('\n', out_);
}

void progress_bar::update(int done) {
  if (!enabled_) return;
  if (done > total_) done = total_;
  const int cells = done * width / total_;
  // Redraw at most once per cell or per percent, so a long playback does not flood the terminal.
  if (cells == last_cells_ && done * 100 / total_ == last_done_ * 100 / total_ && done != total_) return;
  last_cells_ = cells;
  last_done_ = done;
  std::string bar(static_cast<std::size_t>(cells), '#');
  bar.resize(width, ' ');
  std::fprintf(out_, "\r[%s] %d/%d", bar.c_str(), done, total_);
  std::fflush(out_);
  drawn_ = true;
}

}  // namespace host
