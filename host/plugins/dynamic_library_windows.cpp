// Libraries on Windows: opened with LoadLibraryA, entry points looked up with GetProcAddress.
// Windows' loader checks an image before mapping it and fails with an error code for a cut or
// foreign file, so no header check comes first.
#include <windows.h>

#include "host/plugins/dynamic_library.hpp"

namespace host::dynamic_library {
namespace {

// The system's text for `code`, without its trailing line break.
std::string system_message(DWORD code) {
  char* text = nullptr;
  const DWORD size =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = size && text ? std::string(text, size) : "error " + std::to_string(code);
  ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace

void* open(const std::string& path, std::string& why) {
  HMODULE module = ::LoadLibraryA(path.c_str());
  if (!module) why = system_message(::GetLastError());
  return reinterpret_cast<void*>(module);
}

void close(void* handle) { ::FreeLibrary(reinterpret_cast<HMODULE>(handle)); }

void* symbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
}

}  // namespace host::dynamic_library
