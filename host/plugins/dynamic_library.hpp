#pragma once
// host::dynamic_library: the system's loader, the only part of loading a plug-in that differs
// between platforms (dynamic_library_posix.cpp: dlopen; dynamic_library_windows.cpp:
// LoadLibrary). plugin_library builds on it.
#include <string>

namespace host::dynamic_library {

/// Opens the library `path` with every symbol bound now and none shared with libraries loaded
/// later; null with the reason in `why` when it cannot be loaded.
void* open(const std::string& path, std::string& why);
void close(void* handle);
/// The address of the exported `name`, or null.
void* symbol(void* handle, const char* name);

}  // namespace host::dynamic_library
