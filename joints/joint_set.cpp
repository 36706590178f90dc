#include "joints/joint_set.hpp"

// No shape registers as a constraint joint yet: the verbs below keep the world's order of work
// and do nothing.

bool joint_set::regist(sxsdk::shape_class&) { return false; }

bool joint_set::add_to_engine(phygics_world&, sxsdk::scene_interface*) { return true; }

void joint_set::write_back(phygics_world&, sxsdk::scene_interface*) {}

void joint_set::restore() {}

void joint_set::clear() { count_ = 0; }
