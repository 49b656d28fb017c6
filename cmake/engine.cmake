# Cross build of the engine, its Windows-side tools and the unit tests.
enable_language(RC)

set(YELTO_OUT_DIR "${CMAKE_BINARY_DIR}" CACHE PATH "where the executables go")
set(YELTO_RES_DIR "" CACHE PATH "generated resources (colour cube, icon, cursor)")

set(ENGINE_FLAGS -fno-exceptions -fno-rtti -march=pentium4 -mfpmath=387 -Wall -Wextra
    -Wno-unused-parameter -Wno-missing-field-initializers)
set(ENGINE_LINK -static -static-libgcc -static-libstdc++ -Wl,--stack,33554432 -s)
# The status bar's function is imported from the common controls by ordinal,
# through an import library of its own, linked before the system's.
set(ORDINAL_LIB ${CMAKE_BINARY_DIR}/libcomctl32_ordinals.a)
add_custom_command(OUTPUT ${ORDINAL_LIB}
  COMMAND ${CMAKE_DLLTOOL} -k -d ${CMAKE_SOURCE_DIR}/res/comctl32_ordinals.def -l ${ORDINAL_LIB}
  DEPENDS ${CMAKE_SOURCE_DIR}/res/comctl32_ordinals.def)
add_custom_target(ordinal_imports DEPENDS ${ORDINAL_LIB})
set(ENGINE_LIBS gdi32 user32 winmm msacm32 comdlg32 ${ORDINAL_LIB} comctl32 advapi32 shell32)

file(GLOB_RECURSE CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER CORE_SOURCES EXCLUDE REGEX "/src/startup/main\\.cpp$")

add_library(yeltocore STATIC ${CORE_SOURCES})
target_include_directories(yeltocore PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(yeltocore PUBLIC ${ENGINE_FLAGS})
target_link_libraries(yeltocore PUBLIC ${ENGINE_LIBS})
add_dependencies(yeltocore ordinal_imports)

# The resource scripts name generated files by absolute path.
configure_file(${CMAKE_SOURCE_DIR}/res/yelto.rc.in ${CMAKE_BINARY_DIR}/yelto.rc @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/noloader.rc.in ${CMAKE_BINARY_DIR}/noloader.rc @ONLY)

function(yelto_executable name rc)
  add_executable(${name} WIN32 ${CMAKE_SOURCE_DIR}/src/startup/main.cpp ${rc})
  target_link_libraries(${name} PRIVATE yeltocore)
  target_link_options(${name} PRIVATE ${ENGINE_LINK})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})
endfunction()

yelto_executable(yelto ${CMAKE_BINARY_DIR}/yelto.rc)
# A build without the colour-cube resource, for the start-up failure path.
yelto_executable(yelto_noloader ${CMAKE_BINARY_DIR}/noloader.rc)

# For the benchmark only (bench/run.sh builds them; not part of all): the
# engine without the loops' look at the queue, and its twin with the look,
# linked alike so that the two differ in the look alone. Their loop code
# replaces the library's, which is then not linked.
function(bench_engine name)
  add_executable(${name} WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/src/startup/main.cpp
                 ${CMAKE_SOURCE_DIR}/src/exec/control_flow.cpp ${CMAKE_BINARY_DIR}/yelto.rc)
  if(ARGN)
    target_compile_definitions(${name} PRIVATE ${ARGN})
  endif()
  target_link_libraries(${name} PRIVATE yeltocore)
  target_link_options(${name} PRIVATE ${ENGINE_LINK})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})
endfunction()
bench_engine(yelto_nopoll YELTO_NO_LOOP_POLL)
bench_engine(yelto_poll)
# The engine with its symbols kept, for bench/profile.sh (not part of all).
add_executable(yelto_symbols WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/src/startup/main.cpp
               ${CMAKE_BINARY_DIR}/yelto.rc)
