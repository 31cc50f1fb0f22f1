# Windows build: the Win32 layer, the program and its GUI tests.
#
# The Win32 files form an object library, linked straight into each program,
# because the portable core calls the platform seams they implement and a
# static library pair would need its link order repeated.
#
# The file dialogs, the help viewer's launch, a file named on the command line
# and the slow way of drawing a keyed picture need comdlg32, shell32 and
# msimg32; loading them (and what they load) at start costs Wine about 20 ms
# of the start-up. They are linked through delay-load import libraries, made
# here from the short lists of what the program calls (cmake/delayload), so
# each is loaded at its first call instead.
set(OSTREL_DELAYED_LIBS)
foreach(dll comdlg32 shell32 msimg32)
  set(definition ${CMAKE_SOURCE_DIR}/cmake/delayload/${dll}.def)
  set(library ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${definition})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delayload)
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${definition} --output-delaylib ${library}
                    --dllname ${dll}.dll
                  RESULT_VARIABLE made)
  if(NOT made EQUAL 0)
    message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}")
  endif()
  list(APPEND OSTREL_DELAYED_LIBS ${library})
endforeach()
set(OSTREL_WIN32_LIBS comctl32 ${OSTREL_DELAYED_LIBS} delayimp winmm gdi32 user32 ole32 uuid)
set(OSTREL_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/ostrel.rc)
set(OSTREL_WINMAIN ${CMAKE_SOURCE_DIR}/shell/winmain_win32.cpp)
list(REMOVE_ITEM OSTREL_WIN32_SOURCES ${OSTREL_WINMAIN})

