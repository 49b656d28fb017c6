// The bundled program: counts the primes below 200 with a sieve held in a
// local list of logic values, and returns the count as its exit code.
#include "lib/bundled_program.h"
#include "lib/program_asm.h"

const char* const BundledProgramSource = R"(
global
  main: function "Primes" -> main_def
  primes: function -> primes_def
local
  main_def: function -> main_body
  primes_def: function -> primes_body
    iparam
      limit: real = 0
    oparam
      count: real = 0
    sieve: list
      list_size 200
      at: list_index = 0
      composite: logic = false
    n: real = 2
    k: real = 0
program
  main_body: function
    return_code
      @primes
        @limit
          num 200
  primes_body: function
    while
      while_cond
        #34                   ; n < limit
          @n
          @limit
      while_body
        @at
          @n
        if
          if_cond
            not
              @composite
          then
            @count
              inc
                @count
            @k                ; cross out n * n, n * n + n, ...
              sqr
                @n
            while
              while_cond
                #34
                  @k
                  @limit
              while_body
                @at
                  @k
                @composite
                  true
                @k
                  #39
                    @k
                    @n
        @n
          inc
            @n
)";

bool BundledImage(std::vector<uint8_t>& image, std::string& error) {
  return AssembleImage(BundledProgramSource, image, error);
}
