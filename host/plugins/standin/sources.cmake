# Stand-ins for the other plug-ins whose joints the physics plug-in poses (one source, built
# once per plug-in with its UUID), plus one library that lacks an entry point. Included from
# host/sources.cmake after the host's lists; the targets exist only when the host library does.
# Output: ${CMAKE_BINARY_DIR}/lib/libstandin_<name>.so.
set(PHYSPLUG_STANDIN_PLUGINS
  "aim|50030030-53B8-11D9-BCFF-000A95BACEB2"
  "follow|99754D12-67C2-425a-8500-875836A2462D"
  "ik|DE9BEF50-7E5A-4B60-954D-624415F8E6C5"
  "multilead|5B8BD312-7B14-41E7-B9EA-F161AFD7EEB3"
  "surrogate|B314670E-79A3-4B03-8D4F-E6F0E8ED6E76"
  "incomplete|00000000-0000-0000-0000-0000000000A1"
)
if(PHYSPLUG_HOST_SOURCES)
  foreach(entry IN LISTS PHYSPLUG_STANDIN_PLUGINS)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 name)
    list(GET fields 1 uuid)
    add_library(standin_${name} SHARED host/plugins/standin/joint_standin.cpp)
    physplug_target(standin_${name})
    target_link_libraries(standin_${name} PRIVATE physplug_sdk)
    target_compile_definitions(standin_${name} PRIVATE STANDIN_NAME="${name}" STANDIN_UUID="${uuid}")
    if(name STREQUAL "incomplete")
      target_compile_definitions(standin_${name} PRIVATE STANDIN_INCOMPLETE)
    endif()
    set_target_properties(standin_${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endforeach()
endif()
