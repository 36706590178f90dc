#pragma once
// A localised text table: English identifiers mapped to the texts shown to the user, read from
// resources/strings/<lang>.xml:
//   <strings><string id="Gravity" value="..."/>...</strings>
// (a percent sign is written &#37; in the file). Lookups of ids the table lacks give the id back.
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

class text_table {
 public:
  struct entry {
    std::string id;
    std::string value;
  };

  /// An empty table: every lookup gives the id back.
  text_table() = default;

  /// Reads a table file. Throws std::runtime_error naming the file when it is missing, is not
  /// well-formed XML, has no <strings> root, or holds a <string> without id or value.
  static text_table load(const std::filesystem::path& file);
  /// Reads <resources_dir>/strings/<language>.xml. `language` is a plain name such as "en" or
  /// "ja" (letters, digits, '-' and '_'); anything else throws std::invalid_argument.
  static text_table load_language(const std::string& language,
                                  const std::filesystem::path& resources_dir = default_resources_dir());
  /// The resources folder of the source tree this host was built from.
  static std::filesystem::path default_resources_dir();
  /// <resources_dir>/strings/<language>.xml (the language is checked as in load_language).
  static std::filesystem::path file_for(const std::string& language, const std::filesystem::path& resources_dir);

  /// The value for `id`, or `id` itself when the table has none. With an id listed twice the
  /// first entry wins.
  std::string lookup(const std::string& id) const;
  /// The value for `id`, or null when the table has none (owned by the table).
  const std::string* find(const std::string& id) const;
  /// Every entry in file order, duplicates included.
  const std::vector<entry>& entries() const { return entries_; }
  /// The file the table was read from (empty for an empty table).
  const std::filesystem::path& file() const { return file_; }

 private:
  void add(entry e);

  std::filesystem::path file_;
  std::vector<entry> entries_;
  std::unordered_map<std::string, std::size_t> index_;  ///< id → first entry with it
};

}  // namespace host
