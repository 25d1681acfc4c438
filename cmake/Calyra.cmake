# Helpers that keep the per-folder CMakeLists short: every module is a static library made of the
# .cpp files of one folder, every test binary of the .cpp files of one test folder.
set(CALYRA_WARNINGS -Wall -Wextra -Wpedantic -Werror)

# calyra_module(<target> <folder> [<more folders>...] [SHARED] [DEPS <targets>...])
# SHARED makes a shared library whose symbols are all visible: the emulated platform is one copy per
# process, shared by the host program and the component library, as the handheld's system libraries are.
function(calyra_module target folder)
  cmake_parse_arguments(ARG "SHARED" "" "DEPS" ${ARGN})
  set(sources)
  foreach(dir ${folder} ${ARG_UNPARSED_ARGUMENTS})
    file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${dir_sources})
  endforeach()
  if(NOT sources)
    return()  # a module whose folder has no sources yet
  endif()
  if(ARG_SHARED)
    add_library(${target} SHARED ${sources})
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET default VISIBILITY_INLINES_HIDDEN OFF)
  else()
    add_library(${target} STATIC ${sources})
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
  target_compile_options(${target} PRIVATE ${CALYRA_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# calyra_test(<target> <folder> [DEPS <targets>...]): one gtest binary; each test case is a CTest test.
function(calyra_test target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${CALYRA_WARNINGS})
  target_link_libraries(${target} PRIVATE calyra_test_support ${ARG_DEPS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 300)
endfunction()

# calyra_helper(<target> <test target> <sources> [DEPS ...]): a program that a test starts as another
# OS process, built beside the test binary and with it.
function(calyra_helper target test_target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${target} ${ARG_UNPARSED_ARGUMENTS})
  target_compile_options(${target} PRIVATE ${CALYRA_WARNINGS})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS})
  add_dependencies(${test_target} ${target})
endfunction()

# calyra_library_beside(<program target> <library target>): a copy of a run-time library beside the
# program, where LoadLibraryW looks first, as on the device where both live in one folder.
function(calyra_library_beside program library)
  get_target_property(folder ${program} BINARY_DIR)
  set(copy ${folder}/lib${library}.so)
  add_custom_command(OUTPUT ${copy} COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${library}> ${copy}
                     DEPENDS ${library})
  add_custom_target(${program}_${library} DEPENDS ${copy})
  add_dependencies(${program} ${program}_${library})
endfunction()
