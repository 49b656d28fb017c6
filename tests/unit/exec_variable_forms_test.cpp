// Variables of every kind read and assigned in the four addressing forms
// (global, local, element of a global list, element of a local list), with the
// lists' auto step advancing on every element read and assignment, and no
// other variable of the kind touched.
#include <stdio.h>
#include <map>
#include "expression_fixture.h"

namespace {

// One kind of variable. Values are numbered: value n is written as a literal
// (numbers, logic values: odd is true, texts) or as its own constant c<n>
// made from Constant (the media kinds), so no two global variables share an
// entry. Key tells the value of an entry: equal keys, equal values.
struct VariableKind {
  const char* Element;
  const char* Constant;  // printf format of the constant named %s from the number %d
  std::string (*Key)(int32_t entry);
  int32_t (*Count)();
};

std::string PointerKey(const void* p) {
  char s[32];
  snprintf(s, sizeof s, "record %p", p);
  return s;
}
std::string NumberKey(int32_t e) {
  char s[40];
  snprintf(s, sizeof s, "%.17g", Numbers[e]);
  return s;
}
std::string LogicKey(int32_t e) { return Logics[e] ? "true" : "false"; }
std::string TextKey(int32_t e) { return "\"" + std::string(Texts[e].Chars(), Texts[e].Length()) + "\""; }
std::string IconKey(int32_t e) { return PointerKey(Icons[e].Held()); }
std::string MapKey(int32_t e) { return PointerKey(Maps[e].Held()); }
std::string PictureKey(int32_t e) { return PointerKey(Pictures[e].Held()); }
std::string SoundKey(int32_t e) { return PointerKey(Sounds[e].Held()); }
std::string MusicKey(int32_t e) { return PointerKey(Musics[e].Held()); }
std::string SpriteKey(int32_t e) { return PointerKey(Sprites[e].Held()); }

const VariableKind Kinds[] = {
    {"real", nullptr, NumberKey, [] { return Numbers.Count; }},
    {"logic", nullptr, LogicKey, [] { return Logics.Count; }},
    {"text", nullptr, TextKey, [] { return Texts.Count; }},
    {"picture", "picture %s fill=%d", IconKey, [] { return Icons.Count; }},
    // c0, never used, is map entry 0, the main map.
    {"map", "map %s w=%d h=2", MapKey, [] { return Maps.Count; }},
    {"background", "background %s w=4 h=2 fill=%d", PictureKey, [] { return Pictures.Count; }},
    {"sound", "sound %s rate=8000 bits=8\n  samples 1 %d", SoundKey, [] { return Sounds.Count; }},
    {"music", "music %s\n  notes %d", MusicKey, [] { return Musics.Count; }},
    {"sprite", "sprite %s phases=1 directions=1 rest=1 w=32 h=32 fill=%d", SpriteKey, [] { return Sprites.Count; }},
};

// The values by role. For logic values A and D are true, B and C false.
enum { A = 1, B = 2, D = 3, C = 4, OwnG = 6, FirstOut = 20 };

// What each output o1 .. o8 receives, in the order the body assigns them.
const int32_t OutputCount = 8;
const int32_t Expected[OutputCount] = {C, D, A, C, A, D, A, B};
const char* const Body =
    "(@o1 (@l))"        // the local's initial value
    "(@o2 (@lle))"      // local element 0; the local list moves by 2 to element 2
    "(@g (@va))"
    "(@l (@va))"
    "(@o3 (@l))"
    "(@gle (@va))"      // global element 0 := A, on to 1
    "(@gle (@vb))"      // element 1 := B, on to 2
    "(@gidxo (@gidx))"  // 2
    "(@o4 (@gle))"      // element 2, on to 0
    "(@o5 (@gle))"      // element 0, on to 1
    "(@lle (@va))"      // local element 2 := A, on to 1
    "(@lle (@vb))"      // local element 1 := B, on to 0
    "(@o6 (@lle))"      // local element 0, on to 2
    "(@o7 (@lle))"      // local element 2, on to 1
    "(@lidxo (@llidx))" // 1
    "(@o8 (@lle))";     // local element 1, on to 0

// Global items in order: main, va, vb, vc, vd, g, o1 .. o8, gidxo, lidxo, then
// the list gl (list_size with its digit, gidx, list_auto, gle).
enum { ItemVa = 1, ItemG = 5, ItemO1 = 6, ItemGidxo = 14, ItemLidxo = 15, ItemGl = 16, ItemGle = 21 };

class ExecVariableForms : public ProgramTest {
 public:
  const VariableKind* Kind;

