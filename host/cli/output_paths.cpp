#include "host/cli/output_paths.hpp"

#include <filesystem>
#include <vector>

#include "host/cli/cli_error.hpp"
#include "host/io/atomic_file.hpp"

namespace host {
namespace {

struct named_path {
  const char* option;  ///< "--trace", or "the scene" for the positional argument
  std::string path;
};

}  // namespace

bool output_paths::same_file(const std::string& a, const std::string& b) {
  // Both there: the same device and inode (on Windows, where stat gives no inode, the same
  // volume and file index).
  std::error_code ea, eb;
  if (std::filesystem::exists(a, ea) && std::filesystem::exists(b, eb)) {
    const bool same = std::filesystem::equivalent(a, b, ea);
    if (!ea) return same;
  }
  ea.clear();
  eb.clear();
  const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a), ea);
  const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b), eb);
  return !ea && !eb && ca == cb;
}

void output_paths::check(const cli_arguments& args) {
  std::vector<named_path> inputs = {{"the scene", args.scene}};
  if (!args.script.empty()) inputs.push_back({"the script", args.script});
  if (!args.plugin.empty()) inputs.push_back({"the plug-in", args.plugin});
  std::vector<named_path> outputs;
  if (!args.trace.empty()) outputs.push_back({"--trace", args.trace});
  if (!args.trace_vertices.empty()) outputs.push_back({"--trace-vertices", args.trace_vertices});
  if (!args.gltf.empty()) outputs.push_back({"--gltf", args.gltf});
  if (!args.save.empty()) outputs.push_back({"--save", args.save});
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const named_path& out = outputs[i];
    try {
      atomic_file::check_target(out.path);
    } catch (const atomic_file_error& e) {
      throw cli_error(std::string(out.option) + ": " + out.path + ": " + e.what());
    }
    for (const named_path& in : inputs) {
      const bool saving_the_scene = std::string(out.option) == "--save" && std::string(in.option) == "the scene";
      if (!saving_the_scene && same_file(out.path, in.path))
        throw cli_error(std::string(out.option) + ": " + out.path + " is " + in.option +
                        " (an output must not overwrite an input)");
    }
    for (std::size_t j = 0; j < i; ++j)
      if (same_file(out.path, outputs[j].path))
        throw cli_error(std::string(out.option) + ": " + out.path + " is also the file of " + outputs[j].option);
  }
}

}  // namespace host
