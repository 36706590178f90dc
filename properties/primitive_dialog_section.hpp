#pragma once
// The primitive items of a dialog ("Primitive Properties", and the "Primitive" group of a new
// rigid body): kind, direction, visibility, margin and the three sizes (metres).
#include "engine/collisionshape_datas.hpp"
#include "sdk/dialog_interface.hpp"
#include "sdk/scene_interface.hpp"

class primitive_dialog_section {
 public:
  /// Appends the seven items; labels localised through `scene` ("Z" only when `localise_z`).
  primitive_dialog_section(sxsdk::scene_interface& scene, sxsdk::dialog_interface& dialog, bool localise_z);

  /// Defaults (sphere, Y, visible, 0.04, 0.1 each), then the record's values.
  void show(const collisionshape_datas& datas);

  /// The chosen kind (whatever entry the dialog answers).
  int kind() const;
  /// Reads direction, visibility, margin, size x and y into `datas`, then size z: size x for a
  /// cylinder; else the "Z" field for a box or sphere, and for a capsule or cone too when
  /// `z_for_every_kind` (a new rigid body's primitive), unchanged otherwise. A direction outside
  /// 0 to 2 keeps the record's.
  void read(collisionshape_datas& datas, bool z_for_every_kind = false) const;

 private:
  sxsdk::dialog_interface& dialog_;
  int type_, direction_, visible_, margin_, x_, y_, z_;
};
