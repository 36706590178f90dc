#pragma once
// host::cli_error: a failure of the command line that ends the program with an exit code and a
// message naming the file or argument and the problem (printed on stderr by main).
#include <stdexcept>
#include <string>

namespace host {

class cli_error : public std::runtime_error {
 public:
  /// Exit codes of physplug-host: 1 the simulation could not run, 2 bad input.
  static constexpr int simulation_failed = 1;
  static constexpr int bad_input = 2;

  explicit cli_error(const std::string& message, int exit_code = bad_input)
      : std::runtime_error(message), exit_code_(exit_code) {}
  int exit_code() const { return exit_code_; }

 private:
  int exit_code_;
};

}  // namespace host
