# The Windows x64 build (cross-compiled with cmake/mingw-w64-x86_64.cmake; scripts/build windows):
# the targets the Linux build takes from pkg-config and CMake packages, made from what Debian
# ships for the build machine.
#   PHYSPLUG_BULLET_DIR   Bullet's static libraries for Windows (lib/) and its headers (include/),
#                         as scripts/windows-bullet builds them from Debian's source package
#   PHYSPLUG_NEWLIB_DIR   newlib's maths sources (platform/windows_math)
set(PHYSPLUG_BULLET_DIR "" CACHE PATH "Bullet built for Windows by scripts/windows-bullet")
if(NOT EXISTS "${PHYSPLUG_BULLET_DIR}/lib/libLinearMath.a")
  message(FATAL_ERROR "PHYSPLUG_BULLET_DIR (\"${PHYSPLUG_BULLET_DIR}\") holds no Bullet for Windows: "
                      "scripts/build windows builds it (scripts/windows-bullet build)")
endif()

# Bullet linked statically, in the order its libraries need each other; named as the Linux
# build names its pkg-config target so that the rest of the build is the same.
add_library(PkgConfig::BULLET INTERFACE IMPORTED)
set_target_properties(PkgConfig::BULLET PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${PHYSPLUG_BULLET_DIR}/include")
foreach(lib BulletSoftBody BulletDynamics BulletCollision LinearMath)
  set_property(TARGET PkgConfig::BULLET APPEND PROPERTY INTERFACE_LINK_LIBRARIES "${PHYSPLUG_BULLET_DIR}/lib/lib${lib}.a")
endforeach()

# The C library's float functions rounded as glibc rounds them (platform/windows_math/CMakeLists.txt),
# linked into every program and DLL, after Bullet's libraries and before mingw-w64's runtime.
enable_language(C)
add_subdirectory("${PROJECT_SOURCE_DIR}/platform/windows_math" "${CMAKE_BINARY_DIR}/windows_math")
set_property(TARGET PkgConfig::BULLET APPEND PROPERTY INTERFACE_LINK_LIBRARIES physplug_libm)
link_libraries(physplug_libm)

# Boost and nlohmann-json are used header-only: their Debian headers serve any target. Only
# their own folders are put on the include path (never the build machine's /usr/include).
set(_third_party "${CMAKE_BINARY_DIR}/third-party/include")
file(MAKE_DIRECTORY "${_third_party}")
foreach(dir boost nlohmann)
  if(NOT EXISTS "/usr/include/${dir}")
    message(FATAL_ERROR "/usr/include/${dir} is missing: scripts/setup installs the Boost and JSON headers")
  endif()
  file(CREATE_LINK "/usr/include/${dir}" "${_third_party}/${dir}" SYMBOLIC)
endforeach()
add_library(Boost::headers INTERFACE IMPORTED)
set_target_properties(Boost::headers PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${_third_party}"
                                                INTERFACE_COMPILE_DEFINITIONS BOOST_ALL_NO_LIB)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${_third_party}")

# No runtime DLLs beside the system's: the C++ runtime and winpthread are linked in.
add_link_options(-static)

# GoogleTest from Debian's sources (libgtest-dev ships them), compiled for Windows.
if(PHYSPLUG_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()
