# Native build: unit tests, benchmarks and fuzzers of the portable core.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE OSTREL_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
# GUI and installer tests are built for Windows; the kill soak is a program of its own.
list(FILTER OSTREL_TEST_SOURCES EXCLUDE REGEX "/tests/(gui|dist|soak)/")
# The fuzz and benchmark builds never run the unit tests, so they do not build them.
if(OSTREL_TEST_SOURCES AND NOT OSTREL_FUZZ AND NOT OSTREL_BENCH)
  add_executable(ostrel_tests ${OSTREL_TEST_SOURCES} $<TARGET_OBJECTS:ostrel_headless>)
  target_link_libraries(ostrel_tests PRIVATE ostrel_core GTest::gtest GTest::gmock GTest::gtest_main)
  # Only the tests that read the checkout's data get its path compiled in:
  # every other file then compiles the same in any clone, and ccache shares it.
  set(data_readers)
  foreach(source ${OSTREL_TEST_SOURCES})
    file(STRINGS ${source} uses REGEX "OSTREL_SOURCE_DIR" LIMIT_COUNT 1)
    if(uses)
      list(APPEND data_readers ${source})
    endif()
  endforeach()
  set_property(SOURCE ${data_readers} APPEND PROPERTY
    COMPILE_DEFINITIONS OSTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # The tests' own files are built with ASan but without UBSan, at -O1: the
  # program's code they call keeps both sanitizers (ostrel_core and the
  # headless layer), and UBSan's checks of the expanded test macros, with -O2,
  # made a test file compile in 20 s instead of 7, most of a fresh build.
  if(OSTREL_SANITIZE)
    set_property(SOURCE ${OSTREL_TEST_SOURCES} APPEND PROPERTY
      COMPILE_OPTIONS -fno-sanitize=undefined -O1)
  endif()
  gtest_discover_tests(ostrel_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "OSTREL_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endif()

# The kill test of the bank save (make soak): outside ctest, since it runs on the real clock.
if(NOT OSTREL_FUZZ AND NOT OSTREL_BENCH)
  add_executable(ostrel_kill_soak tests/soak/kill_soak.cpp tests/midi/transfer_test_support.cpp
    $<TARGET_OBJECTS:ostrel_headless>)
  target_link_libraries(ostrel_kill_soak PRIVATE ostrel_core)
endif()

# The fault-injection campaign of the device exchange (make campaign).
if(NOT OSTREL_FUZZ AND NOT OSTREL_BENCH)
  add_executable(exchange_campaign ${CMAKE_SOURCE_DIR}/tools/exchange_campaign.cpp
    $<TARGET_OBJECTS:ostrel_headless>)
  target_link_libraries(exchange_campaign PRIVATE ostrel_core)
endif()

# The undo property run for a million steps, on demand (make soak-undo).
add_executable(undo_soak EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/soak/undo_soak.cpp
  ${CMAKE_SOURCE_DIR}/tests/banks/undo_property.cpp $<TARGET_OBJECTS:ostrel_headless>)
target_link_libraries(undo_soak PRIVATE ostrel_core GTest::gtest)

if(OSTREL_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  list(FILTER bench_sources EXCLUDE REGEX "_win32\\.cpp$")  # Windows build, under Wine
  foreach(source ${bench_sources})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source} $<TARGET_OBJECTS:ostrel_headless>)
    target_link_libraries(${name} PRIVATE ostrel_core benchmark::benchmark benchmark::benchmark_main)
    target_compile_definitions(${name} PRIVATE OSTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  endforeach()
endif()

if(OSTREL_FUZZ)
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
  foreach(source ${fuzz_sources})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source} $<TARGET_OBJECTS:ostrel_headless>)
    target_link_libraries(${name} PRIVATE ostrel_core)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()

# libplist's XML reader is the yardstick for ours in the property-list benchmark; it is linked
# into that benchmark only, and the benchmark runs without the comparison when it is missing.
if(OSTREL_BENCH AND TARGET plist_bench)
  find_package(PkgConfig)
  if(PkgConfig_FOUND)
    pkg_check_modules(LIBPLIST IMPORTED_TARGET libplist-2.0)
  endif()
  if(LIBPLIST_FOUND)
    target_link_libraries(plist_bench PRIVATE PkgConfig::LIBPLIST)
    target_compile_definitions(plist_bench PRIVATE OSTREL_HAVE_LIBPLIST=1)
  endif()
endif()
