#include "host/cli/edit_command.hpp"

#include <iostream>

#include "host/cli/cli_error.hpp"
#include "host/cli/cli_session.hpp"
#include "host/cli/edit_script.hpp"
#include "host/cli/output_paths.hpp"

namespace host {

int edit_command::run(const cli_arguments& args) {
  output_paths::check(args);
  const edit_script script(args.script);  // read first: a missing script needs no plug-in
  cli_session session(args.scene, args.lang);
  session.load_plugin(args.plugin);
  bool ok = false;
  try {
    ok = script.run(session);
  } catch (const cli_error&) {
    session.print_messages();
    throw;
  }
  // A user saves outside sequence mode; an operation may have left the plug-in in it.
  if (session.target().is_sequence_mode()) session.plugins()->set_sequence_mode(false);
  session.print_messages();
  session.save(args.save);
  std::cerr << session.texts().format(host_text::saved, args.save) << '\n';
  if (!ok) {
    std::cerr << session.texts().format(host_text::plugin_failed_editing, args.script) << '\n';
    return cli_error::simulation_failed;
  }
  return 0;
}

}  // namespace host
