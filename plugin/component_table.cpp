#include "plugin/component_table.hpp"

#include "base/uuid_table.hpp"
#include "plugin/bullet_browser_component.hpp"
#include "plugin/bullet_figure_component.hpp"
#include "plugin/bullet_modify_component.hpp"
#include "plugin/bullet_rigid_component.hpp"
#include "plugin/bullet_world_component.hpp"

namespace component_table {

namespace {

enum class which { none, world, rigid, modify, browser, figure };

which find(const sxsdk::IID& kind, int index) {
  if (kind == sxsdk::creator_iid) return index == 0 ? which::world : index == 1 ? which::rigid : which::none;
  if (index != 0) return which::none;
  if (kind == sxsdk::attribute_iid) return which::modify;
  if (kind == sxsdk::browser_iid) return which::browser;
  if (kind == sxsdk::figure_iid) return which::figure;
  return which::none;
}

/// One reference for the caller, handed out as the kind's interface pointer.
template <typename Interface, typename Component>
void* with_one_reference() {
  Interface* component = new Component();
  component->AddRef();
  return component;
}

}  // namespace

int count(const sxsdk::IID& kind) {
  if (kind == sxsdk::creator_iid) return 2;
  if (kind == sxsdk::attribute_iid || kind == sxsdk::browser_iid || kind == sxsdk::figure_iid) return 1;
  return 0;
}

void* create(const sxsdk::IID& kind, int index) {
  switch (find(kind, index)) {
    case which::world:
      return with_one_reference<sxsdk::creator_interface, bullet_world_component>();
    case which::rigid:
      return with_one_reference<sxsdk::creator_interface, bullet_rigid_component>();
    case which::modify:
      return with_one_reference<sxsdk::attribute_interface, bullet_modify_component>();
    case which::browser:
      return with_one_reference<sxsdk::browser_interface, bullet_browser_component>();
    case which::figure:
      return with_one_reference<sxsdk::figure_interface, bullet_figure_component>();
    case which::none:
      break;
  }
  return nullptr;
}

const char* name(const sxsdk::IID& kind, int index) {
  switch (find(kind, index)) {
    case which::world:
      return "World";
    case which::rigid:
      return "Primitive/Rigid";
    case which::modify:
    case which::browser:
    case which::figure:
      return "Bullet Modify";
    case which::none:
      break;
  }
  return nullptr;
}

sx::uuid_class uuid(const sxsdk::IID& kind, int index) {
  switch (find(kind, index)) {
    case which::world:
      return physplug_uuid;
    case which::rigid:
      return physplug_rigid_uuid;
    case which::modify:
      return physplug_modify_uuid;
    case which::browser:
      return physplug_browser_uuid;
    case which::figure:
      return physplug_figure_uuid;
    case which::none:
      break;
  }
  return sx::uuid_class();
}

}  // namespace component_table
