#pragma once
// The two "Setting Bullet SoftBody" dialogs: the chooser (edit, add or remove a soft body of a
// mesh) and the settings of one soft body record. Labels, the title and "None" are localised;
// shape names and digits are not.
#include <string>
#include <vector>

#include "engine/softbody_datas.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class softbody_properties;

namespace softbody_dialog {

/// What the chooser asked for.
enum class action { cancel, create, edit, remove };

struct choice {
  action what = action::cancel;
  int target = 0;  ///< the record to edit or remove
};

/// True when the mesh has one soft body that uses every vertex: the chooser then offers
/// "Selection/Edit/Remove" without a target list.
bool simple_case(const softbody_properties& mesh);

/// Shows the chooser for a mesh that carries soft bodies. Cancel changes nothing.
choice choose(sxsdk::scene_interface& scene, const softbody_properties& mesh);

/// What the settings dialog gave besides the record itself.
struct settings_result {
  bool confirmed = false;
  sxsdk::shape_class* anchor_body = nullptr;  ///< the chosen "Anchor RigidBody", null for "None"
  bool renew_vertices = false;                ///< "Renew Vertices" (existing records only)
};

/// Shows the settings of `record` (record number `index` of `mesh`; `existing` adds "Renew
/// Vertices"). `bodies` are the rigid body parts listed in "Anchor RigidBody". On confirm the
/// record takes the dialog's values; on cancel "Terminated" is shown and the record is unchanged.
settings_result ask_settings(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh, softbody_datas& record, int index,
                             bool existing, const std::vector<sxsdk::shape_class*>& bodies);

}  // namespace softbody_dialog
