// Programs whose computed result is their return code, with the code
// expected: run in-process by the unit tests and under Wine end to end.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// sum(n) calls itself: 1 + 2 + ... + n.
const char* const RecursiveSum = R"(
global
  main: function -> main_def
  sum: function -> sum_def
local
  main_def: function -> main_body
  sum_def: function -> sum_body
    iparam
      n: real = 0
    oparam
      s: real = 0
program
  main_body: function
    return_code
      @sum
        @n
          num 100
  sum_body: function
    if
      if_cond
        >
          @n
          0
      then
        @s
          +
            @n
            @sum
              @n
                dec
                  @n
)";

// Ten squares written through the auto step, then summed by reading the
// list round once more: 0 + 1 + 4 + ... + 81.
const char* const ListOfSquares = R"(
global
  main: function -> main_def
  squares: list
    list_size 10
    list_auto = 1
    at: list_index = 0
    sq: real = 0
  i: real = 0
  total: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    repeat
      repeat_num
        num 10
      while_body
        @sq
          sqr
            @i
        @i
          inc
            @i
    repeat
      repeat_num
        num 10
      while_body
        @total
          +
            @total
            @sq
    return_code
      @total
)";

// Bits of a code from comparisons: a NaN equals 5 (1), neighbours differ in
// 1, 2, 1 (2), and stops before f, which would add 64 (not 4), b sorts after
// a (8), 3 < 3 fails (not 16).
const char* const Comparisons = R"(
global
  main: function -> main_def
  f: function -> f_def
  code: real = 0
  nan: real = nan
local
  main_def: function -> main_body
  f_def: function -> f_body
    oparam
      r: logic = true
program
  main_body: function
    if
      if_cond
        =
          @nan
          5
      then
        @code
          +
            @code
            1
    if
      if_cond
        <>
          1
          2
          1
      then
        @code
          +
            @code
            2
    if
      if_cond
        and
          false
          @f
      then
        @code
          +
            @code
            4
    if
      if_cond
        text_greater
          text_const "b"
          text_const "a"
      then
        @code
          +
            @code
            8
    if
      if_cond
        <
          3
          3
      then
        @code
          +
            @code
            num 16
    return_code
      @code
  f_body: function
    @code
      +
        @code
        num 64
)";

inline std::string ReturnCodeProgram(const std::string& value) {
  return std::string(R"(
global
  main: function -> main_def
local
  main_def: function -> main_body
program
  main_body: function
    return_code
      )") + value + "\n";
}

struct ResultProgram {
  const char* Name;
  std::string Source;
  uint32_t Expected;
};

inline std::vector<ResultProgram> ResultPrograms() {
  return {
      {"recursive sum", RecursiveSum, 5050},
      {"list of squares", ListOfSquares, 285},
      {"comparisons", Comparisons, 11},
      {"factorial of 12", ReturnCodeProgram("factorial\n        num 12"), 479001600},
      {"above the range", ReturnCodeProgram("num 1e12"), 4294967295u},
      {"negative", ReturnCodeProgram("num -3"), 0},
      {"rounded", ReturnCodeProgram("num 3999999999.5"), 4000000000u},
  };
}
