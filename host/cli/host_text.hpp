#pragma once
// host::host_text: every text physplug-host prints for people, named once. As with the plug-in's
// texts, the English text is the identifier: it is looked up in the host's own text table
// (resources/host/strings/<lang>.xml, see host_texts) and printed as it is when the table has
// no entry, so English needs none. `%s` and `%i` are filled in order (boost::format; a
// translation may take them in another order as `%2$s`). Error messages stay English.
//
// The list is a macro so that the enum, the English texts and the tests' walk over every text
// cannot drift apart.
#include <cstddef>

namespace host {

// clang-format off
#define PHYSPLUG_HOST_TEXTS(X)                                                                     \
  /* info */                                                                                       \
  X(info_frames, "frames %i..%i at %i fps")                                                        \
  X(kind_part, "part")                                                                             \
  X(kind_polygon_mesh, "polygon_mesh")                                                             \
  X(kind_line, "line")                                                                             \
  X(kind_sphere, "sphere")                                                                         \
  X(kind_disk, "disk")                                                                             \
  X(kind_light, "light")                                                                           \
  X(role_world, "world")                                                                           \
  X(role_rigid_body, "rigid body")                                                                 \
  X(role_primitive, "primitive")                                                                   \
  X(role_joint, "joint")                                                                           \
  X(role_soft_body, "soft body")                                                                   \
  X(world_active, "active")                                                                        \
  X(world_held, "held")                                                                            \
  X(world_settings, "%s, gravity %s m/s2, ground height %s m, air density %s, cycle %s /s, scale %s, " \
                    "boundary %s to %s m")                                                         \
  X(world_debug_view, ", debug view")                                                              \
  X(stream_damaged, " [stream damaged or short]")                                                  \
  X(stream_cut_short, " [stream damaged: version %i, %i of %i bytes]")                            \
  X(body_move, "move")                                                                             \
  X(body_kinematic, "kinematic")                                                                   \
  X(body_static, "static")                                                                         \
  X(body_unknown_type, "unknown type")                                                             \
  X(body_settings, "%s, mass %s, friction %s, restitution %s, damping %s/%s, group %s, mask 0x%s, " \
                   "velocity %s m/s, start %s m")                                                  \
  X(primitive_box, "box")                                                                          \
  X(primitive_sphere, "sphere")                                                                    \
  X(primitive_capsule, "capsule")                                                                  \
  X(primitive_cylinder, "cylinder")                                                                \
  X(primitive_cone, "cone")                                                                        \
  X(primitive_settings, "%s, %s m, margin %s")                                                     \
  X(primitive_settings_along, "%s along %s, %s m, margin %s")                                      \
  X(size_half_extents, "half extents %s")                                                          \
  X(size_radius, "radius %s")                                                                      \
  X(size_radius_middle_height, "radius %s, middle height %s")                                      \
  X(size_radius_height, "radius %s, height %s")                                                    \
  X(unreadable_geometry, "unreadable geometry")                                                    \
  X(stream_version, "stream version %i, %i bytes")                                                 \
  X(joint_settings, "%s, Rigid0 %s, Rigid1 %s")                                                    \
  X(joint_no_body, "none")                                                                         \
  X(empty_stream, "empty stream")                                                                  \
  X(soft_body_record, "%s: %i nodes, %i triangles, %i anchor groups")                               \
  X(projection_mesh, "; projection mesh %s with %i bound vertices")                                 \
  X(simulated_bodies_one, "1 simulated rigid body")                                                \
  X(simulated_bodies_many, "%i simulated rigid bodies")                                            \
  /* play */                                                                                       \
  X(played, "played %s: frames 0..%i at %s fps, %s")                                               \
  X(bodies_none, "no rigid bodies")                                                                \
  X(bodies_one, "1 rigid body (%i moving)")                                                        \
  X(bodies_many, "%i rigid bodies (%i moving)")                                                    \
  X(wrote_trace, "trace (CSV; frame, shape, position in mm, rotation): %s")                        \
  X(wrote_gltf, "animation (glTF 2.0 binary; metres, Y up): %s")                                   \
  X(wrote_debug_frames, "debug view frames (PNG, 640 x 640): %i in %s")                              \
  X(stopped_early, "%s: the plug-in left sequence mode at frame %i; playback stopped")             \
  X(plugin_failed_playing, "%s: the plug-in failed during playback (see the errors above)")        \
  X(world_not_built, "%s: a physics world could not be built (see the messages above)")            \
  X(body_not_finite, "%s: \"%s\" left the finite numbers at frame %i; its last finite pose is kept") \
  /* check: the listing */                                                                      \
  X(check_clean, "%s: no setup problems found")                                                    \
  X(check_found_one, "%s: 1 setup problem found")                                                  \
  X(check_found_many, "%s: %i setup problems found")                                               \
  X(check_fix, "  fix: %s")                                                                        \
  X(check_warning, "%s: warning: %s")                                                              \
  X(settings_projection, "projection binding")                                                     \
  /* check: what is wrong */                                                                      \
  X(problem_frame_rate, "the frame rate is %i fps; the plug-in plays only 30, 60 or 120 and will " \
                        "play at 30 (\"Bad animation mode. Repaired\")")                          \
  X(problem_playback_option, "the real-time playback option is on; the plug-in turns it off and "  \
                             "plays at 30 fps (\"Bad animation mode. Repaired\")")                \
  X(problem_not_in_world, "the %s is in no world part: it takes no part in the simulation")       \
  X(problem_in_held_world, "the %s is in the held world \"%s\": it takes no part in the simulation") \
  X(problem_no_primitive, "the rigid body has no primitive among its sons: the plug-in refuses it " \
                          "and its world is not built")                                            \
  X(problem_primitive_unreadable, "the primitive is no shape the plug-in can measure (a closed "    \
                                  "line, an open line of 3 or 4 points, a disk or a sphere, along " \
                                  "Y, X or Z): its rigid body does not collide as it looks")       \
  X(problem_primitive_size, "the primitive's sizes are %s m: a collision shape needs sizes above " \
                            "0, or its body falls through others or leaves the numbers")          \
  X(problem_primitive_no_body, "the primitive is in no rigid body part: nothing collides with it")  \
  X(problem_primitive_second, "the rigid body collides with its first primitive \"%s\" only: this " \
                              "one does not collide")                                              \
  X(problem_mass_zero, "the moving rigid body has mass 0: Bullet takes it for immovable and it "   \
                       "will not move")                                                            \
  X(problem_body_type, "the rigid body's type is %i, none of move, kinematic and static: the "     \
                       "plug-in leaves it out")                                                    \
  X(problem_start_overlap, "the rigid body starts inside \"%s\": Bullet pushes the two apart at "  \
                           "the first step")                                                       \
  X(problem_joint_no_rigid1, "the joint has no second body (Rigid1): its world is not built")     \
  X(problem_joint_rigid1, "the joint's second body (Rigid1) \"%s\" is no rigid body of the "       \
                          "joint's world: its world is not built")                                \
  X(problem_joint_rigid0, "the joint's first body (Rigid0) \"%s\" is no rigid body of the joint's " \
                          "world: its world is not built")                                        \
  X(problem_joint_same_body, "the joint ties \"%s\" to itself (Rigid0 and Rigid1 are one body): "  \
                             "its world is not built")                                             \
  X(problem_joint_type, "the joint's type (%i) is none of 6Dof, 6DofSpring and ConeTwist: its "    \
                        "world is not built")                                                      \
  X(problem_anchor_missing, "anchor group %i of the soft body \"%s\" hangs on shape number %i, "   \
                            "which does not exist: its nodes (%i) are pinned in place instead")     \
  X(problem_anchor_not_body, "anchor group %i of the soft body \"%s\" hangs on \"%s\", which is "  \
                             "no rigid body of its world: its nodes (%i) are pinned in place instead") \
  X(problem_stream_short, "its %s settings are damaged or cut short (stream version %i, %i of %i " \
                          "bytes): the plug-in cannot use them as they were set")                 \
  X(problem_stream_damaged, "its %s settings are damaged (stream version %i, %i bytes): the "      \
                            "plug-in cannot use them as they were set")                            \
  X(problem_stream_no_version, "its %s settings are empty or shorter than a version number (%i "   \
                               "bytes): the plug-in cannot use them")                             \
  X(problem_scaled_matrix, "the part's transformation holds the scale %s and the shear %s: "       \
                           "collision shapes do not follow it, and the world's matrix repair "    \
                           "will take it out")                                                     \
  /* check: how to fix it */                                                                      \
  X(fix_frame_rate, "set the frame rate to 30, 60 or 120 frames per second (for one run: play "    \
                    "--fps 60)")                                                                   \
  X(fix_playback_option, "turn the real-time playback option off")                                 \
  X(fix_not_in_world, "move it into an active world part, or make its world active (Bullet "       \
                      "Modify on the world part, \"Active\")")                                     \
  X(fix_no_primitive, "put a primitive into it (made with the \"Primitive/Rigid\" creator), or "   \
                      "move its primitive back into it")                                           \
  X(fix_primitive_unreadable, "make the primitive anew in its dialog (Bullet Modify on the "       \
                              "primitive)")                                                        \
  X(fix_primitive_size, "give it sizes above 0 in its dialog (Bullet Modify on the primitive)")    \
  X(fix_primitive_no_body, "move it into a rigid body part (or make its part one), or delete its "  \
                           "primitive settings")                                                   \
  X(fix_primitive_second, "give each primitive a rigid body part of its own")                      \
  X(fix_mass_zero, "give it a mass above 0 (Bullet Modify on the body), or make it static")        \
  X(fix_body_type, "choose its type in its dialog (Bullet Modify on the body)")                    \
  X(fix_start_overlap, "move them apart so that they at most touch")                              \
  X(fix_joint_rigid1, "choose Rigid1 in the joint's dialog (Bullet Modify on the joint): it lists " \
                      "the rigid bodies inside the joint")                                         \
  X(fix_joint_rigid0, "choose Rigid0 in the joint's dialog (Bullet Modify on the joint): it lists " \
                      "the rigid bodies before the joint")                                         \
  X(fix_joint_same_body, "choose two different bodies in the joint's dialog (Bullet Modify on the " \
                         "joint)")                                                                 \
  X(fix_joint_type, "choose its type in the joint's dialog (Bullet Modify on the joint)")          \
  X(fix_anchor, "choose the anchor body again in the soft body's dialog (\"Anchor RigidBody\"), "  \
                "or \"None\" to pin the nodes")                                                    \
  X(fix_stream, "set them anew in the dialog (Bullet Modify), or take the shape from a whole copy " \
                "of the scene")                                                                    \
  X(fix_scaled_matrix, "run Bullet Modify on the world part \"%s\" with \"Repair Element's "       \
                       "Transformation\" on, and size the primitives instead of scaling parts")   \
  /* edit */                                                                                       \
  X(saved, "saved %s")                                                                             \
  X(plugin_failed_editing, "%s: a call into the plug-in failed (see the errors above)")            \
  X(created, "create %s: done")                                                                    \
  X(created_nothing, "create %s: nothing done")                                                    \
  X(modified, "modify: done")                                                                      \
  X(modified_nothing, "modify: nothing done")                                                      \
  X(dialog_shown, "dialog \"%s\" %s:")                                                             \
  X(outcome_pending, "pending")                                                                    \
  X(outcome_confirmed, "confirmed")                                                                \
  X(outcome_cancelled, "cancelled")                                                                \
  X(outcome_rejected, "rejected")                                                                  \
  X(editing_mesh, "editing %s with %i selected")                                                   \
  X(placed, "placed %s")                                                                           \
  X(keyed, "key %s at frame %s")                                                                   \
  X(animation_set, "animation %i fps, frames %i..%i")                                              \
  X(selected, "selected %i shape(s)")                                                              \
  X(made_current, "current %s")                                                                    \
  X(mesh_editing_ended, "mesh editing ended")                                                      \
  X(renamed, "renamed to %s")                                                                      \
  X(mesh_added, "made %s with %i vertices and %i faces")                                            \
  X(joint_made, "joint %s made")                                                                   \
  /* help */                                                                                       \
  X(help_usage, "usage:")                                                                          \
  X(help_play, "plays a scene through the physics plug-in, frame by frame")                        \
  X(help_edit, "runs the operations of an edit script on a scene as a user would, then saves it") \
  X(help_info, "lists a scene's shapes with their physics roles and settings (no plug-in loaded)") \
  X(help_help, "describes every command and option, or one command's")                            \
  X(help_check, "lists every problem of a scene's physics set-up, with how to mend it, without "   \
                "playing it (no plug-in loaded); exit code 1 when it finds any")                   \
  X(help_json, "print the findings as JSON (code, shape, problem, fix)")                           \
  X(help_no_check, "play without checking the scene's set-up first (see check)")                  \
  X(help_frames, "last frame to play (default: the scene's end frame); frames 0..N are recorded")  \
  X(help_fps, "frames per second to set before playing (the plug-in plays 30, 60 or 120 and "      \
              "repairs any other rate to 30)")                                                     \
  X(help_render, "play as a rendering pass (positions 0..N, then -1) instead of interactively")   \
  X(help_trace, "write the trace: every moving body's position (mm) and rotation at every frame") \
  X(help_trace_vertices, "write the vertex trace: every cloth and projection mesh vertex's position (mm) at every frame") \
  X(help_gltf, "write the played animation as a glTF 2.0 binary (metres, Y up)")                  \
  X(help_save_play, "save the scene after playback (byte for byte the file that was loaded)")     \
  X(help_script, "the edit script: a JSON list of operations (docs/cli.md)")                       \
  X(help_save_edit, "where to save the edited scene (required)")                                   \
  X(help_threads, "threads the physics steps on (default 1; the same motion with any number)")     \
  X(help_debug_frames, "draw every world's debug view offscreen into DIR, one PNG per world and frame " \
                       "(world0-00000.png, ...)")                                                  \
  X(help_lang, "language of the texts the plug-in and this program print (default en)")           \
  X(help_plugin, "the plug-in library (default: the one built with this program, else "           \
                 "libphysplug.so beside it or in ../lib)")                                         \
  X(help_help_option, "describe this command and its options")                                    \
  X(help_exit_codes, "exit codes: 0 done, 1 a world could not be built or the plug-in failed "     \
                     "(check: problems found), 2 bad input")                                      \
  X(help_more, "more: docs/cli.md (commands, edit scripts, trace, glTF), docs/scene-format.md "    \
               "(scene files)")
// clang-format on

enum class host_text : std::size_t {
#define PHYSPLUG_HOST_TEXT_NAME(name, english) name,
  PHYSPLUG_HOST_TEXTS(PHYSPLUG_HOST_TEXT_NAME)
#undef PHYSPLUG_HOST_TEXT_NAME
};

/// How many texts there are (host_text values run from 0 to this, exclusive).
inline constexpr std::size_t host_text_count = 0
#define PHYSPLUG_HOST_TEXT_ONE(name, english) +1
    PHYSPLUG_HOST_TEXTS(PHYSPLUG_HOST_TEXT_ONE)
#undef PHYSPLUG_HOST_TEXT_ONE
    ;

/// The English text of `id`: its identifier in the host's text table. Never null.
const char* english(host_text id);

}  // namespace host
