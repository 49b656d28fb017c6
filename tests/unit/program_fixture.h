// A fixture that builds small programs in memory (the GLOBAL, LOCAL and
// PROGRAM items of a test program), links and compiles them, and runs them
// with a fake message pump.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "base/text.h"
#include "base/value_lists.h"
#include "compiler/code_dump.h"
#include "compiler/compile.h"
#include "exec/calls.h"
#include "exec/interpreter.h"
#include "exec/pump_hooks.h"
#include "image/item_links.h"
#include "image_setup.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/music.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"

// What the fake pump saw and what it does.
struct FakePump {
  int32_t TickChecks;    // IsTimerTickPending calls
  int32_t Pumps;         // PumpMessages calls
  int32_t WaitingPumps;  // of them with wait
  int32_t Waits;         // WaitTicks calls
  int32_t TicksWaited;   // their ticks together
  int32_t Refreshes;
  bool TickPending;      // what IsTimerTickPending answers
  int32_t QuitAtPump;    // set the quit flag on this PumpMessages call (1 = first); 0 never
  int32_t QuitAtWait;    // likewise for WaitTicks
  int32_t PausedChecks;  // IsPaused answers true this many times
  int32_t CountdownStep; // each pump lowers DisplayCountdown by this (a tick passed)
  void (*OnWait)();      // called by WaitTicks, to look at the state in a body
  void (*OnPump)();      // called by PumpMessages
};
extern FakePump Fake;

inline bool FakeTickPending() {
  Fake.TickChecks++;
  return Fake.TickPending;
}
inline void FakePumpMessages(bool wait) {
  Fake.Pumps++;
  if (wait) Fake.WaitingPumps++;
  DisplayCountdown -= Fake.CountdownStep;
  if (Fake.OnPump) Fake.OnPump();
  if (Fake.QuitAtPump && Fake.Pumps == Fake.QuitAtPump) ExecFlags |= ExecFlagQuit;
}
inline void FakeWaitTicks(int32_t ticks) {
  Fake.Waits++;
  Fake.TicksWaited += ticks;
  if (Fake.OnWait) Fake.OnWait();
  if (Fake.QuitAtWait && Fake.Waits == Fake.QuitAtWait) ExecFlags |= ExecFlagQuit;
}
inline void FakeRefresh() {
  Fake.Refreshes++;
  DisplayCountdown = 4;
}
inline bool FakePaused() {
  if (Fake.PausedChecks <= 0) return false;
  Fake.PausedChecks--;
  return true;
}

// One table's items and their links, held by the test in place of an image's.
struct ItemTable {
  std::vector<ProgramItem> Items;
  std::vector<ItemLinks> Links;

  int32_t Count() const { return (int32_t)Items.size(); }
};

class ProgramTest : public testing::Test {
 public:
  ItemTable Global, Local, Program;

  void SetUp() override {
    ResetImageLists();
    ResetCompiler();
    ResetExecState();
    memset(&Fake, 0, sizeof Fake);
    Pump = {FakeTickPending, FakePumpMessages, FakeWaitTicks, FakeRefresh, FakePaused};
  }

  void TearDown() override {
    Pump = NoPump;
    GlobalItemCount = LocalItemCount = ProgramItemCount = 0;
  }

  // The items of a program in the test-program format (tools/README.md) as
  // the three tables, taken as written: no image checks, and the value
  // records it writes are not loaded (the test fills the value lists).
  void Assemble(const std::string& source) {
    ImageWriter writer;
    std::string error;
    EXPECT_TRUE(AssembleProgram(source, writer, error)) << error;
    ItemTable* tables[] = {&Global, &Local, &Program};
    for (int t = 0; t < 3; t++) {
      const std::vector<uint8_t>& bytes = writer.Tables[TableGlobal + t].Bytes;
      tables[t]->Items.resize(bytes.size() / sizeof(ProgramItem));
      if (!bytes.empty()) memcpy(tables[t]->Items.data(), bytes.data(), bytes.size());
      tables[t]->Links.assign(tables[t]->Items.size() + 1, ItemLinks());
    }
  }

  // Links the three tables as the loader does (after the value lists).
  void Link() {
    GlobalItems = Global.Items.data();
    GlobalItemCount = Global.Count();
    GlobalItemLinks = Global.Links.data();
    LocalItems = Local.Items.data();
    LocalItemCount = Local.Count();
    LocalItemLinks = Local.Links.data();
    ProgramItems = Program.Items.data();
    ProgramItemCount = Program.Count();
    ProgramItemLinks = Program.Links.data();
    LinkItemTables();
  }

  // Links and compiles the whole program; false when the image is rejected.
  bool Compile() {
    Link();
    return CompileProgram();
  }

  // Runs the compiled entry step, as the main run does.
  void Run() { RunCompiledStep(EntryCallIndex); }

  // The listing of steps first .. end - 1 (all by default).
  static std::string Listing(int32_t first = 0, int32_t end = -1) {
    Text t = DumpCode(first, end < 0 ? CompiledCodeCount : end);
    return std::string(t.Chars(), t.Length());
  }

  // Compiles PROGRAM item index alone as a value of kind (after Link()) and
  // gives its listing, or "fails" when it does not compile.
  static std::string CompileAlone(ValueKind kind, int32_t index) {
    int32_t start = CompiledCodeCount;
    if (!KindCompilers[kind](index)) return "fails";
    return Listing(start);
  }
};
