// The bundled program, a small tour of the engine: a map with a figure
// walking across it and a bird flying back over it, a box, a circle and a line
// of text drawn on the background, a short tone, the status line; then it
// counts the primes below 200 with a sieve held in a local list of logic
// values and returns the count as its exit code.
#include "lib/bundled_program.h"
#include "lib/program_asm.h"

const char* const BundledProgramSource = R"(
key g=80 s=81 w=212 b=223 r=2 y=56 k=1
picture grass fill=80
picture stone fill=80
  |gggggggggggggggggggggggggggggggg
  |gggggggggggggggggggggggggggggggg
  |gggggggssssssssssssssssssggggggg
  |ggggggssssssssssssssssssssgggggg
  |gggggsssssssssssssssssssssssgggg
  |gggggsssssssssssssssssssssssgggg
  |ggggggssssssssssssssssssssgggggg
  |gggggggssssssssssssssssssggggggg
picture sky fill=0          ; clear: the sky is drawn behind the map
map field w=10 h=5 icon=grass
  key ~=sky #=stone          ; '.' is the map's own icon, grass
  |~~~~~~~~~~
  |~~~~~~~~~~
  |..........
  |....#.....
  |.......#..
sound chime rate=22050 bits=16 channels=1 format=1
  tone 660 0.3 0.4
sprite nobody phases=1 directions=1 rest=1 w=32 h=32 fill=0
sprite walker phases=3 directions=1 rest=1 w=32 h=32 delay=55 step=4 fill=0
  frame fill=0
    |............bbbbbbb.............
    |...........byyyyyyyb............
    |...........byybyybyb............
    |...........byyyyyyyb............
    |............byyyyyb.............
    |.............bbbbb..............
    |..........rrrrrrrrrrr...........
    |.........rrrrrrrrrrrrr..........
    |........rr.rrrrrrrrr.rr.........
    |........rr.rrrrrrrrr.rr.........
    |........yy.rrrrrrrrr.yy.........
    |...........bbbbbbbbb............
    |...........bbb...bbb............
    |...........bbb...bbb............
    |...........bbb...bbb............
    |..........bbbb...bbbb...........
    |.........kkkkkkkkkkkkkk.........
  frame fill=0
    |............bbbbbbb.............
    |...........byyyyyyyb............
    |...........byybyybyb............
    |...........byyyyyyyb............
    |............byyyyyb.............
    |.............bbbbb..............
    |..........rrrrrrrrrrr...........
    |.........rrrrrrrrrrrrr..........
    |........rr.rrrrrrrrr.rr.........
    |.......rr..rrrrrrrrr..rr........
    |.......yy..rrrrrrrrr..yy........
    |...........bbbbbbbbb............
    |..........bbb.....bbb...........
    |.........bbb.......bbb..........
    |........bbb.........bbb.........
    |.......bbbb.........bbbb........
    |.........kkkkkkkkkkkkkk.........
  frame fill=0
    |............bbbbbbb.............
    |...........byyyyyyyb............
    |...........byybyybyb............
    |...........byyyyyyyb............
    |............byyyyyb.............
    |.............bbbbb..............
    |..........rrrrrrrrrrr...........
    |.........rrrrrrrrrrrrr..........
    |.........rrrrrrrrrrrrr..........
    |........rr.rrrrrrrrr.rr.........
    |........yy.rrrrrrrrr.yy.........
    |...........bbbbbbbbb............
    |...........bbb...bbb............
    |............bbb.bbb.............
    |.............bbbbb..............
    |.............bbbbb..............
    |.........kkkkkkkkkkkkkk.........
sprite bird phases=2 directions=1 rest=1 w=32 h=32 delay=110 step=3 fill=0
  frame fill=0
    |................................
    |..bb....................bb......
    |...bbb................bbb.......
    |.....bbb............bbb.........
    |.......bbbb......bbbb...........
    |..........bbbbbbbb..............
    |............bbbb................
  frame fill=0
    |................................
    |................................
    |................................
    |............bbbb................
    |.......bbbbbbbbbbbbbb...........
    |.....bbb............bbb.........
    |...bbb................bbb.......
global
  main: function "Primes" -> main_def
  primes: function -> primes_def
  hero: sprite = walker
    hero_x: sprite_x
    hero_y: sprite_y
    hero_shown: sprite_vis
  flier: sprite = bird
    flier_x: sprite_x
    flier_y: sprite_y
    flier_shown: sprite_vis
  bell: sound = chime
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
    wait                      ; the map is shown first; drawing goes over it
    status_text               ; the status line
      text_const "Walking, drawing, chiming"
    box_fill                  ; the sky: colour 140 over the whole background
      graph_color
        num 16732232
    textout                   ; a line of text in the sky, framed by a box
      textout_text
        text_const "Counting the primes below 200"
      graph_color
        num 16777215
      textout_x
        num 0.4
      textout_y
        num 3.3
      textout_h
        num 0.5
      textout_bold
        true
    box
      graph_color
        num 16777215
      graph_width
        num 2
      box_x1
        num 0.2
      box_y1
        num 3.15
      box_x2
        num 7.35
      box_y2
        num 4.05
    circle_fill               ; a yellow sun with a red ring
      graph_color
        num 65535
      circle_fill_x
        num 8.6
      circle_fill_y
        num 4.2
      circle_fill_r
        num 0.4
    circle
      graph_color
        num 255
      graph_width
        num 2
      circle_x
        num 8.6
      circle_y
        num 4.2
      circle_r
        num 0.55
    sound_play
      sound_play_sound
        @bell
    @hero_y                   ; hidden: placed at once
      num 1
    @hero_x
      num 0
    @hero_shown
      true
    @flier_y
      num 3.6
    @flier_x
      num 9
    @flier_shown
      true
    @hero_x                   ; both walk: one to the right edge, one back
      num 9
    @flier_x
      num 0
    repeat
      repeat_num
        num 40
      while_body
        wait
    status_text
      text_const "Done"
    return_code
      @primes
        @limit
          num 200
  primes_body: function
    while
      while_cond
        <                     ; n < limit
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
                <
                  @k
                  @limit
              while_body
                @at
                  @k
                @composite
                  true
                @k
                  +
                    @k
                    @n
        @n
          inc
            @n
)";

bool BundledImage(std::vector<uint8_t>& image, std::string& error) {
  return AssembleImage(BundledProgramSource, image, error);
}
