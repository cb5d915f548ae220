# What a user gets: version resources on the executables, the installer and the portable zip,
# and `runnable`, the least that ./run needs.
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)

add_version_resource(player "Velory music player")
add_version_resource(empty "Velory working-set tool")
add_version_resource(gallery "Velory skin gallery")

add_custom_target(runnable)
add_dependencies(runnable player wait-window)
if(TARGET catalogue_service_native)
  add_dependencies(runnable catalogue_service_native)
endif()

add_subdirectory(installer)
