# Precompiled Qt headers: one precompiled header (PrecompiledQt.h) built once per build folder and reused
# by every C++ target of the project, which roughly halves the compile time of a file that includes Qt
# Widgets. Every target of a build has the same compiler options (the sanitizer flags are global), so the
# one header is valid for all; -Winvalid-pch with -Werror would stop the build if one were not.
#
#   kalver_precompile_qt()   after every add_subdirectory: makes kalver_pch and points every target at it
#
# Off in the fuzzing build, whose targets are instrumented differently (KALVER_PCH=OFF turns it off).
include_guard(GLOBAL)

function(_kalver_collect_targets dir result)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_sub IN LISTS _subdirs)
    _kalver_collect_targets(${_sub} _more)
    list(APPEND _targets ${_more})
  endforeach()
  set(${result} ${_targets} PARENT_SCOPE)
endfunction()

function(kalver_precompile_qt)
  add_library(kalver_pch STATIC ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PrecompiledHeaders.cpp)
  # GCC takes a precompiled header only where every macro defined when it was made is defined alike:
  # it is made with Qt Core's definitions (every target links Qt Core) and only the include folders of
  # the other modules, not their QT_<MODULE>_LIB definitions, which differ from target to target.
  target_link_libraries(kalver_pch PRIVATE Qt6::Core kalver_warnings)
  target_include_directories(kalver_pch SYSTEM PRIVATE
    $<TARGET_PROPERTY:Qt6::Widgets,INTERFACE_INCLUDE_DIRECTORIES>
    $<TARGET_PROPERTY:Qt6::Network,INTERFACE_INCLUDE_DIRECTORIES>)
  target_precompile_headers(kalver_pch PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PrecompiledQt.h)
  _kalver_collect_targets(${CMAKE_SOURCE_DIR} _all)
  foreach(_target IN LISTS _all)
    get_target_property(_type ${_target} TYPE)
    if(_target STREQUAL "kalver_pch" OR NOT _type MATCHES "^(STATIC_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$")
      continue()
    endif()
    target_precompile_headers(${_target} REUSE_FROM kalver_pch)
  endforeach()
endfunction()