  // The attribute giving a variable value n.
  std::string Value(int32_t n) {
    std::string number = std::to_string(n);
    if (!strcmp(Kind->Element, "real")) return "= " + number;
    if (!strcmp(Kind->Element, "logic")) return n % 2 ? "= true" : "= false";
    if (!strcmp(Kind->Element, "text")) return "= \"v" + number + "\"";
    return "= c" + number;
  }

  std::string Source() {
    std::string constants;
    char line[200], name[16];
    if (Kind->Constant)
      for (int32_t n = 0; n < FirstOut + 2 * OutputCount + 2; n++) {
        snprintf(name, sizeof name, "c%d", n);
        snprintf(line, sizeof line, Kind->Constant, name, n + 1);
        constants += std::string(line) + "\n";
      }
    std::string k = std::string(" ") + Kind->Element + " ";
    std::string s = constants + "global\n  main: function -> main_def\n";
    s += "  va:" + k + Value(A) + "\n  vb:" + k + Value(B) + "\n";
    s += "  vc:" + k + Value(C) + "\n  vd:" + k + Value(D) + "\n";
    s += "  g:" + k + Value(OwnG) + "\n";
    // Each output starts as a value of its own; for logic values, the opposite
    // of what it receives.
    for (int32_t i = 0; i < OutputCount; i++)
      s += "  o" + std::to_string(i + 1) + ":" + k + Value(FirstOut + 2 * i + (Expected[i] + 1) % 2) + "\n";
    s += "  gidxo: real = -1\n  lidxo: real = -1\n";
    s += "  gl: list\n    list_size 3\n    gidx: list_index = 0\n    list_auto = 1\n";
    s += "    gle:" + k + Value(C) + "\n";
    s += "local\n  main_def: function -> main_body\n    l:" + k + Value(C) + "\n";
    s += "    ll: list\n      list_size 3\n      llidx: list_index = 0\n      list_auto = 2\n";
    s += "      lle:" + k + Value(D) + "\n";
    s += "program\n  main_body: function\n" + ExpressionLines(Body, 2);
    return s;
  }

  int32_t Entry(int32_t item) { return GlobalItemLinks[item].DataIndex; }
  std::string KeyOf(int32_t role) { return Kind->Key(Entry(ItemVa + (role == A ? 0 : role == B ? 1 : role == C ? 2 : 3))); }
};

TEST_F(ExecVariableForms, EveryKindInTheFourForms) {
  for (const VariableKind& kind : Kinds) {
    SetUp();
    Kind = &kind;
    std::string source = Source();
    ASSERT_TRUE(LoadTestProgram(source)) << source;
    ASSERT_TRUE(CompileProgram()) << source;
    // Every entry of the kind before the run; only g, o1 .. o8 and gl's
    // elements may change.
    int32_t count = kind.Count();
    std::map<int32_t, std::string> want;
    for (int32_t e = 0; e < count; e++) want[e] = kind.Key(e);
    ASSERT_NE(KeyOf(A), KeyOf(B)) << kind.Element;
    want[Entry(ItemG)] = KeyOf(A);
    for (int32_t i = 0; i < OutputCount; i++) want[Entry(ItemO1 + i)] = KeyOf(Expected[i]);
    int32_t gle = Entry(ItemGle);
    want[gle] = KeyOf(A);
    want[gle + 1] = KeyOf(B);
    want[gle + 2] = KeyOf(C);
    if (&kind == &Kinds[0]) {  // the list indexes read into numbers
      want[Entry(ItemGidxo)] = "2";
      want[Entry(ItemLidxo)] = "1";
    }
    Run();
    ASSERT_EQ(count, kind.Count()) << kind.Element << ": the frame is gone";
    for (int32_t e = 0; e < count; e++) {
      std::string what = "entry " + std::to_string(e);
      if (e == Entry(ItemG)) what = "g";
      for (int32_t i = 0; i < OutputCount; i++)
        if (e == Entry(ItemO1 + i)) what = "o" + std::to_string(i + 1);
      if (e >= gle && e < gle + 3) what = "gl element " + std::to_string(e - gle);
      EXPECT_EQ(want[e], kind.Key(e)) << kind.Element << " " << what;
    }
    EXPECT_EQ(2, Numbers[Entry(ItemGidxo)]) << kind.Element << ": global index after two assignments";
    EXPECT_EQ(1, Numbers[Entry(ItemLidxo)]) << kind.Element << ": local index after its reads and assignments";
    EXPECT_EQ(1, ListRecords[GlobalItemLinks[ItemGl].ListIndex].Index) << kind.Element << ": global index at the end";
  }
}

}  // namespace
