#include "softbody/softbody_properties.hpp"

#include <boost/lexical_cast.hpp>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/softbody_stream.hpp"

namespace {

void show_damaged(sxsdk::shape_class& mesh, const char* what, const std::string& why) {
  sxsdk::host_ref<sxsdk::scene_interface> scene(mesh.get_scene());
  if (!scene) return;
  texts::show_error(*scene, ("physplug: the " + std::string(what) + " of \"" + mesh.get_name() + "\" are damaged (" +
                             why + "); they are left as they are")
                                .c_str());
}

bool has_projection_link(sxsdk::shape_class& mesh) {
  try {
    return mesh.get_links(physplug_figure_uuid) != 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

std::string softbody_properties::mesh_name() const { return shape != nullptr ? shape->get_name() : std::string(); }

bool softbody_properties::get_properties() {
  if (shape == nullptr) return false;
  bool sound = true;
  if (property_stream::stream_ref stream = property_stream::open(*shape, physplug_modify_uuid)) {
    sxsdk::host_ref<sxsdk::scene_interface> scene(stream->get_scene());
    int version = softbody_stream::current_version;
    const std::string wrong = softbody_stream::read(*stream, scene.get(), version, datas);
    stream.reset();
    if (!wrong.empty()) {
      show_damaged(*shape, "soft body settings", wrong);
      sound = false;
    } else if (version < softbody_stream::current_version && !regist()) {
      if (scene) texts::show_unwritten(*scene, "soft body settings", shape->get_name());
    }
  }
  if (has_projection_link(*shape)) {
    if (property_stream::stream_ref bindings = property_stream::open(*shape, physplug_figure_uuid)) {
      const std::string wrong = softbody_stream::read_bindings(*bindings, proxcys);
      if (!wrong.empty()) {
        show_damaged(*shape, "projection bindings", wrong);
        sound = false;
      }
    }
  }
  return sound;
}

std::string softbody_properties::label(sxsdk::scene_interface& scene) const {
  const int index = datas.empty() ? 0 : int(datas.front().group_index);
  return boost::lexical_cast<std::string>(index) + ":" + texts::get_text(scene, "SoftBody");
}

bool softbody_properties::regist() {
  if (shape == nullptr) return true;
  try {
    if (datas.empty()) {
      (void)shape->delete_attribute_stream(physplug_modify_uuid);
      return true;
    }
    property_stream::stream_ref stream = property_stream::create(*shape, physplug_modify_uuid);
    if (!stream) return false;  // the old stream stays as it was
    sxsdk::host_ref<sxsdk::scene_interface> scene(stream->get_scene());
    if (scene) stream->set_label(label(*scene).c_str());
    stream->set_pointer(0);
    softbody_stream::write(*stream, datas);
    return true;
  } catch (...) {
    return false;
  }
}
