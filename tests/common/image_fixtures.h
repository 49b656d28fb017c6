// Test programs shared by the host, unit and end-to-end tests: the smallest
// valid program, one that fills every table the loader reads, and seeded
// random damage of an image for the robustness tests.
#pragma once
#include <stdint.h>
#include <string.h>
#include <vector>

// A main function with an empty body, as MinimalImage writes it.
const char* const MainProgram = R"(
global
  function -> main
local
  main: function -> body
program
  body: function
)";

const char* const FullProgram = R"(
languages 9 5
key o=200 w=40
picture ball fill=3
  |.oo.
  |oooo
picture wall fill=40
map level w=4 h=3 icon=wall
  cell 1 1 icon=ball param=0x801
  cell 3 2 icon=9
background sky w=40 h=20 fill=7
  |..oo..
sprite hero phases=2 directions=2 rest=1 w=8 h=8
  frame fill=9
    |.oo.
sound beep rate=11025 bits=8
  tone 440 0.01
sound packed format=2 channels=1 bits=4 rate=11025
  bytes 0200 0100 112b0000 112b0000 0100 0400 0200 f407 0011 2233
music tune
  notes 60 64 67
texts "Caption" {9:"en" 5:"cz"}
numbers 1 2 3
logics true false
global
  main: function "Title" -> main_def
  score: real = 7
  items: list
    list_size 3
    list_index = 1
    list_auto = 1
    item: real = 2
    word: text = "w"
  hero_var: sprite = hero
    sprite_x
    sprite_y
  name: text = {9:"Bob" 5:"Bohous"}
  pic: background = sky
  flag: logic = true
  tile: picture = ball icon=ball
  world: map = level
  noise: sound = beep
  song: music = tune
  helper: function -> helper_def
local
  main_def: function -> body
    iparam
      a: real = 1
    oparam
      r: real = 0
    list
      list_size 2
      b: text = "x"
    s: sprite = hero
      sprite_x
  helper_def: function -> helper_body
    oparam
      result: real
program
  body: function
    @score
      num 12.5
    caption
      text_const "Hi"
    if
      if_cond
        @flag
      then
        @a
          num -1
    @helper
  helper_body: function
    @result
      num "3 apples"
)";

// A small deterministic generator, so a failing case can be repeated.
struct DamageRandom {
  uint32_t State;
  uint32_t Next() {
    State = State * 1664525u + 1013904223u;
    return State >> 8 ^ State << 13;
  }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }
};

// Values that sit on the edges of the reader's checks.
inline uint32_t EdgeValue(DamageRandom& r, uint32_t old) {
  const uint32_t edges[] = {0, 1, 2, 3, 0x7F, 0x80, 0xFF, 0xFFFF, 0x10000, 0x7FFFFFFF,
                            0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFEu, 32767, 32768, 1048577};
  switch (r.Below(4)) {
    case 0: return old + 1;
    case 1: return old - 1;
    case 2: return r.Next();
    default: return edges[r.Below(sizeof edges / sizeof edges[0])];
  }
}

// One damaged copy of image: bit flips, edge values in the header and
// directory or anywhere, byte runs, or a cut, chosen by the seed.
inline std::vector<uint8_t> DamagedImage(const std::vector<uint8_t>& image, uint32_t seed) {
  DamageRandom r = {seed * 2654435761u + 12345};
  std::vector<uint8_t> d = image;
  int damages = 1 + (int)r.Below(3);
  for (int n = 0; n < damages && !d.empty(); n++) {
    uint32_t size = (uint32_t)d.size();
    switch (r.Below(5)) {
      case 0: {
        uint32_t at = r.Below(size);
        d[at] ^= (uint8_t)(1u << r.Below(8));
        break;
      }
      case 1:
      case 2: {
        // Header and directory words are hit as often as all the rest.
        uint32_t limit = r.Below(2) == 0 && size >= 528 ? 528 : size;
        uint32_t at = r.Below(limit / 4) * 4;
        if (at + 4 > size) break;
        uint32_t old;
        memcpy(&old, &d[at], 4);
        uint32_t v = EdgeValue(r, old);
        memcpy(&d[at], &v, 4);
        break;
      }
      case 3: {
        uint32_t at = r.Below(size), run = 1 + r.Below(16);
        for (uint32_t i = at; i < at + run && i < size; i++) d[i] = (uint8_t)r.Next();
        break;
      }
      default:
        d.resize(r.Below(size));
        break;
    }
  }
  return d;
}
