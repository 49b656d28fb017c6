// Compiling icon and map elements: icon reads an icon variable exactly as
// picture does in all four forms, and an omitted map parameter is the main
// map.
#include "program_fixture.h"

namespace {

class CompileIconElements : public ProgramTest {};

TEST_F(CompileIconElements, IconReadsLikePicture) {
  Icons.AppendNew();
  Icons.AppendNew();
  Assemble(R"(
global
  function -> main_def
  g: picture datatable=9 dataindex=1
  list
    list_size 2
    gl: picture datatable=9 dataindex=0
local
  main_def: function -> main_body
    l: picture datatable=9 dataindex=0
    list
      list_size 3
      ll: picture datatable=9 dataindex=1
program
  main_body: icon @g
  @g
  icon @gl
  @gl
  icon @l
  @l
  icon @ll
  @ll
  icon
  icon reftable=2 refindex=99
)");
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
  Assemble(R"(
program
  map_cell_icon
    map_cell_x
      1
  map_paste
    map_paste_map
      map
  map_width
)");
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
