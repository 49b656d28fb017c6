// The element tables as data: the vocabulary of each kind, unique ids, every
// function a row names in the list of execution functions and of the kind the
// row's table runs.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <set>
#include <string>
#include "compiler/element_table.h"
#include "code/exec_functions.h"

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
  EXPECT_EQ(nullptr, FindElementRow(KindNum, El::vk_a)) << "key codes are no rows";
  EXPECT_EQ(nullptr, FindElementRow(KindCmd, El::group)) << "a folder is no command";
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

// The kind each execution function is declared with in exec_functions.def.
struct FunctionKind {
  ExecFunction Fn;
  ValueKind Kind;
};
const FunctionKind FunctionKinds[] = {
#define EXEC_FUNCTION(name, kind) {EXEC_FN(kind, name), Kind##kind},
#include "code/exec_functions.def"
#undef EXEC_FUNCTION
};

// Whether fn is declared with kind (the pass-through step has one function
// per kind under one name, so every declaration of fn counts).
bool DeclaredWithKind(ExecFunction fn, ValueKind kind) {
  for (const FunctionKind& f : FunctionKinds)
    if (f.Fn == fn && f.Kind == kind) return true;
  return false;
}

// A row's step is called through the signature of its table's kind, so a
// function declared with another kind would be called with the wrong
// arguments or return type.
TEST(ElementTables, EveryRowNamesFunctionsOfItsTablesKind) {
  for (int32_t kind = KindCmd; kind <= KindMusic; kind++) {
    const ElementTable& table = *ElementTables[kind];
    for (int32_t i = 0; i < table.Count; i++) {
      const ElementRow& row = table.Rows[i];
      for (int32_t f = 0; f < FunctionsOfForm(row.Form); f++)
        EXPECT_TRUE(DeclaredWithKind(row.Fn[f], (ValueKind)kind))
            << "kind " << kind << " id " << row.Id << " function " << f << " "
            << (ExecFunctionNameOf(row.Fn[f]) ? ExecFunctionNameOf(row.Fn[f]) : "(unlisted)");
    }
  }
}

}  // namespace
