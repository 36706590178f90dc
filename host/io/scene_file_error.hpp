#pragma once
// host::scene_file_error: why a scene file could not be read or written, as one message that
// names the file, the place in it and the problem.
#include <stdexcept>
#include <string>

namespace host {

class scene_file_error : public std::runtime_error {
 public:
  /// `place` is a JSON pointer ("/shapes/3/vertices/2", "/" for the whole document), for text
  /// that is no JSON "line L, column C", or "" when the file itself cannot be read or written;
  /// `problem` is an English sentence fragment. what() is "<file>: <place>: <problem>" (or
  /// "<file>: <problem>" without a place).
  scene_file_error(std::string file, std::string place, std::string problem);

  const std::string& file() const { return file_; }
  const std::string& place() const { return place_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string file_, place_, problem_;
};

/// A problem at a JSON pointer inside a document whose file name the catcher knows; the
/// scene file readers and writers throw it, scene_file turns it into a scene_file_error.
struct json_path_error {
  std::string path;
  std::string problem;
};

}  // namespace host
