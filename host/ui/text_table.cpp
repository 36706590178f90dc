#include "host/ui/text_table.hpp"

#include <fstream>
#include <stdexcept>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#ifndef PHYSPLUG_SOURCE_DIR
#define PHYSPLUG_SOURCE_DIR "."
#endif

namespace host {

namespace pt = boost::property_tree;

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what) {
  throw std::runtime_error("text table " + file.string() + ": " + what);
}

pt::ptree read_tree(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) fail(file, "cannot open the file");
  pt::ptree tree;
  try {
    pt::read_xml(in, tree, pt::xml_parser::no_comments);
  } catch (const pt::xml_parser_error& e) {
    fail(file, "not well-formed XML (line " + std::to_string(e.line()) + "): " + e.message());
  }
  return tree;
}

std::string required_attribute(const pt::ptree& element, const char* name, std::size_t number,
                               const std::filesystem::path& file) {
  const auto value = element.get_optional<std::string>(std::string("<xmlattr>.") + name);
  if (!value) fail(file, "<string> number " + std::to_string(number) + " has no " + name + " attribute");
  return *value;
}

bool is_plain_language(const std::string& language) {
  if (language.empty()) return false;
  for (const char c : language) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

text_table text_table::load(const std::filesystem::path& file) {
  const pt::ptree tree = read_tree(file);
  if (tree.empty()) fail(file, "the document has no root element");
  const auto root = tree.get_child_optional("strings");
  if (!root || tree.size() != 1) fail(file, "the document's root element is not <strings>");
  text_table table;
  table.file_ = file;
  std::size_t number = 0;
  for (const auto& [name, element] : *root) {
    if (name == "<xmlattr>") continue;
    ++number;
    if (name != "string") fail(file, "unexpected element <" + name + "> inside <strings>");
    table.add({required_attribute(element, "id", number, file), required_attribute(element, "value", number, file)});
  }
  return table;
}

text_table text_table::load_language(const std::string& language, const std::filesystem::path& resources_dir) {
  return load(file_for(language, resources_dir));
}

std::filesystem::path text_table::default_resources_dir() {
  return std::filesystem::path(PHYSPLUG_SOURCE_DIR) / "resources";
}

std::filesystem::path text_table::file_for(const std::string& language, const std::filesystem::path& resources_dir) {
  // The language ends up in a path: keep it a plain name so it cannot point outside the folder.
  if (!is_plain_language(language)) throw std::invalid_argument("not a language name: \"" + language + "\"");
  return resources_dir / "strings" / (language + ".xml");
}

std::string text_table::lookup(const std::string& id) const {
  const std::string* value = find(id);
  return value ? *value : id;
}

const std::string* text_table::find(const std::string& id) const {
  const auto it = index_.find(id);
  return it == index_.end() ? nullptr : &entries_[it->second].value;
}

void text_table::add(entry e) {
  index_.emplace(e.id, entries_.size());  // keeps the first entry of a repeated id
  entries_.push_back(std::move(e));
}

}  // namespace host
