#include "softbody/softbody_set.hpp"

// No shape registers as a soft body yet: the verbs below keep the world's order of work and do
// nothing.

bool softbody_set::regist(sxsdk::shape_class&) { return false; }

bool softbody_set::add_to_engine(phygics_world&, sxsdk::scene_interface*) { return true; }

void softbody_set::write_back(phygics_world&, sxsdk::scene_interface*) {}

void softbody_set::reset() {}

void softbody_set::clear() { count_ = 0; }
