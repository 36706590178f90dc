// Keeps every static library of the build non-empty while its folder is still filling up.
namespace physplug_build {
inline constexpr int empty_translation_unit = 0;
}
