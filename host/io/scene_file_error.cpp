#include "host/io/scene_file_error.hpp"

namespace host {

scene_file_error::scene_file_error(std::string file, std::string place, std::string problem)
    : std::runtime_error(file + ": " + (place.empty() ? "" : place + ": ") + problem),
      file_(std::move(file)),
      place_(std::move(place)),
      problem_(std::move(problem)) {}

}  // namespace host
