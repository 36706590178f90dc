// Only the Windows build has a view window.
#include "debugview/debug_view.hpp"

std::unique_ptr<debug_view> debug_views::open_window(const debug_camera&) { return nullptr; }
