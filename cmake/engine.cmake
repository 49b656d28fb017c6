# Cross build of the engine, its Windows-side tools and the unit tests.
enable_language(RC)

set(YELTO_OUT_DIR "${CMAKE_BINARY_DIR}" CACHE PATH "where the executables go")
set(YELTO_RES_DIR "" CACHE PATH "generated resources (colour cube, icon, cursor)")

# -mfpmath=387 keeps all floating point on the x87 unit, though the Pentium 4
# has SSE2: the engine's numbers are the x87's. Start-up sets its precision
# control to a 64-bit mantissa (SetFloatingPointControl), operations run in
# that extended precision and a result is rounded to a double only where the
# language stores it (StoreDouble, an fstp); SSE2 code would round every
# operation to a double and change results.
set(ENGINE_FLAGS -fno-exceptions -fno-rtti -march=pentium4 -mfpmath=387 -Wall -Wextra
    -Wno-unused-parameter -Wno-missing-field-initializers)
# A 32 MB stack: the compiler and the interpreter recurse once per item level
# (up to MaxItemDepth, 1024) and user function bodies nest up to
# CallDepthLimit (200) deep, each running its own tree; 200 nested calls each
# 1000 levels deep in one-operand sums take about 10 MB of stack, and other
# elements can take larger frames.
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

# A program linked statically like the engine, into YELTO_OUT_DIR:
#   yelto_program(NAME [WIN32] [ENGINE] [BENCH] [KEEP_SYMBOLS] [OUTPUT_DIR DIR]
#                 [DEFINES D...] SOURCES FILE...)
# WIN32: a GUI program. ENGINE: linked with the engine's library, whose
# compile flags it takes. BENCH: left out of all; a bench/ script builds it
# by name. KEEP_SYMBOLS: not stripped. OUTPUT_DIR: a folder below
# YELTO_OUT_DIR instead.
function(yelto_program name)
  cmake_parse_arguments(P "WIN32;ENGINE;BENCH;KEEP_SYMBOLS" "OUTPUT_DIR" "DEFINES;SOURCES" ${ARGN})
  set(kind "")
  if(P_WIN32)
    list(APPEND kind WIN32)
  endif()
  if(P_BENCH)
    list(APPEND kind EXCLUDE_FROM_ALL)
  endif()
  add_executable(${name} ${kind} ${P_SOURCES})
  if(P_DEFINES)
    target_compile_definitions(${name} PRIVATE ${P_DEFINES})
  endif()
  if(P_ENGINE)
    target_link_libraries(${name} PRIVATE yeltocore)
  endif()
  set(link ${ENGINE_LINK})
  if(P_KEEP_SYMBOLS)
    list(REMOVE_ITEM link -s)
  endif()
  target_link_options(${name} PRIVATE ${link})
  set(out ${YELTO_OUT_DIR})
  if(P_OUTPUT_DIR)
    set(out ${YELTO_OUT_DIR}/${P_OUTPUT_DIR})
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${out})
endfunction()

set(MAIN ${CMAKE_SOURCE_DIR}/src/startup/main.cpp)
set(ENGINE_RC ${CMAKE_BINARY_DIR}/yelto.rc)
yelto_program(yelto WIN32 ENGINE SOURCES ${MAIN} ${ENGINE_RC})
# A build without the colour-cube resource, for the start-up failure path.
yelto_program(yelto_noloader WIN32 ENGINE SOURCES ${MAIN} ${CMAKE_BINARY_DIR}/noloader.rc)

# For the benchmark scripts only. bench/run.sh: the engine without the loops'
# look at the queue, and its twin with the look, linked alike so that the two
# differ in the look alone (their loop code replaces the library's, which is
# then not linked).
set(LOOP_SOURCE ${CMAKE_SOURCE_DIR}/src/exec/control_flow.cpp)
yelto_program(yelto_nopoll WIN32 ENGINE BENCH DEFINES YELTO_NO_LOOP_POLL
              SOURCES ${MAIN} ${LOOP_SOURCE} ${ENGINE_RC})
yelto_program(yelto_poll WIN32 ENGINE BENCH SOURCES ${MAIN} ${LOOP_SOURCE} ${ENGINE_RC})
# bench/profile.sh: the engine with its symbols kept.
yelto_program(yelto_symbols WIN32 ENGINE BENCH KEEP_SYMBOLS SOURCES ${MAIN} ${ENGINE_RC})
# bench/texts.sh, bench/display.sh, bench/drawing.sh and bench/mixer.sh.
yelto_program(bench_text_readback ENGINE BENCH SOURCES ${CMAKE_SOURCE_DIR}/bench/texts/text_readback.cpp)
yelto_program(display_bench ENGINE BENCH SOURCES ${CMAKE_SOURCE_DIR}/bench/display_bench.cpp ${ENGINE_RC})
yelto_program(drawing_bench ENGINE BENCH SOURCES ${CMAKE_SOURCE_DIR}/bench/drawing_bench.cpp ${ENGINE_RC})
yelto_program(bench_mixer ENGINE BENCH SOURCES ${CMAKE_SOURCE_DIR}/bench/mixer_bench.cpp)
# bench/data_files.sh: a plain C++ loop, without the engine or its flags.
yelto_program(bench_file_loop BENCH OUTPUT_DIR tools SOURCES ${CMAKE_SOURCE_DIR}/bench/files/file_loop.cpp)

# The Windows programs among the tools, one a source in tools/win32: the
# launcher and the window probe (the host tools are built by host.cmake).
file(GLOB WIN32_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/win32/*.cpp)
foreach(src ${WIN32_TOOL_SOURCES})
  get_filename_component(tool ${src} NAME_WE)
  yelto_program(${tool} OUTPUT_DIR tools SOURCES ${src})
  target_compile_options(${tool} PRIVATE ${ENGINE_FLAGS})
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
yelto_program(yelto_tests ENGINE SOURCES ${UNIT_SOURCES} ${UNIT_TOOL_SOURCES} ${ENGINE_RC})
# tests/common holds the fixtures the unit, host and end-to-end tests share.
target_include_directories(yelto_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/tests/common)
target_link_libraries(yelto_tests PRIVATE gtest_cross)
