# One set of warnings for every compiled target of every preset. The root
# CMakeLists.txt applies it to all targets at its end, so that a new target
# cannot miss it; no folder sets warning flags of its own.
option(WARNINGS_AS_ERRORS "Treat compiler warnings as errors (CI sets it)" OFF)

# Beyond the usual: casts that drop const, #if on undefined macros and
# variable-length arrays (stack sizes the Windows 9x programs cannot afford).
set(PROJECT_WARNING_FLAGS -Wall -Wextra -Wshadow -Wformat=2 -Wcast-qual -Wundef -Wvla)
# C casts hide what they convert; a class with virtual functions is deleted
# through its base.
set(PROJECT_CXX_WARNING_FLAGS -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(WARNINGS_AS_ERRORS)
  list(APPEND PROJECT_WARNING_FLAGS -Werror)
endif()

# Only the C and C++ compilers take them: windres compiles the .rc files.
function(project_warnings target)
  target_compile_options(${target} PRIVATE
    "$<$<COMPILE_LANGUAGE:C,CXX>:${PROJECT_WARNING_FLAGS}>"
    "$<$<COMPILE_LANGUAGE:CXX>:${PROJECT_CXX_WARNING_FLAGS}>")
endfunction()

# Every target built from sources in directory and the directories below it;
# interface, custom and imported targets compile nothing.
function(project_warnings_below directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    get_target_property(imported ${target} IMPORTED)
    if(NOT imported AND type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      project_warnings(${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory ${subdirectories})
    project_warnings_below(${subdirectory})
  endforeach()
endfunction()
