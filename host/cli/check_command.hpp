#pragma once
// host::check_command: `physplug-host check SCENE [--json]`: lists every problem of the scene's
// physics set-up (setup_check) without playing it, each with the shape's path, what is wrong
// and how to mend it, in the language of --lang. The plug-in is not loaded.
//
// Exit code: 0 no problem found, 1 problems found, 2 bad input (arguments, the scene file).
#include <ostream>
#include <string>
#include <vector>

#include "host/cli/cli_arguments.hpp"
#include "host/cli/setup_finding.hpp"

namespace host {

class host_texts;

class check_command {
 public:
  /// Runs the command; returns the exit code. Bad input throws cli_error.
  static int run(const cli_arguments& args);

  /// The listing: per finding "PATH: PROBLEM" and "  fix: FIX" (the scene's own findings under
  /// the scene file's name), then a count. Names are printed escaped (printable).
  static void print(const std::vector<setup_finding>& findings, const std::string& scene_path, const host_texts& texts,
                    std::ostream& out);
  /// The same findings as one JSON object: {"scene", "findings": [{"code", "shape" (null for
  /// the scene), "problem", "fix"}]}.
  static void print_json(const std::vector<setup_finding>& findings, const std::string& scene_path, std::ostream& out);
  /// What play prints before it plays: each finding as "SCENE: warning: PATH: PROBLEM" (the
  /// scene's own without a path) and its fix line.
  static void warn(const std::vector<setup_finding>& findings, const std::string& scene_path, const host_texts& texts,
                   std::ostream& out);
};

}  // namespace host
