# Fuzz targets: one per decoder or file reader, each a source file defining LLVMFuzzerTestOneInput.
#
#   include(${CMAKE_SOURCE_DIR}/tests/fuzz/KalverFuzz.cmake)
#   kalver_add_fuzz_target(<name> SOURCES <files...> LIBS <targets...> SEEDS <dirs...> [DICT <file>])
#
# In the normal build this makes <name>_replay, a program that feeds every file of the seed folders to
# LLVMFuzzerTestOneInput, registered with CTest, so the seeds and every input that once failed (kept in
# a seed folder) are replayed by the test suite.
#
# With KALVER_FUZZ=ON and clang it makes the libFuzzer executable <name> in build*/fuzz/bin/, compiled
# and linked with -fsanitize=fuzzer,address,undefined; the project libraries it links (and theirs, in
# turn) are compiled with -fsanitize=fuzzer-no-link,address,undefined. CTest then runs it once over its
# seeds (-runs=0). scripts/fuzz.sh builds every target and runs each for a given time; it reads the
# seed folders and the dictionary from build*/fuzz/targets/<name>.env.
include_guard(GLOBAL)

set(KALVER_FUZZ_SUPPORT_DIR ${CMAKE_CURRENT_LIST_DIR})
set(KALVER_FUZZ_SANITIZERS address,undefined)

if(KALVER_FUZZ AND NOT TARGET kalver_fuzz_targets)
  add_custom_target(kalver_fuzz_targets)
endif()

# Compiles `target` and the project libraries it links with the fuzzer's coverage instrumentation.
function(_kalver_fuzz_instrument target)
  if(NOT TARGET ${target})
    return()
  endif()
  get_target_property(_aliased ${target} ALIASED_TARGET)
  if(_aliased)
    set(target ${_aliased})
  endif()
  get_target_property(_imported ${target} IMPORTED)
  get_target_property(_type ${target} TYPE)
  if(_imported OR _type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  get_target_property(_done ${target} KALVER_FUZZ_INSTRUMENTED)
  if(_done)
    return()
  endif()
  set_property(TARGET ${target} PROPERTY KALVER_FUZZ_INSTRUMENTED ON)
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,${KALVER_FUZZ_SANITIZERS} -fno-omit-frame-pointer)
  get_target_property(_deps ${target} LINK_LIBRARIES)
  if(_deps)
    foreach(_dep IN LISTS _deps)
      _kalver_fuzz_instrument(${_dep})
    endforeach()
  endif()
endfunction()

function(kalver_add_fuzz_target name)
  cmake_parse_arguments(F "" "DICT" "SOURCES;LIBS;SEEDS" ${ARGN})
  set(_seeds)
  foreach(_dir IN LISTS F_SEEDS)
    get_filename_component(_abs ${_dir} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND _seeds ${_abs})
  endforeach()
  set(_dict)
  if(F_DICT)
    get_filename_component(_dict ${F_DICT} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()

  if(NOT KALVER_FUZZ)
    set(_replay ${name}_replay)
    add_executable(${_replay} ${F_SOURCES} ${KALVER_FUZZ_SUPPORT_DIR}/ReplayMain.cpp)
    set_target_properties(${_replay} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    target_include_directories(${_replay} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${_replay} PRIVATE ${F_LIBS} Qt6::Core kalver_warnings)
    add_test(NAME ${_replay} COMMAND ${_replay} ${_seeds})
    set_tests_properties(${_replay} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
    return()
  endif()

  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "Fuzz target ${name} needs clang; configure with CMAKE_CXX_COMPILER=clang++")
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/bin)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,${KALVER_FUZZ_SANITIZERS} -fno-omit-frame-pointer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,${KALVER_FUZZ_SANITIZERS})
  target_link_libraries(${name} PRIVATE ${F_LIBS} kalver_warnings)
  foreach(_lib IN LISTS F_LIBS)
    _kalver_fuzz_instrument(${_lib})
  endforeach()
  add_dependencies(kalver_fuzz_targets ${name})

  set(_args -runs=0)
  if(_dict)
    list(APPEND _args -dict=${_dict})
  endif()
  add_test(NAME ${name}_seeds COMMAND ${name} ${_args} ${_seeds})
  list(JOIN _seeds " " _seed_words)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz/targets/${name}.env "seeds=\"${_seed_words}\"\ndict=\"${_dict}\"\n")
endfunction()
