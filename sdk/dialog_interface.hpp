#pragma once
// A modal dialog built item by item. Items are numbered from 0 in the order they are appended
// (groups and rows are not items). A selection item's label holds the label and its choices
// joined by "/" ("Type/Box/Sphere"). The host answers ask() (the headless host from a script).
#include <string>

#include "sdk/unknown_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class dialog_interface : public unknown_interface {
 public:
  virtual void set_title(const char* title) = 0;

  // Appending items; each returns the new item's number.
  virtual int append_bool(const char* label) = 0;
  virtual int append_int(const char* label, const char* unit = "") = 0;
  virtual int append_float(const char* label, const char* unit = "") = 0;
  virtual int append_string(const char* label) = 0;
  virtual int append_vec3(const char* label, const char* unit = "") = 0;
  virtual int append_selection(const char* label_and_choices) = 0;

  // Layout.
  virtual void begin_group(const char* label) = 0;
  virtual void end_group() = 0;
  virtual void begin_row() = 0;
  virtual void end_row() = 0;

  // Defaults (what "reset" would show) and current values, by item number.
  virtual void set_default_bool(int item, bool value) = 0;
  virtual void set_default_int(int item, int value) = 0;
  virtual void set_default_float(int item, float value) = 0;
  virtual void set_default_string(int item, const std::string& value) = 0;
  virtual void set_default_vec3(int item, const sx::vec<float, 3>& value) = 0;
  virtual void set_bool(int item, bool value) = 0;
  virtual void set_int(int item, int value) = 0;  ///< also the chosen entry of a selection
  virtual void set_float(int item, float value) = 0;
  virtual void set_string(int item, const std::string& value) = 0;
  virtual void set_vec3(int item, const sx::vec<float, 3>& value) = 0;

  /// Shows the dialog; true when the user confirms, false on cancel.
  virtual bool ask() = 0;

  // Reading back after ask().
  virtual bool get_bool(int item) = 0;
  virtual int get_int(int item) = 0;  ///< also the chosen entry of a selection
  virtual float get_float(int item) = 0;
  virtual std::string get_string(int item) = 0;
  virtual sx::vec<float, 3> get_vec3(int item) = 0;
};

}  // namespace sxsdk
