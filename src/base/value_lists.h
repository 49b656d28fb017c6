// The global value lists of the plain kinds: the image's constants, the
// global variables and, above them, the locals of running calls.
#pragma once
#include "base/lists.h"

extern RealList& Numbers;
extern TextList& Texts;
extern LogicList& Logics;
extern ListRecordList& ListRecords;

// Start-up constructs them empty (no items, capacity 0).
void InitNumbers();
void InitTexts();
void InitLogics();
void InitListRecords();
