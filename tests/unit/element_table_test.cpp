// The element tables as data: the vocabulary of each kind, unique ids, every
// function a row names known by name; and the report of the execution
// functions that are still stand-ins.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <set>
#include <string>
#include "compiler/element_table.h"
#include "exec/exec_functions.h"
#include "exec/placeholders.h"

namespace {

// How many functions each form names.
int32_t FunctionsOfForm(uint8_t form) {
  switch (form) {
    case FormRead:
    case FormAssign: return 4;
    case FormOptional:
    case FormList:
    case FormListState: return 2;
    case FormNone:
    case FormOperand:
    case FormOptionalConst:
    case FormNamed:
    case FormConst: return 1;
    default: return 0;
  }
}

TEST(ElementTables, VocabularyOfEachKind) {
  const int32_t sizes[KindMusic + 1] = {192, 199, 98, 45, 12, 13, 4, 3, 15, 3};
  int32_t total = 0;
  for (int32_t kind = KindCmd; kind <= KindMusic; kind++) {
    const ElementTable& table = *ElementTables[kind];
    EXPECT_EQ(sizes[kind], table.Count) << "kind " << kind;
    std::set<int32_t> ids;
    for (int32_t i = 0; i < table.Count; i++) {
      const ElementRow& row = table.Rows[i];
      EXPECT_TRUE(ids.insert(row.Id).second) << "id " << row.Id << " twice in kind " << kind;
      EXPECT_EQ(&row, FindElementRow((ValueKind)kind, row.Id));
      for (int32_t f = 0; f < FunctionsOfForm(row.Form); f++)
        EXPECT_NE(nullptr, ExecFunctionNameOf(row.Fn[f])) << "id " << row.Id << " function " << f;
      if (row.Form == FormNamed) {
        EXPECT_GT(row.ParamCount, 0) << "id " << row.Id;
      }
      for (int32_t p = 0; p < row.ParamCount; p++)
        EXPECT_TRUE(row.Params[p].Kind <= KindCommands && row.Params[p].Kind != KindCmd) << "id " << row.Id;
      if (row.Form == FormOperand || row.Form == FormOptional || row.Form == FormOptionalConst ||
          row.Form == FormList || row.Form == FormAssign) {
        EXPECT_TRUE(row.Operand >= KindNum && row.Operand <= KindMusic) << "id " << row.Id;
      }
    }
    total += table.Count;
  }
  EXPECT_EQ(584, total);
  EXPECT_EQ(nullptr, FindElementRow(KindNum, 146)) << "key codes are no rows";
  EXPECT_EQ(nullptr, FindElementRow(KindCmd, 1)) << "a folder is no command";
}

TEST(ElementTables, FunctionNamesAreUnique) {
  std::set<std::string> names;
  for (int32_t i = 0; i < ExecFunctionNameCount; i++) {
    const ExecFunctionName& f = ExecFunctionNames[i];
    // The pass-through step has one function per kind under one name.
    if (strcmp(f.Name, "ExecPassThrough") == 0) continue;
    EXPECT_TRUE(names.insert(f.Name).second) << f.Name;
    EXPECT_STREQ(f.Name, ExecFunctionNameOf(f.Fn));
  }
}

// Lists the stand-ins that remain; later work removes them one by one.
TEST(Placeholders, Report) {
  std::set<std::string> names;
  for (int32_t i = 0; i < PlaceholderCount; i++) {
    const ExecFunctionName& p = PlaceholderFunctions[i];
    EXPECT_TRUE(IsPlaceholder(p.Fn)) << p.Name;
    EXPECT_STREQ(p.Name, ExecFunctionNameOf(p.Fn)) << "a stand-in outside the list of functions";
    names.insert(p.Name);
  }
  EXPECT_FALSE(IsPlaceholder(EXEC_FN(Cmd, ExecCmdIf)));
  printf("%d execution functions are stand-ins:\n", (int)PlaceholderCount);
  for (int32_t i = 0; i < PlaceholderCount; i++)
    printf("%s%s", PlaceholderFunctions[i].Name, i % 4 == 3 || i + 1 == PlaceholderCount ? "\n" : " ");
}

}  // namespace
