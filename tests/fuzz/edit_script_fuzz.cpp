// Fuzzes the edit-script reader: any text either gives checked operations or fails with one
// cli_error, and every operation read holds only what running it can take: finite numbers,
// whole numbers in their ranges, element numbers that are not negative. Any other exception
// escapes on purpose, so that libFuzzer reports it.
#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz_scene.hpp"
#include "host/cli/cli_error.hpp"
#include "host/cli/edit_script_reader.hpp"

namespace {

bool finite(const sx::vec<float, 3>& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void check(const host::edit_operation& op) {
  using kind = host::edit_operation::kind;
  fuzz::require(*host::edit_operation::name_of(op.what) != '\0', "an operation of no known kind");
  fuzz::require(finite(op.position) && finite(op.rotation) && std::isfinite(op.frame), "a number that is not finite");
  for (int i : op.select) fuzz::require(i >= 0, "a negative element number");
  fuzz::require(!op.frame_rate || *op.frame_rate >= 1, "a frame rate below 1");
  fuzz::require(!op.start_frame || *op.start_frame >= 0, "a negative start frame");
  fuzz::require(!op.end_frame || *op.end_frame >= 0, "a negative end frame");
  fuzz::require(op.what == kind::create || op.what == kind::modify || op.answers.empty(),
                "answers kept for an operation that shows no dialog");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<host::edit_operation> ops;
  try {
    ops = host::edit_script_reader::read(std::string(reinterpret_cast<const char*>(data), size), "fuzz.ops.json");
  } catch (const host::cli_error& e) {
    fuzz::require(e.exit_code() == host::cli_error::bad_input, "a malformed script is not bad input");
    return 0;
  }
  for (std::size_t i = 0; i < ops.size(); ++i) {
    fuzz::require(ops[i].number == i + 1, "operations numbered out of order");
    check(ops[i]);
  }
  return 0;
}
