#include "base/uuid_table.hpp"

namespace {

// The host's own parser, so that odd texts (ik_root_uuid) come out as the host reads them.
sx::uuid_class parsed(const char* text) {
  sx::uuid_class uuid;
  uuid.set(text);
  return uuid;
}

}  // namespace

// One translation unit: these are initialised in the order written, at load time.
const sx::uuid_class physplug_uuid = parsed("AFC29716-3C03-418A-9C7F-7541631DB70C");
const sx::uuid_class physplug_rigid_uuid = parsed("042BC3E0-CEB3-4DD4-90EB-83E782D795E0");
const sx::uuid_class physplug_modify_uuid = parsed("10A768C2-6DBB-43DE-9E3C-E17217E3CA47");
const sx::uuid_class physplug_browser_uuid = parsed("DB12F8B8-0146-40C1-9F9A-F2D32EE224FE");
const sx::uuid_class physplug_figure_uuid = parsed("7A9CA1E2-5604-42CB-B656-B810B8A3E65E");

const sx::uuid_class alternative_bone_joint_uuid = parsed("D1B5FB93-F807-4FE8-A1EC-3421ADB6684C");
const sx::uuid_class alternative_bone_mode_window_uuid = parsed("B0D14FCF-73D2-4522-8DCA-3A00FE8F84FB");
const sx::uuid_class follow_joint_uuid = parsed("99754D12-67C2-425a-8500-875836A2462D");
const sx::uuid_class ik_uuid = parsed("DE9BEF50-7E5A-4B60-954D-624415F8E6C5");
const sx::uuid_class ik_root_uuid = parsed("08863152-0406-4FA8-5B3-B9AADEBECD67");
const sx::uuid_class multilead_joint_uuid = parsed("5B8BD312-7B14-41E7-B9EA-F161AFD7EEB3");
const sx::uuid_class multilead_joint_creator_uuid = parsed("28EED691-67D2-4EEF-8C76-A5BC61C912F5");
const sx::uuid_class surrogate_dad_joint_uuid = parsed("B314670E-79A3-4B03-8D4F-E6F0E8ED6E76");
const sx::uuid_class surrogate_son_joint_uuid = parsed("F1F8DBF4-CF2E-4337-82D4-DC09DA31E5D7");
const sx::uuid_class aimconstraints_uuid(0x50030030u, 0x53B811D9u, 0xBCFF000Au, 0x95BACEB2u);
const sx::uuid_class elements_preference_uuid(0x50030010u, 0x53B811D9u, 0xBCFF000Au, 0x95BACEB2u);

// Words whose little-endian bytes are the identifier's bytes in order.
const sx::uuid_class property_stream_id(0x00000000u, 0x53B811D9u, 0xBCFF000Au, 0x95BACEB2u);
