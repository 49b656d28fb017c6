// Damaged images that the checker accepts still compile safely, and running
// them while the program unwinds (quit set) leaves every value list as it was.
#include "image_fixtures.h"
#include "image_setup.h"
#include "program_fixture.h"

namespace {

// Calls with arguments and results, lists, loops and a case, for the damage
// to hit.
const char* const CallsProgram = R"(
global
  main: function -> main_def
  f: function -> f_def
  g: real = 1
  t: text = "t"
  items: list
    list_size 3
    list_auto = 1
    item: real = 2
local
  main_def: function -> main_body
    n: real = 2
    l: list
      list_size 2
      e: text = "e"
    nested: function -> nested_body
  f_def: function -> f_body
    iparam
      x: real = 0
      y: text = ""
    oparam
      r: real = 4
      s: text = "s"
program
  main_body: function
    @g
      @f
        @x
          @item
        @y
          @e
    @t
      @f
    @nested
    case
      case_expr
        @f
      case_on
        case_equ
          num 4
        @n
          @g
      default
        @e
          @t
  f_body: function
    repeat
      repeat_num
        @x
      while_body
        @r
          @x
    while
      while_cond
        false
    @s
      @y
  nested_body: function
    @n
      @item
)";

class CompileDamage : public ProgramTest {};

TEST_F(CompileDamage, AcceptedImagesCompileAndUnwindInBalance) {
  const char* sources[] = {CallsProgram, FullProgram};
  int32_t accepted = 0, rejected = 0;
  for (const char* source : sources) {
    std::vector<uint8_t> image = AssembleForTest(source);
    ASSERT_FALSE(image.empty());
    for (uint32_t seed = 1; seed <= 1500; seed++) {
      std::vector<uint8_t> damaged = seed == 1 ? image : DamagedImage(image, seed);
      if (CheckProgramImage(damaged.data(), (uint32_t)damaged.size()).Fault != ImageGood) continue;
      SetUp();
      LoadAcceptedImage(damaged, false);
      if (!CompileProgram()) {
        rejected++;
        continue;
      }
      accepted++;
      ASSERT_TRUE((uint32_t)EntryCallIndex < (uint32_t)CompiledCodeCount) << "seed " << seed;
      int32_t counts[10] = {Numbers.Count, Texts.Count, Logics.Count, Icons.Count,   Maps.Count,
                            Pictures.Count, Sprites.Count, Sounds.Count, Musics.Count, ListRecords.Count};
      ExecFlags = ExecFlagQuit;
      Run();
      int32_t after[10] = {Numbers.Count, Texts.Count, Logics.Count, Icons.Count,   Maps.Count,
                           Pictures.Count, Sprites.Count, Sounds.Count, Musics.Count, ListRecords.Count};
      for (int32_t i = 0; i < 10; i++) ASSERT_EQ(counts[i], after[i]) << "list " << i << ", seed " << seed;
      ASSERT_EQ(CallDepthLimit, CallDepthBudget) << "seed " << seed;
    }
  }
  printf("%d damaged images compiled and ran, %d rejected by the compiler\n", (int)accepted, (int)rejected);
  EXPECT_GT(accepted, 100);
}

}  // namespace