add_library(ostrel_win32 OBJECT ${OSTREL_WIN32_SOURCES})
target_link_libraries(ostrel_win32 PUBLIC ostrel_core)
target_compile_definitions(ostrel_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
set(CMAKE_RC_FLAGS
  "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/resources -I${OSTREL_GENERATED_DIR}")
enable_language(RC)
# The resource compiler's includes are not scanned: without these, a changed
# string table, menu, dialog (with its control ids) or picture left the
# programs with the old one.
file(GLOB OSTREL_RESOURCE_INCLUDES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.inc ${CMAKE_SOURCE_DIR}/resources/dialogs.rc
  ${CMAKE_SOURCE_DIR}/resources/icons/* ${CMAKE_SOURCE_DIR}/resources/cursors/*
  ${CMAKE_SOURCE_DIR}/resources/bitmaps/* ${CMAKE_SOURCE_DIR}/resources/images/*)
set_source_files_properties(${OSTREL_RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS
  "${OSTREL_RESOURCE_INCLUDES};${CMAKE_SOURCE_DIR}/shell/dialog_ids.h")

# The program's identity (version resource and manifest) is linked into the
# program and the command-line tool only. windres names none of the files it
# reads, so they are listed here for the rebuild.
set(OSTREL_IDENTITY_SCRIPT ${CMAKE_SOURCE_DIR}/resources/program.rc)
set(OSTREL_CLI_IDENTITY_SCRIPT ${CMAKE_SOURCE_DIR}/resources/cli.rc)
set_source_files_properties(${OSTREL_IDENTITY_SCRIPT} ${OSTREL_CLI_IDENTITY_SCRIPT} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/version_info.rc;${CMAKE_SOURCE_DIR}/resources/Ostrel.exe.manifest;${OSTREL_GENERATED_DIR}/ostrel_version.h")

add_executable(Ostrel WIN32 ${OSTREL_WINMAIN} ${OSTREL_RESOURCE_SCRIPT} ${OSTREL_IDENTITY_SCRIPT}
  $<TARGET_OBJECTS:ostrel_win32>)
target_link_libraries(Ostrel PRIVATE ostrel_core ${OSTREL_WIN32_LIBS})
add_dependencies(Ostrel ostrel_data)
if(TARGET ostrel-cli)
  target_sources(ostrel-cli PRIVATE ${OSTREL_CLI_IDENTITY_SCRIPT})
endif()

# GoogleTest cross-built by the setup script.
add_library(ostrel_gtest INTERFACE)
target_include_directories(ostrel_gtest INTERFACE ${OSTREL_MINGW_PREFIX}/include)
target_link_libraries(ostrel_gtest INTERFACE
  ${OSTREL_MINGW_PREFIX}/lib/libgmock.a ${OSTREL_MINGW_PREFIX}/lib/libgtest.a)

file(GLOB OSTREL_GUI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/gui/*.cpp)
if(OSTREL_GUI_TEST_SOURCES)
  include(GoogleTest)
  add_executable(ostrel_gui_tests ${OSTREL_GUI_TEST_SOURCES} ${OSTREL_RESOURCE_SCRIPT}
    $<TARGET_OBJECTS:ostrel_win32>)
  target_link_libraries(ostrel_gui_tests PRIVATE ostrel_core ostrel_gtest ${OSTREL_WIN32_LIBS}
    version)
  # The program's version as CMake has it, to compare with what the program
  # and its version resource say; the tests read Ostrel.exe beside them.
  target_compile_definitions(ostrel_gui_tests PRIVATE OSTREL_PROJECT_VERSION="${PROJECT_VERSION}")
  add_dependencies(ostrel_gui_tests ostrel_data Ostrel)
  set_target_properties(ostrel_gui_tests PROPERTIES
    CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
  gtest_discover_tests(ostrel_gui_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# The main window's paint timed under Wine (make bench-win), built only when
# the setup script managed to cross-build Google Benchmark. Not a test.
if(EXISTS ${OSTREL_MINGW_PREFIX}/lib/libbenchmark.a)
  add_executable(ostrel_paint_bench ${CMAKE_SOURCE_DIR}/bench/paint_bench_win32.cpp
    ${CMAKE_SOURCE_DIR}/tests/gui/gui_harness.cpp ${CMAKE_SOURCE_DIR}/tests/gui/gui_steps.cpp
    ${OSTREL_RESOURCE_SCRIPT}
    $<TARGET_OBJECTS:ostrel_win32>)
  target_include_directories(ostrel_paint_bench PRIVATE ${OSTREL_MINGW_PREFIX}/include)
  target_compile_definitions(ostrel_paint_bench PRIVATE BENCHMARK_STATIC_DEFINE)
  target_link_libraries(ostrel_paint_bench PRIVATE ostrel_core
    ${OSTREL_MINGW_PREFIX}/lib/libbenchmark.a shlwapi ${OSTREL_WIN32_LIBS})
  add_dependencies(ostrel_paint_bench ostrel_data)
  # The program's start-up timed from outside, against a bare program that
  # opens one window.
  add_executable(ostrel_bare_window WIN32 ${CMAKE_SOURCE_DIR}/bench/bare_window_win32.cpp)
  add_executable(ostrel_startup_bench ${CMAKE_SOURCE_DIR}/bench/startup_bench_win32.cpp)
  target_include_directories(ostrel_startup_bench PRIVATE ${CMAKE_SOURCE_DIR}
    ${OSTREL_MINGW_PREFIX}/include)
  target_compile_definitions(ostrel_startup_bench PRIVATE BENCHMARK_STATIC_DEFINE)
  target_link_libraries(ostrel_startup_bench PRIVATE ${OSTREL_MINGW_PREFIX}/lib/libbenchmark.a
    shlwapi)
  add_dependencies(ostrel_startup_bench Ostrel ostrel_bare_window ostrel_data)
else()
  message(STATUS "Google Benchmark not cross-built: ostrel_paint_bench left out")
endif()

# The hand of the installer test (scripts/dist-test.sh), which drives the
# installed program under Wine. Not a GUI test: it never links the program.
add_executable(ostrel_dist_driver ${CMAKE_SOURCE_DIR}/tests/dist/dist_driver_win32.cpp)
target_include_directories(ostrel_dist_driver PRIVATE ${CMAKE_SOURCE_DIR})
