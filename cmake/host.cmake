# Native part of the build: host tools, resources, the cross sub-build, tests.
include(ExternalProject)

set(TOOLS_DIR ${CMAKE_BINARY_DIR}/tools)
set(RES_DIR ${CMAKE_BINARY_DIR}/res)
set(HOST_FLAGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

# Sources shared by the engine and the host tools: plain computation, no Windows.
set(SHARED_SOURCES "")
foreach(f image/element_ids values/palette_rule values/lz_decode values/pixel_code)
  if(EXISTS ${CMAKE_SOURCE_DIR}/src/${f}.cpp)
    list(APPEND SHARED_SOURCES ${CMAKE_SOURCE_DIR}/src/${f}.cpp)
  endif()
endforeach()
# The host tools' library: those shared sources and tools/lib (image writer,
# encoders).
file(GLOB TOOL_LIB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/lib/*.cpp)
add_library(yltlib STATIC ${SHARED_SOURCES} ${TOOL_LIB_SOURCES})
target_include_directories(yltlib PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools)
target_compile_options(yltlib PUBLIC ${HOST_FLAGS})

function(host_tool name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE yltlib)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TOOLS_DIR})
endfunction()

# Every tools/*.cpp is a host tool; the Windows programs among the tools are
# in tools/win32, built by the cross build (engine.cmake).
file(GLOB TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
foreach(src ${TOOL_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  host_tool(${name} ${src})
endforeach()

add_custom_command(
  OUTPUT ${RES_DIR}/cube.bin ${RES_DIR}/yelto.ico ${RES_DIR}/arrow.cur ${RES_DIR}/input.dlg
  COMMAND ${CMAKE_COMMAND} -E make_directory ${RES_DIR}
  COMMAND yltres ${RES_DIR}
  DEPENDS yltres
  COMMENT "Generating the colour cube, icon, cursor and input dialog")
add_custom_target(resources DEPENDS ${RES_DIR}/cube.bin)

ExternalProject_Add(win32
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/win32
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DYELTO_OUT_DIR=${CMAKE_BINARY_DIR}
    -DYELTO_RES_DIR=${RES_DIR}
    -DGTEST_SRC=${GTEST_SRC}
  BUILD_ALWAYS 1
  INSTALL_COMMAND ""
  DEPENDS resources)

# The bundled program, bound into the engine.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/programs/bundled.ylt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/programs
  COMMAND yltimg ${CMAKE_BINARY_DIR}/programs/bundled.ylt
  DEPENDS yltimg)
add_custom_target(bundled ALL
  COMMAND yltbind ${CMAKE_BINARY_DIR}/yelto.exe ${CMAKE_BINARY_DIR}/programs/bundled.ylt
          ${CMAKE_BINARY_DIR}/bundled.exe
  DEPENDS win32 yltbind ${CMAKE_BINARY_DIR}/programs/bundled.ylt
  BYPRODUCTS ${CMAKE_BINARY_DIR}/bundled.exe)

# Native GoogleTest for the host-side and end-to-end tests.
add_library(gtest_host STATIC ${GTEST_SRC}/googletest/src/gtest-all.cc
            ${GTEST_SRC}/googletest/src/gtest_main.cc)
target_include_directories(gtest_host PUBLIC ${GTEST_SRC}/googletest/include
                           PRIVATE ${GTEST_SRC}/googletest)
find_package(Threads REQUIRED)
target_link_libraries(gtest_host PUBLIC Threads::Threads)

file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE yltlib gtest_host)
target_include_directories(host_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
target_compile_definitions(host_tests PRIVATE YELTO_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(host_tests win32)

file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(e2e_tests ${E2E_SOURCES})
target_link_libraries(e2e_tests PRIVATE yltlib gtest_host)
target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
target_compile_definitions(e2e_tests PRIVATE
  YELTO_BUILD_DIR="${CMAKE_BINARY_DIR}" YELTO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_dependencies(e2e_tests win32 yltbind)

file(GLOB UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
include(cmake/tests.cmake)

# The benchmark's native loops (bench/run.sh builds it; not part of all).
add_executable(bench_native EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/native_loops.cpp)
target_compile_options(bench_native PRIVATE -O2 ${HOST_FLAGS})
set_target_properties(bench_native PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TOOLS_DIR})
