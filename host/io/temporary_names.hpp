#pragma once
// host::temporary_names: the names of atomic_file's temporaries, "<target>.tmp-<pid>-<n>",
// the target's name shortened when the whole would pass the 255-byte limit on a name, and how
// such a name is recognised again to clean up after a process that is gone. The same on every
// platform; only creating, syncing and renaming the files differ.
#include <string>
#include <utility>

namespace host::temporary_names {

/// "dir/name" → ("dir/", "name"); "name" → ("", "name"). On Windows a backslash also separates.
std::pair<std::string, std::string> split(const std::string& path);
/// The folder of `path` without its trailing separator ("." for a bare name, "/" for "/name").
std::string directory_of(const std::string& path);
/// The temporary's name for the target `path`, process `pid` and counter `n`.
std::string name(const std::string& path, long pid, unsigned n);
/// The process id in the folder entry `entry` when it is a temporary of the target named
/// `target_name` (its name or, for a long one, the shortening that fills the limit), else -1.
long temporary_pid(const std::string& entry, const std::string& target_name);

}  // namespace host::temporary_names
