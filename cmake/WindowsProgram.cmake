# Settings shared by every program that ships on the driver medium: PE32 GUI
# programs for Windows 95 and NT 4.0, ANSI calls, no runtime beyond msvcrt.dll.
set(MEDIUM_DIR ${CMAKE_BINARY_DIR}/medium)

function(target_windows_program target)
  set(options CONSOLE)
  cmake_parse_arguments(ARG "${options}" "" "" ${ARGN})
  target_compile_definitions(${target} PRIVATE
    WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_WINDOWS=0x0400 _WIN32_IE=0x0300
    WIN32_LEAN_AND_MEAN)
  target_compile_options(${target} PRIVATE
    -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
  if(ARG_CONSOLE)
    set(subsystem console)
  else()
    set(subsystem windows)
  endif()
  target_link_options(${target} PRIVATE
    -static -static-libgcc -static-libstdc++ -s
    -Wl,--subsystem,${subsystem}:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
endfunction()

# Puts a built program on the assembled medium.
function(add_to_medium target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MEDIUM_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${MEDIUM_DIR}/)
endfunction()
