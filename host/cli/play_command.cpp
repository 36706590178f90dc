#include "host/cli/play_command.hpp"

#include <cstdlib>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "host/cli/check_command.hpp"
#include "host/cli/cli_error.hpp"
#include "host/cli/cli_session.hpp"
#include "host/cli/gltf_cloth.hpp"
#include "host/cli/gltf_writer.hpp"
#include "host/cli/mesh_recorder.hpp"
#include "host/cli/motion_recorder.hpp"
#include "host/cli/output_paths.hpp"
#include "host/cli/plugin_settings.hpp"
#include "host/cli/printable.hpp"
#include "host/cli/progress_bar.hpp"
#include "host/cli/setup_check.hpp"
#include "host/cli/start_overlap.hpp"
#include "host/cli/trace_writer.hpp"
#include "host/cli/vertex_trace_writer.hpp"
#include "host/player/player.hpp"

namespace host {
namespace {

constexpr const char* build_error_id = "Bullet world[%s] create ERROR";

bool matches_template(const std::string& text, const std::string& pattern) {
  const auto at = pattern.find("%s");
  if (at == std::string::npos) return text == pattern;
  const std::string head = pattern.substr(0, at), tail = pattern.substr(at + 2);
  return text.size() >= head.size() + tail.size() && text.compare(0, head.size(), head) == 0 &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Everything one playback needs, set up before the first step so that bad output paths fail
// before a long simulation rather than after it.
struct playback {
  cli_session& session;
  const cli_arguments& args;
  motion_recorder recorder;
  std::optional<mesh_recorder> cloth;  // for the glTF file only
  std::optional<trace_writer> trace;
  std::optional<vertex_trace_writer> vertices;

  playback(cli_session& s, const cli_arguments& a)
      : session(s), args(a), recorder(scene_roles::bodies(s.target()), scene_roles::worlds(s.target())) {
    if (!a.trace.empty()) trace.emplace(a.trace, recorder.bodies());
    if (!a.trace_vertices.empty()) vertices.emplace(a.trace_vertices, s.target());
    recorder.keep_history(!a.gltf.empty());
    if (!a.gltf.empty()) cloth.emplace(s.target());
  }

  // A cloth glTF file grows with every frame: one that could not be written is refused before
  // the playback rather than after it.
  void check_gltf_size(int frames) const {
    if (!cloth) return;
    if (gltf_cloth::bytes(*cloth, static_cast<std::size_t>(frames) + 1) > 0xFFFFFFFFu - (1u << 20))
      throw cli_error(args.gltf + ": " + std::to_string(frames) +
                      " frames of cloth would exceed the glTF binary's 4 GiB; play fewer frames");
  }

  void record(int frame) {
    const auto& sample = recorder.record(frame);
    if (trace) trace->write(sample);
    if (cloth) cloth->record(frame);
    if (vertices) vertices->write(frame);
  }

  // Plays frames 0..frames; returns the frames per second the plug-in played at (after its
  // own repair of the rate) and sets `stopped_at` when the plug-in left sequence mode early.
  double play(int frames, int& stopped_at) {
    scene& s = session.target();
    player p(*session.plugins());
    progress_bar bar(frames);
    if (args.render) {
      // A rendering pass reports 0..frames and then -1, outside sequence mode.
      p.set_progress([&](float position, int, int) {
        if (position < 0) return;
        record(static_cast<int>(position));
        bar.update(static_cast<int>(position));
      });
      p.render(0, frames);
      return s.animation().frame_rate;
    }
    p.enter(0);
    const double fps = s.animation().frame_rate;
    record(0);
    for (int f = 1; f <= frames; ++f) {
      if (!p.go_to(static_cast<float>(f))) {
        stopped_at = f;
        break;
      }
      record(f);
      bar.update(f);
    }
    p.leave();
    return fps;
  }
};

// "2 rigid bodies (1 moving)": every body the glTF file draws, and of them the moving ones,
// which the trace follows.
std::string bodies_text(const std::vector<simulated_body>& bodies, const host_texts& t) {
  std::size_t moving = 0;
  for (const simulated_body& b : bodies) moving += b.settings.type == 0 ? 1 : 0;
  if (bodies.empty()) return t(host_text::bodies_none);
  if (bodies.size() == 1) return t.format(host_text::bodies_one, moving);
  return t.format(host_text::bodies_many, bodies.size(), moving);
}

// Bodies that start inside each other in so many pairs that their contacts would not fit in
// memory are refused before anything is built (the set-up check names the bodies).
void check_start_overlap(cli_session& session, const std::string& scene_path) {
  const start_overlap overlap = start_overlap::count(scene_roles::bodies(session.target()));
  if (overlap.pairs > start_overlap::max_pairs)
    throw cli_error(scene_path + ": " + std::to_string(overlap.bodies) +
                    " bodies start inside each other in more than " + std::to_string(start_overlap::max_pairs) +
                    " pairs, more contacts than a playback may hold in memory; move them apart");
}

}  // namespace

bool play_command::world_build_failed(cli_session& session, std::size_t first) {
  sxsdk::host_ref<sxsdk::host_interface> app(session.target().get_host());
  const std::string localised = app ? app->get_text(build_error_id) : build_error_id;
  const auto& lines = session.target().messages().lines();
  for (std::size_t i = first; i < lines.size(); ++i)
    if (matches_template(lines[i].text, localised) || matches_template(lines[i].text, build_error_id)) return true;
  return false;
}

int play_command::run(const cli_arguments& args) {
  output_paths::check(args);  // before anything is loaded, played or written
  cli_session session(args.scene, args.lang);
  check_start_overlap(session, args.scene);
  if (args.fps > 0) session.target().animation().frame_rate = args.fps;
  // The set-up problems a user would otherwise see as a failed or strange playback, as warnings.
  if (!args.no_check)
    check_command::warn(setup_check::run(session.target(), session.texts()), args.scene, session.texts(), std::cerr);
  plugin_settings::hand_over(args);  // --threads and --debug-frames, before the plug-in is loaded
  const auto started = std::filesystem::file_time_type::clock::now();
  session.load_plugin(args.plugin);
  scene& s = session.target();
  const int frames = args.frames >= 0 ? args.frames : std::max(0, s.animation().end_frame);
  const std::size_t first = s.messages().lines().size();
  playback run(session, args);
  run.check_gltf_size(frames);
  int stopped_at = -1;
  const double fps = run.play(frames, stopped_at);
  if (run.trace) run.trace->finish();
  if (run.vertices) run.vertices->finish();
  if (!args.gltf.empty()) {
    try {
      gltf_writer::write(args.gltf, run.recorder, fps > 0 ? fps : 30, run.cloth ? &*run.cloth : nullptr);
    } catch (const std::length_error& e) {
      throw cli_error(args.gltf + ": " + e.what() + "; play fewer frames");
    }
  }
  if (!args.save.empty()) session.save(args.save);
  session.print_messages();
  const host_texts& t = session.texts();
  std::cerr << t.format(host_text::played, args.scene, frames, fps, bodies_text(run.recorder.bodies(), t)) << '\n';
  if (!args.trace.empty()) std::cerr << t.format(host_text::wrote_trace, args.trace) << '\n';
  if (!args.gltf.empty()) std::cerr << t.format(host_text::wrote_gltf, args.gltf) << '\n';
  if (!args.debug_frames.empty())
    std::cerr << t.format(host_text::wrote_debug_frames, plugin_settings::frames_written(args.debug_frames, started),
                          args.debug_frames)
              << '\n';
  for (const motion_recorder::lost_body& lost : run.recorder.lost())
    std::cerr << printable(t.format(host_text::body_not_finite, args.scene, run.recorder.bodies()[lost.body].path,
                                    lost.frame))
              << '\n';
  if (run.cloth)
    for (const mesh_recorder::lost_mesh& lost : run.cloth->lost())
      std::cerr << printable(t.format(host_text::body_not_finite, args.scene, run.cloth->meshes()[lost.mesh].path,
                                      lost.frame))
                << '\n';
  if (!run.recorder.lost().empty() || (run.cloth && !run.cloth->lost().empty())) return cli_error::simulation_failed;
  if (stopped_at >= 0) {
    std::cerr << t.format(host_text::stopped_early, args.scene, stopped_at) << '\n';
    return cli_error::simulation_failed;
  }
  if (session.plugin_failed(first)) {
    std::cerr << t.format(host_text::plugin_failed_playing, args.scene) << '\n';
    return cli_error::simulation_failed;
  }
  if (world_build_failed(session, first)) {
    std::cerr << t.format(host_text::world_not_built, args.scene) << '\n';
    return cli_error::simulation_failed;
  }
  return 0;
}

}  // namespace host
