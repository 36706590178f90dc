#pragma once
// The byte layouts of the soft body stream (all versions) and the projection binding stream.
// Readers check every count against the bytes left and every index against the lists it points
// into; the first failure is sticky and the caller keeps its old lists.
#include <string>
#include <vector>

#include "softbody/softbody_properties.hpp"

namespace sxsdk {
class scene_interface;
class stream_interface;
}  // namespace sxsdk

namespace softbody_stream {

constexpr int current_version = 4;

/// Reads a whole soft body stream from position 0. `scene` resolves anchor index numbers (may
/// be null: every anchor body is then none). On success fills `out`, sets `version`, returns
/// "". Otherwise returns what is wrong (for a message) and leaves `out` as it was.
std::string read(sxsdk::stream_interface& stream, sxsdk::scene_interface* scene, int& version,
                 std::vector<softbody_datas>& out);

/// Writes version 4 and every record from the stream's current position. Host failures
/// propagate.
void write(sxsdk::stream_interface& stream, const std::vector<softbody_datas>& records);

/// Reads a binding stream from position 0 (the version is read and ignored). "" on success.
std::string read_bindings(sxsdk::stream_interface& stream, std::vector<softbody_properties::proxcy_struct>& out);

/// Writes version 0 and every binding. Host failures propagate.
void write_bindings(sxsdk::stream_interface& stream, const std::vector<softbody_properties::proxcy_struct>& bindings);

/// What is inconsistent in a record's lists ("" when nothing): rest positions not three per
/// node, a triangle or anchor node outside the nodes.
std::string damage(const softbody_datas& record);

}  // namespace softbody_stream
