#pragma once
// Answers the dialogs of the headless host from a queue and records every dialog asked.
//
// Each ask() takes the next queued answer; with none queued the dialog is confirmed with the
// values it shows. An answer that does not fit the dialog (a label or item number it does not
// have, an ambiguous label, a value of the wrong kind, a selection entry out of range) is an
// error: the dialog is recorded as `rejected` with the message, the message is kept in
// errors(), the item values stay as shown, and ask() throws dialog_script_error, so that the
// plug-in sees a failed host call and never acts on a half-applied answer.
#include <cstddef>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/ui/dialog_answer.hpp"
#include "host/ui/dialog_record.hpp"

namespace host {

class dialog_script_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class dialog_script {
 public:
  /// Queues an answer for the next dialog asked.
  void push(dialog_answer answer) { queue_.push_back(std::move(answer)); }
  void push_cancel() { push(dialog_answer::cancel()); }
  void push_ok() { push(dialog_answer::ok()); }
  /// Answers not used yet.
  std::size_t pending() const { return queue_.size(); }
  void clear_pending() { queue_.clear(); }

  /// Every dialog asked so far, in order (as it stood when asked, with its outcome and values).
  const std::vector<dialog_record>& shown() const { return shown_; }
  /// The messages of the rejected answers, in order.
  const std::vector<std::string>& errors() const { return errors_; }

  /// Used by host::dialog: answers `record` (fills each item's `value` and the outcome),
  /// records it, and returns true for OK. Throws dialog_script_error as described above.
  bool answer(dialog_record& record);

 private:
  void apply(const dialog_answer& answer, dialog_record& record) const;

  std::deque<dialog_answer> queue_;
  std::vector<dialog_record> shown_;
  std::vector<std::string> errors_;
};

}  // namespace host
