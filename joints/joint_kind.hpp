#pragma once
// The kinds of joint shape a constraint joint is framed on, tested in the host's order: a bone
// joint first (asked of the shape's scene), then a ball joint. Any other shape is neither.
#include "sdk/shape_class.hpp"

enum class joint_kind { none, bone, ball };

/// The kind of `shape`; host failures propagate.
joint_kind kind_of(sxsdk::shape_class& shape);
