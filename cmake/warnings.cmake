# Compile options shared by every target of the program: warnings, static runtime. Texts in the
# sources are UTF-8 and stay so in narrow literals; the program's texts are UTF-16 (L"" and the W
# calls), with UNICODE set so that a call written without its A or W ending takes the W one.
add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE
  -Wall -Wextra
  -finput-charset=UTF-8 -fexec-charset=UTF-8
  $<$<COMPILE_LANGUAGE:CXX>:-Wno-cast-function-type>
  # Option structs are filled with designated initialisers that leave the rest at its default.
  $<$<COMPILE_LANGUAGE:CXX>:-Wno-missing-field-initializers>)
target_compile_definitions(project_options INTERFACE
  UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 STRICT)
target_include_directories(project_options INTERFACE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_link_options(project_options INTERFACE -static -static-libgcc -static-libstdc++)
