#pragma once
// host::progress_bar: "[#####     ] 12/60" on stderr, redrawn in place, shown only when stderr
// is a terminal (a pipe or a log file gets nothing, so traces and logs stay clean).
#include <cstdio>

namespace host {

class progress_bar {
 public:
  /// `total` steps (at least 1 is assumed). Draws nothing unless `out` is a terminal.
  explicit progress_bar(int total, std::FILE* out = stderr);
  /// Ends the line if anything was drawn.
  ~progress_bar();
  progress_bar(const progress_bar&) = delete;
  progress_bar& operator=(const progress_bar&) = delete;

  /// Shows `done` of the total steps (redraws only when the bar changes).
  void update(int done);
  bool shown() const { return enabled_; }

 private:
  std::FILE* out_;
  int total_;
  bool enabled_;
  int last_cells_ = -1;
  int last_done_ = -1;
  bool drawn_ = false;
};

}  // namespace host
