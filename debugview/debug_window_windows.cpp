// The view window of the Windows build: an overlapped window with a 640 × 640 client area and
// its own OpenGL context, opened at the system's default place. It has no message loop of its
// own: the host's loop on the same thread dispatches its messages. Closing it is the owner's
// business (the window stays until its view is destroyed).
#include <windows.h>

#include <GL/gl.h>

#include "debugview/debug_view.hpp"
#include "debugview/line_painter.hpp"

namespace {

constexpr const char* class_name = "VS2017D GL1";
constexpr const char* title = "VisualStudio2017 OpenGL1.";

// One window class for all views, registered with the first open view and unregistered with the
// last: a class registered per view would refuse every view after the first, and unregistering
// it under another open window fails.
int open_views = 0;

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_DESTROY:
      return 0;  // only the view's owner closes it
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcA(window, message, w, l);
  }
}

bool register_class(HINSTANCE instance) {
  if (open_views > 0) return true;
  WNDCLASSEXA c = {};
  c.cbSize = sizeof c;
  c.style = CS_HREDRAW | CS_VREDRAW;
  c.lpfnWndProc = window_procedure;
  c.hInstance = instance;
  c.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  c.lpszClassName = class_name;
  return RegisterClassExA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

class debug_window final : public debug_view {
 public:
  debug_window(const debug_camera& camera, HINSTANCE instance) : camera_(camera), instance_(instance) {}

  bool open() {
    if (!register_class(instance_)) return false;
    registered_ = true;
    ++open_views;
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT area = {0, 0, line_painter::view_size, line_painter::view_size};
    AdjustWindowRect(&area, style, FALSE);
    window_ = CreateWindowExA(0, class_name, title, style, CW_USEDEFAULT, CW_USEDEFAULT, area.right - area.left,
                              area.bottom - area.top, nullptr, nullptr, instance_, nullptr);
    if (!window_) return false;
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    device_ = GetDC(window_);
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 24;
    format.cStencilBits = 8;
    format.iLayerType = PFD_MAIN_PLANE;
    const int chosen = device_ ? ChoosePixelFormat(device_, &format) : 0;
    if (!chosen || !SetPixelFormat(device_, chosen, &format)) return false;
    context_ = wglCreateContext(device_);
    return context_ && wglMakeCurrent(device_, context_);
  }

  ~debug_window() override {
    if (context_) {
      if (wglGetCurrentContext() == context_) wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(context_);
    }
    if (device_) ReleaseDC(window_, device_);
    if (window_) DestroyWindow(window_);
    if (registered_ && --open_views == 0) UnregisterClassA(class_name, instance_);
  }

  void draw_frame(const debug_line_list& lines) override {
    // Several views share the thread: each draws into its own context.
    wglMakeCurrent(device_, context_);
    line_painter::paint(camera_, lines);
    SwapBuffers(device_);
  }

 private:
  debug_camera camera_;
  HINSTANCE instance_;
  HWND window_ = nullptr;
  HDC device_ = nullptr;
  HGLRC context_ = nullptr;
  bool registered_ = false;
};

}  // namespace

std::unique_ptr<debug_view> debug_views::open_window(const debug_camera& camera) {
  auto view = std::make_unique<debug_window>(camera, GetModuleHandleA(nullptr));
  if (!view->open()) return nullptr;
  return view;
}
