#include "host/cli/cli_arguments.hpp"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <set>

#include "host/cli/cli_error.hpp"

namespace host {
namespace {

int parse_int(const std::string& option, const std::string& text, int min) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end || errno == ERANGE || v < min || v > INT_MAX)
    throw cli_error(option + ": expected a whole number of at least " + std::to_string(min) + ", found \"" + text +
                    "\"");
  return static_cast<int>(v);
}

// Which options each command takes.
const std::set<std::string>& options_of(const std::string& command) {
  static const std::set<std::string> play = {"--frames",         "--fps",     "--render",   "--trace",
                                             "--trace-vertices", "--gltf",    "--save",     "--lang",
                                             "--plugin",         "--threads", "--no-check", "--debug-frames"};
  static const std::set<std::string> edit = {"--script", "--save", "--lang", "--plugin"};
  static const std::set<std::string> info = {"--lang"};
  static const std::set<std::string> check = {"--lang", "--json"};
  if (command == "play") return play;
  if (command == "edit") return edit;
  if (command == "check") return check;
  return info;
}

void apply(cli_arguments& a, const std::string& option, const std::string& value) {
  if (option == "--threads") {
    a.threads = parse_int(option, value, 1);
    if (a.threads > cli_arguments::max_threads)
      throw cli_error(option + ": at most " + std::to_string(cli_arguments::max_threads) + " threads, found \"" +
                      value + "\"");
    return;
  }
  // An empty path would silently mean "none" for the outputs, and nothing for the rest.
  if (value.empty() && option != "--lang") throw cli_error(option + ": the file name is empty");
  if (option == "--frames")
    a.frames = parse_int(option, value, 0);
  else if (option == "--fps")
    a.fps = parse_int(option, value, 1);
  else if (option == "--trace")
    a.trace = value;
  else if (option == "--trace-vertices")
    a.trace_vertices = value;
  else if (option == "--gltf")
    a.gltf = value;
  else if (option == "--save")
    a.save = value;
  else if (option == "--script")
    a.script = value;
  else if (option == "--lang")
    a.lang = value;
  else if (option == "--plugin")
    a.plugin = value;
  else if (option == "--debug-frames")
    a.debug_frames = value;
}

}  // namespace

const char* cli_arguments::usage() {
  return "usage:\n"
         "  physplug-host play SCENE [--frames N] [--fps F] [--render] [--trace FILE.csv]\n"
         "                           [--gltf FILE.glb] [--save FILE] [--threads N] [--no-check]\n"
         "                           [--debug-frames DIR] [--lang en|ja] [--plugin PATH]\n"
         "  physplug-host edit SCENE --script OPS.json --save OUT [--lang en|ja] [--plugin PATH]\n"
         "  physplug-host info SCENE [--lang en|ja]\n"
         "  physplug-host check SCENE [--json] [--lang en|ja]\n"
         "  physplug-host help [COMMAND]   (or COMMAND --help): every option described\n"
         "exit codes: 0 success, 1 a world could not be built or the plug-in failed (check: problems found),\n"
         "            2 bad input\n";
}

namespace {

bool is_help(const std::string& arg) { return arg == "help" || arg == "--help" || arg == "-h"; }

void check_command(const std::string& command) {
  if (command != "play" && command != "edit" && command != "info" && command != "check" && command != "help")
    throw cli_error("unknown command \"" + command + "\" (play, edit, info, check or help)");
}

// `help [COMMAND]` and `COMMAND --help`: only the language is read from the other arguments, so
// that a half-written command line still gets its help.
cli_arguments parse_help(int argc, const char* const* argv, const std::string& topic) {
  cli_arguments a;
  a.command = "help";
  a.topic = topic;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--lang") {
      if (i + 1 >= argc) throw cli_error(arg + ": a value is missing");
      a.lang = argv[++i];
    } else if (topic.empty() && a.topic.empty() && arg.rfind("-", 0) != 0) {
      check_command(arg);
      a.topic = arg;
    }
  }
  if (a.topic == "help") a.topic.clear();
  if (a.lang != "en" && a.lang != "ja") throw cli_error("--lang: expected en or ja, found \"" + a.lang + "\"");
  return a;
}

}  // namespace

cli_arguments cli_arguments::parse(int argc, const char* const* argv) {
  cli_arguments a;
  if (argc < 2) throw cli_error("no command given");
  a.command = argv[1];
  if (is_help(a.command)) return parse_help(argc, argv, "");
  check_command(a.command);
  for (int i = 2; i < argc; ++i)
    if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") return parse_help(argc, argv, a.command);
  const std::set<std::string>& allowed = options_of(a.command);
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--", 0) != 0) {
      if (!a.scene.empty()) throw cli_error("unexpected argument \"" + arg + "\" (the scene is " + a.scene + ")");
      a.scene = arg;
      continue;
    }
    if (!allowed.count(arg))
      throw cli_error(a.command + ": unknown option " + arg + " (" + a.command + " --help lists them)");
    if (arg == "--render" || arg == "--no-check" || arg == "--json") {  // options without a value
      (arg == "--render" ? a.render : arg == "--json" ? a.json : a.no_check) = true;
      continue;
    }
    if (i + 1 >= argc) throw cli_error(arg + ": a value is missing");
    apply(a, arg, argv[++i]);
  }
  if (a.scene.empty()) throw cli_error(a.command + ": no scene file given");
  if (a.command == "edit" && (a.script.empty() || a.save.empty()))
    throw cli_error("edit: --script OPS.json and --save OUT are both required");
  if (a.lang != "en" && a.lang != "ja") throw cli_error("--lang: expected en or ja, found \"" + a.lang + "\"");
  return a;
}

}  // namespace host
