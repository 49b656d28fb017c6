// References from PROGRAM items to declarations: variables in their four
// forms, the state items of lists, and the constants taken from items.
#pragma once
#include <stdint.h>
#include "compiler/element_table.h"

// Form indexes the row's four functions: global, local, global list item,
// local list item.
enum VariableForm { FormGlobal, FormLocal, FormGlobalListItem, FormLocalListItem };

struct VariableRef {
  int32_t Form;  // VariableForm
  int32_t Param1;
  int32_t Param2;
};

// The variable that item index refers to, stored in the value list of kind
// `store`. A read adds the pending counts of the calls being compiled to the
// local forms; an assignment does not. False when the reference does not resolve.
bool ResolveVariable(int32_t index, ValueKind store, bool read, VariableRef& ref);

struct ListRef {
  bool Local;
  int32_t ListIndex;  // the declared record in ListRecords
  int32_t Number;     // global: ListIndex; local: the list number from the top
};

// A reference to a list's list_size, list_index or list_auto item.
bool ResolveListRef(int32_t index, bool read, ListRef& ref);

// Whether LOCAL item k lies in the frame of the body being compiled.
bool InCompileFrame(int32_t k);

double NumberLiteralOf(int32_t index);
// The colour of the item's own icon (its pixel in column 16 of row 16).
double IconColorOf(int32_t index);
// A new entry of Texts sharing the item's own text; returns its index.
int32_t AppendTextConstant(int32_t index);
