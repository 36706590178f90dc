#pragma once
// Where the constraint-joint and soft-body roles join the properties code. The joint and soft
// body classes fill these in; until they do, each does nothing and answers false.
#include "sdk/shape_class.hpp"

namespace role_hooks {

/// Rewrites the soft body stream of a polygon mesh carrying physplug_modify_uuid in the current
/// format (read, then written back). True when it was rewritten.
bool renew_softbody(sxsdk::shape_class& mesh);

/// Renews a constraint joint's derived data from its stream (its frames and motion).
/// True when the joint was renewed.
bool renew_constraints_joint(sxsdk::shape_class& joint);

/// Puts back the constraint joint `joint` that a rigid body hangs under, instead of moving the
/// body itself, when a simulation is cleared. True when the joint was restored.
bool reset_constraints_joint(sxsdk::shape_class& joint);

}  // namespace role_hooks
