// Resolving references to variables and lists against the declarations'
// links, with the checks that keep every compiled address inside its list.
#include "compiler/compile_refs.h"
#include "compiler/compile.h"
#include "compiler/compile_items.h"
#include "base/value_lists.h"

bool InCompileFrame(int32_t k) { return k >= CompileFrameFirst && k < CompileFrameEnd; }

// The links of the declaration item index refers to, or null. A local
// reference must name an item of the frame the body runs in: any other
// function's locals are not on the lists at that offset.
static const ItemLinks* Declaration(int32_t index, bool& local) {
  const ProgramItem& item = ProgItem(index);
  ItemTable table;
  if (item.RefTable == RefGlobal) {
    table = GlobalTable();
    local = false;
  } else if (item.RefTable == RefLocal) {
    table = LocalTable();
    local = true;
    if (!InCompileFrame(item.RefIndex)) return nullptr;
  } else {
    return nullptr;
  }
  if ((uint32_t)item.RefIndex >= (uint32_t)table.Count) return nullptr;
  return &table.Links[item.RefIndex];
}

static bool ListIndexValid(int32_t listIndex) {
  return (uint32_t)listIndex < (uint32_t)ListRecordCount();
}

bool ResolveVariable(int32_t index, ValueKind store, bool read, VariableRef& ref) {
  bool local;
  const ItemLinks* d = Declaration(index, local);
  if (!d || (uint32_t)d->DataIndex >= (uint32_t)ValueListCount(store)) return false;
  bool inList = d->ListIndex >= 0;
  if (inList && !ListIndexValid(d->ListIndex)) return false;
  if (!local) {
    ref.Form = inList ? FormGlobalListItem : FormGlobal;
    ref.Param1 = d->DataIndex;
    ref.Param2 = inList ? d->ListIndex : -1;
    return true;
  }
  if (d->LocalSlot < 1 || (inList && d->LocalListNumber < 1)) return false;
  ref.Form = inList ? FormLocalListItem : FormLocal;
  ref.Param1 = d->LocalSlot + (read ? PendingLocalCounts[PendingKindOf(store)] : 0);
  ref.Param2 = inList ? d->LocalListNumber + (read ? PendingLocalCounts[PendingLists] : 0) : -1;
  return true;
}

bool ResolveListRef(int32_t index, bool read, ListRef& ref) {
  bool local;
  const ItemLinks* d = Declaration(index, local);
  if (!d || !ListIndexValid(d->ListIndex)) return false;
  ref.Local = local;
  ref.ListIndex = d->ListIndex;
  if (!local) {
    ref.Number = d->ListIndex;
    return true;
  }
  if (d->LocalListNumber < 1) return false;
  ref.Number = d->LocalListNumber + (read ? PendingLocalCounts[PendingLists] : 0);
  return true;
}

double NumberLiteralOf(int32_t index) { return GetNumberLiteral(&ProgItem(index), &ProgLinks(index)); }

int32_t AppendTextConstant(int32_t index) { return Texts.AppendCopy(ProgItem(index).TextIndex); }
