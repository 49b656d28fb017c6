// The global value lists of the plain kinds.
#include "base/value_lists.h"
#include "base/global_storage.h"

GLOBAL_OBJECT(RealList, Numbers);
GLOBAL_OBJECT(TextList, Texts);
GLOBAL_OBJECT(LogicList, Logics);
GLOBAL_OBJECT(ListRecordList, ListRecords);

void InitNumbers() { Numbers.Init(); }
void InitTexts() { Texts.Init(); }
void InitLogics() { Logics.Init(); }
void InitListRecords() { ListRecords.Init(); }
