// physplug-host: the headless host's command line (docs/cli.md). Plays scenes through the
// physics plug-in, edits them as a user would, and lists them.
#include <exception>
#include <iostream>

#include "host/cli/check_command.hpp"
#include "host/cli/cli_arguments.hpp"
#include "host/cli/cli_error.hpp"
#include "host/cli/edit_command.hpp"
#include "host/cli/help_text.hpp"
#include "host/cli/host_texts.hpp"
#include "host/cli/info_command.hpp"
#include "host/cli/play_command.hpp"
#include "host/cli/printable.hpp"

int main(int argc, char** argv) {
  using namespace host;
  try {
    const cli_arguments args = cli_arguments::parse(argc, argv);
    if (args.command == "help") {
      std::cout << help_text::render(args.topic, host_texts(args.lang));
      return 0;
    }
    if (args.command == "play") return play_command::run(args);
    if (args.command == "edit") return edit_command::run(args);
    if (args.command == "check") return check_command::run(args);
    return info_command::run(args);
  } catch (const cli_error& e) {
    // Messages quote names and values from files: printed escaped, one line each.
    std::cerr << "physplug-host: " << printable(e.what()) << '\n';
    if (e.exit_code() == cli_error::bad_input && argc < 2) std::cerr << cli_arguments::usage();
    return e.exit_code();
  } catch (const std::exception& e) {
    std::cerr << "physplug-host: " << printable(e.what()) << '\n';
    return cli_error::bad_input;
  }
}
