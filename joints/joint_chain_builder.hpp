#pragma once
// Turns a chain of bone or ball joints into physics elements in one go: for each pair of
// consecutive joints, a rigid body part with a primitive midway between them and, unless the user
// asks for kinematic bodies only ("Rigid"), the upper joint made a constraint joint that ties the
// new body (Rigid1) to the body made for the joint above (Rigid0). One dialog, "Setting Bullet
// Constraints Joint", sets the depth, the target and the settings of every body and joint.
#include <vector>

#include "joints/constraints_properties.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"

namespace joint_chain_builder {

/// The chain from `shape`: the shape, then its first son that is a bone or ball joint, then that
/// joint's first such son, and so on (walked without recursion, so any depth is fine).
void get_shapes_layer(sxsdk::shape_class& shape, std::vector<sxsdk::shape_class*>& chain);
/// True when `shape` has a bone or ball joint son: a chain of at least two joints.
bool has_chain(sxsdk::shape_class& shape);

/// Asks for the layer count (only when `max_layers` is 2 or more), the target (0 "Constraints",
/// 1 "Rigid") and the settings, and fills the three records. The number of layers to build, or
/// -1 when cancelled ("Terminated") or the count was refused ("Bad Layer number").
int get_properties_dialog_for_constraints_joint(sxsdk::scene_interface* scene, rigidbody_properties& body,
                                                primitive_properties& primitive, constraints_properties& joint,
                                                int max_layers, int& target);

/// Builds one layer: a body part with its primitive midway between `upper` and `lower` (the elder
/// brother of `lower`) and, for target 0, the constraint joint at `upper`.
bool one_joint_step(sxsdk::scene_interface* scene, sxsdk::shape_class& upper, sxsdk::shape_class& lower,
                    rigidbody_properties& body, primitive_properties& primitive, constraints_properties& joint,
                    int target);

/// The whole run from `shape`. True when every requested layer was built; false when there is no
/// chain, the dialog was cancelled or refused.
bool create_bullet_constraints_or_rigidbody(sxsdk::scene_interface* scene, sxsdk::shape_class& shape);

}  // namespace joint_chain_builder
