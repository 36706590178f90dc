#pragma once
// host::elf_check: looks at a plug-in library before it is handed to dlopen. The loader maps
// the file's segments into memory as they are declared; a library cut short (an interrupted
// copy or download) declares segments past its end, and touching those pages kills the program
// with SIGBUS inside dlopen, without a word. The checks here read the headers only, with every
// offset bounded by the file's size.
#include <string>

namespace host {

class elf_check {
 public:
  /// "" when `path` is a regular file holding a whole 64-bit little-endian ELF shared object
  /// (or position-independent executable) whose program headers, segments and section headers
  /// all lie inside the file; otherwise what is wrong, as a sentence fragment ("is cut short:
  /// its segments need 1415264 bytes, the file has 20000"). Libraries for another machine
  /// pass here and are refused by the loader with its own message.
  static std::string problem(const std::string& path);
};

}  // namespace host
