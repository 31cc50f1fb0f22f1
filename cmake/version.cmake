# The program's identity, from project() in the top CMakeLists.txt, written
# into two generated files of the build folder:
#   generated/ostrel_version.h  for C++ and the resource scripts
#   generated/version.nsh       for the installer script (packaging/)
# A version of two numbers ("1.2") is shown as it is written; the numeric
# forms that Windows wants (four numbers) fill the missing ones with 0.
set(OSTREL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

set(OSTREL_VERSION ${PROJECT_VERSION})
set(OSTREL_VERSION_NUMBERS)
foreach(part MAJOR MINOR PATCH TWEAK)
  set(number ${PROJECT_VERSION_${part}})
  if("${number}" STREQUAL "")
    set(number 0)
  endif()
  list(APPEND OSTREL_VERSION_NUMBERS ${number})
endforeach()
list(JOIN OSTREL_VERSION_NUMBERS "," OSTREL_VERSION_COMMAS)
list(JOIN OSTREL_VERSION_NUMBERS "." OSTREL_VERSION_DOTS)

set(OSTREL_COMPANY "Lumetra")
set(OSTREL_PRODUCT "Ostrel")
set(OSTREL_DESCRIPTION "Ostrel, editor and librarian for Corvanith MIDI controllers")
set(OSTREL_COPYRIGHT "Copyright (C) 2026 Lumetra")

configure_file(${CMAKE_SOURCE_DIR}/cmake/ostrel_version.h.in
  ${OSTREL_GENERATED_DIR}/ostrel_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.nsh.in
  ${OSTREL_GENERATED_DIR}/version.nsh @ONLY)
