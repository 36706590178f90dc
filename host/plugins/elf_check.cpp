#include "host/plugins/elf_check.hpp"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "host/io/system_files.hpp"

namespace host {
namespace {

// Reads `size` bytes at `offset`; false when the file holds fewer.
bool read_at(int fd, std::uint64_t offset, void* out, std::size_t size) {
  auto* bytes = static_cast<char*>(out);
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::pread(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += std::size_t(n);
  }
  return true;
}

// The end of a table of `count` entries of `entry_size` bytes at `offset` (no overflow: every
// factor is at most 2^32 and the offset at most 2^64 - 1, so the sum is checked separately).
bool table_end(std::uint64_t offset, std::uint64_t count, std::uint64_t entry_size, std::uint64_t& end) {
  const std::uint64_t bytes = count * entry_size;
  if (offset > UINT64_MAX - bytes) return false;
  end = offset + bytes;
  return true;
}

std::string cut_short(const char* what, std::uint64_t need, std::uint64_t have) {
  return std::string("is cut short: its ") + what + " need " + std::to_string(need) + " bytes, the file has " +
         std::to_string(have);
}

std::string check_segments(int fd, const Elf64_Ehdr& header, std::uint64_t size) {
  if (header.e_phnum == 0) return "is no loadable library: it declares no segments";
  if (header.e_phentsize != sizeof(Elf64_Phdr)) return "is no loadable library: its program headers are malformed";
  std::uint64_t end = 0;
  if (!table_end(header.e_phoff, header.e_phnum, sizeof(Elf64_Phdr), end) || end > size)
    return cut_short("program headers", end, size);
  std::vector<Elf64_Phdr> segments(header.e_phnum);
  if (!read_at(fd, header.e_phoff, segments.data(), segments.size() * sizeof(Elf64_Phdr)))
    return cut_short("program headers", end, size);
  std::uint64_t need = 0;
  for (const Elf64_Phdr& s : segments) {
    std::uint64_t segment_end = 0;
    if (!table_end(s.p_offset, 1, s.p_filesz, segment_end)) return "is no loadable library: a segment is malformed";
    if (segment_end > need) need = segment_end;
  }
  if (need > size) return cut_short("segments", need, size);
  if (header.e_shnum != 0 && (!table_end(header.e_shoff, header.e_shnum, header.e_shentsize, end) || end > size))
    return cut_short("section headers", end, size);
  return "";
}

}  // namespace

std::string elf_check::problem(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::string("cannot open: ") + std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return std::string("is ") + system_files::kind_of(info.st_mode) + ", not a library";
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::string("cannot open: ") + std::strerror(errno);
  std::string problem;
  Elf64_Ehdr header;
  const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
  if (!read_at(fd, 0, &header, sizeof header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
    problem = "is no library: it does not start with an ELF header";
  else if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
    problem = "is no library for this program: it is not a 64-bit little-endian ELF file";
  else if (header.e_type != ET_DYN)
    problem = "is no shared library";
  else
    problem = check_segments(fd, header, size);
  ::close(fd);
  return problem;
}

}  // namespace host
