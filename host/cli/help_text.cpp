#include "host/cli/help_text.hpp"

#include <algorithm>
#include <vector>

#include "host/cli/host_texts.hpp"

namespace host {
namespace {

struct option_help {
  const char* option;  ///< the option with its value, as typed: "--frames N"
  host_text what;
};

struct command_help {
  const char* name;
  const char* synopsis;
  host_text what;
  std::vector<option_help> options;
};

const std::vector<command_help>& commands() {
  static const option_help lang{"--lang en|ja", host_text::help_lang};
  static const option_help plugin{"--plugin PATH", host_text::help_plugin};
  static const option_help help{"--help", host_text::help_help_option};
  static const std::vector<command_help> all = {
      {"play",
       "physplug-host play SCENE [--frames N] [--fps F] [--render] [--trace FILE.csv] [--trace-vertices FILE.csv]\n"
       "                         [--gltf FILE.glb] [--save FILE] [--threads N] [--no-check] [--debug-frames DIR]\n"
       "                         [--lang en|ja] [--plugin PATH]",
       host_text::help_play,
       {{"--frames N", host_text::help_frames},
        {"--fps F", host_text::help_fps},
        {"--render", host_text::help_render},
        {"--trace FILE.csv", host_text::help_trace},
        {"--trace-vertices FILE.csv", host_text::help_trace_vertices},
        {"--gltf FILE.glb", host_text::help_gltf},
        {"--save FILE", host_text::help_save_play},
        {"--threads N", host_text::help_threads},
        {"--no-check", host_text::help_no_check},
        {"--debug-frames DIR", host_text::help_debug_frames},
        lang,
        plugin,
        help}},
      {"edit",
       "physplug-host edit SCENE --script OPS.json --save OUT [--lang en|ja] [--plugin PATH]",
       host_text::help_edit,
       {{"--script OPS.json", host_text::help_script}, {"--save OUT", host_text::help_save_edit}, lang, plugin, help}},
      {"info", "physplug-host info SCENE [--lang en|ja]", host_text::help_info, {lang, help}},
      {"check",
       "physplug-host check SCENE [--json] [--lang en|ja]",
       host_text::help_check,
       {{"--json", host_text::help_json}, lang, help}},
      {"help", "physplug-host help [COMMAND] [--lang en|ja]", host_text::help_help, {lang}},
  };
  return all;
}

// Option names padded to one column, so the descriptions line up.
constexpr std::size_t option_column = 20;

void describe(const command_help& c, const host_texts& texts, std::string& out) {
  out += "\n" + std::string(c.synopsis) + "\n  " + texts(c.what) + "\n";
  for (const option_help& o : c.options) {
    std::string name = "    " + std::string(o.option);
    name.resize(std::max(name.size() + 2, option_column + 4), ' ');
    out += name + texts(o.what) + "\n";
  }
}

}  // namespace

std::string help_text::render(const std::string& command, const host_texts& texts) {
  std::string out = texts(host_text::help_usage) + "\n";
  for (const command_help& c : commands())
    if (command.empty() || command == c.name) describe(c, texts, out);
  out += "\n" + texts(host_text::help_exit_codes) + "\n" + texts(host_text::help_more) + "\n";
  return out;
}

}  // namespace host
