#include "host/cli/check_command.hpp"

#include <iostream>

#include <nlohmann/json.hpp>

#include "host/cli/cli_session.hpp"
#include "host/cli/printable.hpp"
#include "host/cli/setup_check.hpp"

namespace host {
namespace {

std::string subject(const setup_finding& f, const std::string& scene_path) {
  return f.path.empty() ? scene_path : f.path;
}

}  // namespace

void check_command::print(const std::vector<setup_finding>& findings, const std::string& scene_path,
                          const host_texts& t, std::ostream& out) {
  for (const setup_finding& f : findings)
    out << printable(subject(f, scene_path) + ": " + f.problem) << '\n'
        << printable(t.format(host_text::check_fix, f.fix)) << '\n';
  const std::string count = findings.empty()       ? t.format(host_text::check_clean, scene_path)
                            : findings.size() == 1 ? t.format(host_text::check_found_one, scene_path)
                                                   : t.format(host_text::check_found_many, scene_path, findings.size());
  out << printable(count) << '\n';
}

void check_command::print_json(const std::vector<setup_finding>& findings, const std::string& scene_path,
                               std::ostream& out) {
  nlohmann::json list = nlohmann::json::array();
  for (const setup_finding& f : findings)
    list.push_back({{"code", f.code},
                    {"shape", f.path.empty() ? nlohmann::json(nullptr) : nlohmann::json(f.path)},
                    {"problem", f.problem},
                    {"fix", f.fix}});
  // Names from the file may hold any bytes: replace what is not UTF-8 rather than fail.
  out << nlohmann::json{{"scene", scene_path}, {"findings", list}}.dump(2, ' ', false,
                                                                        nlohmann::json::error_handler_t::replace)
      << '\n';
}

void check_command::warn(const std::vector<setup_finding>& findings, const std::string& scene_path, const host_texts& t,
                         std::ostream& out) {
  for (const setup_finding& f : findings)
    out << printable(
               t.format(host_text::check_warning, scene_path, f.path.empty() ? f.problem : f.path + ": " + f.problem))
        << '\n'
        << printable(t.format(host_text::check_fix, f.fix)) << '\n';
}

int check_command::run(const cli_arguments& args) {
  cli_session session(args.scene, args.lang);
  const std::vector<setup_finding> findings = setup_check::run(session.target(), session.texts());
  if (args.json)
    print_json(findings, args.scene, std::cout);
  else
    print(findings, args.scene, session.texts(), std::cout);
  return findings.empty() ? 0 : 1;
}

}  // namespace host
