// Offscreen frames on Linux: an OpenGL 1 context on a pixel buffer of Mesa's EGL without any
// display (the surfaceless platform, software rendering by llvmpipe when there is no GPU), read
// back after each frame and written as a PNG file.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "debugview/debug_view.hpp"
#include "debugview/line_painter.hpp"
#include "debugview/png_file.hpp"

namespace {

// EGL hands out one display per platform; it is terminated with the last view using it, since
// terminating it would take every other view's context with it.
EGLDisplay shared_display = EGL_NO_DISPLAY;
int display_users = 0;

EGLDisplay acquire_display() {
  if (display_users == 0) {
    auto get_platform_display =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!get_platform_display) return EGL_NO_DISPLAY;
    EGLDisplay display = get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return EGL_NO_DISPLAY;
    shared_display = display;
  }
  ++display_users;
  return shared_display;
}

void release_display() {
  if (--display_users == 0) {
    eglTerminate(shared_display);
    shared_display = EGL_NO_DISPLAY;
  }
}

class frame_files final : public debug_view {
 public:
  frame_files(const debug_camera& camera, std::string folder, int world)
      : camera_(camera), folder_(std::move(folder)), world_(world) {}

  bool open() {
    display_ = acquire_display();
    if (display_ == EGL_NO_DISPLAY) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) return false;
    const EGLint config_wanted[] = {EGL_SURFACE_TYPE,
                                    EGL_PBUFFER_BIT,
                                    EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_BIT,
                                    EGL_RED_SIZE,
                                    8,
                                    EGL_GREEN_SIZE,
                                    8,
                                    EGL_BLUE_SIZE,
                                    8,
                                    EGL_NONE};
    EGLConfig config;
    EGLint found = 0;
    if (!eglChooseConfig(display_, config_wanted, &config, 1, &found) || found < 1) return false;
    const EGLint size[] = {EGL_WIDTH, line_painter::view_size, EGL_HEIGHT, line_painter::view_size, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config, size);
    if (surface_ == EGL_NO_SURFACE) return false;
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    return context_ != EGL_NO_CONTEXT;
  }

  ~frame_files() override {
    if (display_ == EGL_NO_DISPLAY) return;
    if (eglGetCurrentContext() == context_) eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
    if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
    release_display();
  }

  void draw_frame(const debug_line_list& lines) override {
    if (!eglMakeCurrent(display_, surface_, surface_, context_)) return;
    line_painter::paint(camera_, lines);
    const int n = line_painter::view_size;
    std::vector<std::uint8_t> pixels(std::size_t(n) * n * 3), rows(pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, n, n, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (int y = 0; y < n; ++y)  // OpenGL's rows run from the bottom up, a PNG's from the top down
      std::memcpy(&rows[std::size_t(n - 1 - y) * n * 3], &pixels[std::size_t(y) * n * 3], std::size_t(n) * 3);
    char name[64];
    std::snprintf(name, sizeof name, "/world%d-%05d.png", world_, frame_++);
    if (!png_file::write(folder_ + name, n, n, rows) && !reported_) {
      std::fprintf(stderr, "physplug: cannot write the debug frame %s%s\n", folder_.c_str(), name);
      reported_ = true;
    }
  }

 private:
  debug_camera camera_;
  std::string folder_;
  int world_;
  int frame_ = 0;
  bool reported_ = false;
  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLSurface surface_ = EGL_NO_SURFACE;
  EGLContext context_ = EGL_NO_CONTEXT;
};

}  // namespace

std::unique_ptr<debug_view> debug_views::open_frame_files(const debug_camera& camera, const std::string& folder,
                                                          int world) {
  auto view = std::make_unique<frame_files>(camera, folder, world);
  if (!view->open()) return nullptr;
  return view;
}

bool debug_views::frames_available() { return true; }