target_link_libraries(yelto_symbols PRIVATE yeltocore)
set(SYMBOLS_LINK ${ENGINE_LINK})
list(REMOVE_ITEM SYMBOLS_LINK -s)
target_link_options(yelto_symbols PRIVATE ${SYMBOLS_LINK})
set_target_properties(yelto_symbols PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})
# The text read-back benchmark (bench/texts.sh builds it; not part of all).
add_executable(bench_text_readback EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/texts/text_readback.cpp)
target_link_libraries(bench_text_readback PRIVATE yeltocore)
target_link_options(bench_text_readback PRIVATE ${ENGINE_LINK})
set_target_properties(bench_text_readback PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})

# The data-file benchmark's C++ loop (bench/data_files.sh builds it; not part of all).
add_executable(bench_file_loop EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/files/file_loop.cpp)
target_link_options(bench_file_loop PRIVATE ${ENGINE_LINK})
set_target_properties(bench_file_loop PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR}/tools)

# The display benchmark (bench/display.sh builds it; not part of all).
add_executable(display_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/display_bench.cpp ${CMAKE_BINARY_DIR}/yelto.rc)
target_link_libraries(display_bench PRIVATE yeltocore)
target_link_options(display_bench PRIVATE ${ENGINE_LINK})
set_target_properties(display_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})

# The drawing benchmark (bench/drawing.sh builds it; not part of all).
add_executable(drawing_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/drawing_bench.cpp ${CMAKE_BINARY_DIR}/yelto.rc)
target_link_libraries(drawing_bench PRIVATE yeltocore)
target_link_options(drawing_bench PRIVATE ${ENGINE_LINK})
set_target_properties(drawing_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})

# Windows-side tools: the launcher and the window probe.
foreach(tool yltrun yltwin)
  add_executable(${tool} ${CMAKE_SOURCE_DIR}/tools/${tool}.cpp)
  target_compile_options(${tool} PRIVATE ${ENGINE_FLAGS})
  target_link_options(${tool} PRIVATE ${ENGINE_LINK})
  set_target_properties(${tool} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR}/tools)
endforeach()

# GoogleTest, cross-built from Debian's sources without exceptions or RTTI.
add_library(gtest_cross STATIC ${GTEST_SRC}/googletest/src/gtest-all.cc)
target_include_directories(gtest_cross PUBLIC ${GTEST_SRC}/googletest/include
                           PRIVATE ${GTEST_SRC}/googletest)
target_compile_definitions(gtest_cross PUBLIC GTEST_HAS_EXCEPTIONS=0 GTEST_HAS_RTTI=0)
target_compile_options(gtest_cross PUBLIC -fno-exceptions -fno-rtti)

file(GLOB UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
# The test-program assembler is linked in too, so unit tests build images in-process.
set(UNIT_TOOL_SOURCES ${CMAKE_SOURCE_DIR}/tools/lib/image_writer.cpp
    ${CMAKE_SOURCE_DIR}/tools/lib/program_asm.cpp
    ${CMAKE_SOURCE_DIR}/tools/lib/bundled_program.cpp)
add_executable(yelto_tests ${UNIT_SOURCES} ${UNIT_TOOL_SOURCES} ${CMAKE_BINARY_DIR}/yelto.rc)
# tests/common holds the fixtures the unit, host and end-to-end tests share.
target_include_directories(yelto_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/tests/common)
target_link_libraries(yelto_tests PRIVATE yeltocore gtest_cross)
target_link_options(yelto_tests PRIVATE ${ENGINE_LINK})
set_target_properties(yelto_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})

# The mixer's benchmark (bench/mixer.sh builds and runs it; not part of all).
add_executable(bench_mixer EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/mixer_bench.cpp)
target_link_libraries(bench_mixer PRIVATE yeltocore)
target_link_options(bench_mixer PRIVATE ${ENGINE_LINK})
set_target_properties(bench_mixer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${YELTO_OUT_DIR})
