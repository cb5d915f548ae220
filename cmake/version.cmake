# The names on the program's version resources, installer and uninstall entry. The number itself
# is the project's VERSION.
set(VELORY_PRODUCT "Velory")
set(VELORY_PUBLISHER "Velory")
set(VELORY_COPYRIGHT "Copyright (C) 2026 The Velory authors")

# add_version_resource(target "File description") gives an executable its version resource.
function(add_version_resource target description)
  get_target_property(VERSION_NAME ${target} OUTPUT_NAME)
  if(NOT VERSION_NAME)
    set(VERSION_NAME ${target})
  endif()
  set(VERSION_DESCRIPTION "${description}")
  set(rc ${CMAKE_BINARY_DIR}/generated/version/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
