# lumo_library(NAME SOURCES ... [DEPS ...])
# One library per source folder; the folder's parent of the repository root
# is the include root, so headers are included as "core/CommandLine.h" or
# "apps/lumo/model/PumpkinModel.h".
function(lumo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# lumo_test(NAME SOURCES ... [DEPS ...] [QT [PLATFORM qpa-spec]] [SERIAL] [LAUNCHER command ...])
# A GoogleTest program whose cases CTest lists one by one. QT tests run on
# the offscreen platform (or the given QT_QPA_PLATFORM value) with settings and
# recovery copies in private folders. SERIAL tests measure time and run while
# no other test does. The cases of the programs in LUMO_THREAD_TESTS carry the
# label "threads". A LAUNCHER command runs the program (a private X server).
function(lumo_test name)
  cmake_parse_arguments(ARG "QT;SERIAL" "PLATFORM" "SOURCES;DEPS;LAUNCHER" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(env ${LUMO_TEST_ENV})
  if(ARG_QT)
    if(NOT ARG_PLATFORM)
      set(ARG_PLATFORM offscreen)
    endif()
    list(APPEND env QT_QPA_PLATFORM=${ARG_PLATFORM} XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config
         XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state)
  endif()
  if(env)
    # Through a launcher, because a list given as the ENVIRONMENT property of
    # discovered tests keeps only its first variable.
    set(launcher ${CMAKE_COMMAND} -E env ${env} ${ARG_LAUNCHER})
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  endif()
  set(properties TIMEOUT 300)
  if(ARG_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  if(name IN_LIST LUMO_THREAD_TESTS)
    list(APPEND properties LABELS threads)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${properties})
endfunction()
