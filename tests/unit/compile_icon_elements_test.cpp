// Compiling icon and map elements: element 0 reads an icon variable exactly
// as element 44 does in all four forms, and an omitted map parameter is the
// main map.
#include "program_fixture.h"

namespace {

class CompileIconElements : public ProgramTest {};

TEST_F(CompileIconElements, ElementZeroReadsLikeFortyFour) {
  Icons.AppendNew();
  Icons.AppendNew();
  Global.Parse({"47 d3:0", "44 d9:1", "56", "  255", "    19", "  44 d9:0"});
  Local.Parse({"47 d4:0", "  44 d9:0", "  56", "    255", "      20", "    44 d9:1"});
  Program.Parse({"0 g1", "44 g1", "0 g5", "44 g5", "0 l1", "44 l1", "0 l5", "44 l5", "0", "0 g99"});
  Link();
  CompileFrameFirst = 0;
  CompileFrameEnd = 6;
  const char* forms[] = {"ExecIconGlobal ", "ExecIconGlobalListItem ", "ExecIconLocal ", "ExecIconLocalListItem "};
  for (int32_t k = 0; k < 4; k++) {
    std::string zero = CompileAlone(KindIcon, 2 * k);
    EXPECT_EQ(0u, zero.find(forms[k])) << zero;
    EXPECT_EQ(CompileAlone(KindIcon, 2 * k + 1), zero) << forms[k];
  }
  EXPECT_EQ("fails", CompileAlone(KindIcon, 8)) << "no reference";
  EXPECT_EQ("fails", CompileAlone(KindIcon, 9)) << "a GLOBAL index outside the table";
  EXPECT_EQ("fails", CompileAlone(KindNum, 0)) << "no number";
}

TEST_F(CompileIconElements, OmittedMapIsTheMainMap) {
  Program.Parse({"554", "  551", "    18", "563", "  564", "    48", "549"});
  Link();
  EXPECT_EQ(0u, CompileAlone(KindIcon, 0).find("ExecIconMapCell ")) << CompileAlone(KindIcon, 0);
  std::string cell = CompileAlone(KindIcon, 0);
  EXPECT_NE(std::string::npos, cell.find("ExecMapMain")) << cell;
  std::string paste = CompileAlone(KindMap, 3);
  EXPECT_EQ(0u, paste.find("ExecMapPasteBlock ")) << paste;
  EXPECT_NE(std::string::npos, paste.find("ExecMapMain")) << paste;
  EXPECT_EQ(0u, CompileAlone(KindNum, 6).find("ExecNumMainMapWidth ")) << "map_width without an operand";
}

}  // namespace
