#pragma once
// host::help_text: what `physplug-host help [COMMAND]` and `physplug-host COMMAND --help` print:
// each command's synopsis and every option it takes with what it does, in the language of the
// texts given. docs/cli.md says the same at length.
#include <string>

namespace host {

class host_texts;

class help_text {
 public:
  /// Every command when `command` is empty, else that one ("play", "edit", "info", "check" or "help");
  /// followed by the exit codes and where the documents are.
  static std::string render(const std::string& command, const host_texts& texts);
};

}  // namespace host
