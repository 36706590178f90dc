#pragma once
// What the entry points answer: the five components by interface kind and index, with their
// English names and UUIDs.
//   creator 0   bullet_world_component    "World"            physplug_uuid
//   creator 1   bullet_rigid_component    "Primitive/Rigid"  physplug_rigid_uuid
//   attribute 0 bullet_modify_component   "Bullet Modify"    physplug_modify_uuid
//   browser 0   bullet_browser_component  "Bullet Modify"    physplug_browser_uuid
//   figure 0    bullet_figure_component   "Bullet Modify"    physplug_figure_uuid
#include "sdk/iid.hpp"
#include "sx/core/uuid.hpp"

namespace component_table {

/// Number of components of a kind (creator 2, attribute, browser and figure 1, else 0).
int count(const sxsdk::IID& kind);

/// A new component of that kind and index with reference count 1, as a pointer to the kind's
/// interface class (creator_interface*, attribute_interface*, ...); null when there is none.
/// The caller owns the reference.
void* create(const sxsdk::IID& kind, int index);

/// The English name (the key of the host's text table), or null.
const char* name(const sxsdk::IID& kind, int index);

/// The component's UUID; the all-zero UUID when there is none.
sx::uuid_class uuid(const sxsdk::IID& kind, int index);

}  // namespace component_table
