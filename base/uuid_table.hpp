#pragma once
// The identifiers this plug-in is known by: its five components, the attribute streams it keeps
// on shapes (the component UUIDs double as stream keys), and the other plug-ins it cooperates
// with. Filled once while the library is loaded and read-only afterwards; nothing may read them
// from another translation unit's static initialiser.
#include "sx/core/uuid.hpp"

/// World creator; also the world part's stream.
extern const sx::uuid_class physplug_uuid;
/// Rigid creator; also the primitive shape's stream.
extern const sx::uuid_class physplug_rigid_uuid;
/// Modify attribute; also the rigid body, constraint joint and soft body streams.
extern const sx::uuid_class physplug_modify_uuid;
/// Browser component; also a projection mesh's rest-position stream.
extern const sx::uuid_class physplug_browser_uuid;
/// Figure component; also the projection binding stream and link of a soft body mesh.
extern const sx::uuid_class physplug_figure_uuid;

// Other plug-ins of the host, addressed by UUID.
extern const sx::uuid_class alternative_bone_joint_uuid;        ///< bone-limit attribute
extern const sx::uuid_class alternative_bone_mode_window_uuid;  ///< its mode window
extern const sx::uuid_class follow_joint_uuid;
extern const sx::uuid_class ik_uuid;
/// Parsed from a text with only three digits in its fourth group, read by fixed positions:
/// the words are 0x08863152, 0x04064FA8, 0x5B309AAD, 0xEBECD670.
extern const sx::uuid_class ik_root_uuid;
extern const sx::uuid_class multilead_joint_uuid;
extern const sx::uuid_class multilead_joint_creator_uuid;
extern const sx::uuid_class surrogate_dad_joint_uuid;
extern const sx::uuid_class surrogate_son_joint_uuid;
extern const sx::uuid_class aimconstraints_uuid;
extern const sx::uuid_class elements_preference_uuid;

/// The fixed identifier passed (three times) to shape_class::create_attribute_stream: it asks
/// the host for a plain attribute stream. Its bytes in memory order are
/// 00 00 00 00 d9 11 b8 53 0a 00 ff bc b2 ce ba 95 (each word little-endian).
extern const sx::uuid_class property_stream_id;
