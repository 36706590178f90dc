#pragma once
// host::edit_operation: one operation of an edit script (see edit_script), read and checked
// before any operation runs: its kind, and every member it uses in the type and range it needs.
// Numbers are finite floats, whole numbers fit an int, element indices are not negative, and
// dialog answers are parsed; what can only be known against the scene (does the path exist,
// does the dialog accept the answer) is checked when it runs.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/ui/dialog_answer.hpp"
#include "sx/core/vectors.hpp"

namespace host {

struct edit_operation {
  enum class kind {
    select,
    current,
    create,
    modify,
    edit_mesh,
    end_edit_mesh,
    rename,
    place,
    key,
    animation,
    add_mesh,
    joint
  };

  kind what = kind::select;
  std::size_t number = 0;                   ///< position in the script, from 1 (for messages)
  std::vector<std::string> shapes;          ///< select: paths
  std::string shape;                        ///< the shape's path ("" for modify without one)
  std::string creator;                      ///< create: "World", "Primitive/Rigid" or a localised name
  std::string name;                         ///< rename: the new name
  int selection_mode = 0;                   ///< edit_mesh: sxsdk::selection_mode
  std::vector<int> select;                  ///< edit_mesh: element indices, each >= 0
  bool select_all = false;                  ///< edit_mesh: "select": "all" (every element)
  sx::vec<float, 3> position{0, 0, 0};      ///< place, key: millimetres
  sx::vec<float, 3> rotation{0, 0, 0};      ///< place, key: degrees about X, then Y, then Z
  float frame = 0;                          ///< key
  std::optional<int> frame_rate;            ///< animation: >= 1
  std::optional<int> start_frame;           ///< animation: >= 0
  std::optional<int> end_frame;             ///< animation: >= 0
  std::vector<dialog_answer> answers;       ///< create, modify: one per dialog shown, in order
  std::vector<sx::vec<float, 3>> vertices;  ///< add_mesh: vertex positions, mm, in the dad's frame
  std::vector<std::vector<int>> faces;      ///< add_mesh: each face's vertex numbers, in order
  int part_type = 0;                        ///< joint: sxsdk::part_type of a ball or bone joint
  std::string dad;                          ///< joint: the part the joint is made in
  std::vector<std::string> sons;            ///< joint: shapes moved into the new joint, in order
  sx::vec<float, 3> offset{0, 0, 0};        ///< joint: motion offset, millimetres
  /// joint (bone only): rotation limits per axis, degrees (lower, upper); none: limits off.
  std::optional<std::vector<sx::vec<float, 2>>> limits;

  /// The operation's name as a script writes it ("select", "edit_mesh", ...).
  static const char* name_of(kind k);
};

}  // namespace host
