#pragma once
// host::setup_finding: one problem in a scene's physics set-up that a user would otherwise find
// by watching a failed or strange simulation: the shape at fault, what is wrong (and what the
// plug-in will do about it) and how to mend it, in the language of the texts it was made with.
#include <string>

namespace host {

class shape_node;

struct setup_finding {
  const shape_node* shape = nullptr;  ///< the shape at fault; null for the scene as a whole
  std::string path;                   ///< its names from the root joined by "/"; "" for the scene
  const char* code = "";              ///< the kind of problem, the same in every language ("mass_zero")
  std::string problem;                ///< what is wrong and what follows from it
  std::string fix;                    ///< how to mend it
};

}  // namespace host
