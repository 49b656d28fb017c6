// Tests of the allocator: size classes, reallocation rules, page and region
// caching in the pool, and what happens when system calls fail.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "base/memory.h"
#include "base/language.h"

namespace {

SizeClass* const Class8 = &SizeClasses[0];
SizeClass* const Class2048 = &SizeClasses[8];
SizeClass* const Class4096 = &SizeClasses[9];

int32_t RegionNumberOf(const void* p) { return int32_t(uintptr_t(p) >> 20); }
bool InPool(const void* p) { return RegionMap[RegionNumberOf(p)] != 0; }
uint8_t* PageOf(const void* p) { return reinterpret_cast<uint8_t*>(uintptr_t(p) & ~uintptr_t(4095)); }

SizeClass* ClassOfBlockSize(int32_t size) {
  for (SizeClass& c : SizeClasses)
    if (c.BlockSize == size) return &c;
  return nullptr;
}

// Pool blocks by their class, heap blocks by what the heap says.
SIZE_T BlockSizeOf(void* p) {
  if (InPool(p)) return SIZE_T(PageDescriptorOf(p)->Class->BlockSize);
  return HeapSize(MemoryHeap, HEAP_NO_SERIALIZE, p);
}

DWORD PageState(const void* p) {
  MEMORY_BASIC_INFORMATION m;
  if (!VirtualQuery(p, &m, sizeof m)) return 0;
  return m.State;
}

int FreeBlocksInPage(const SizeClass* c, const uint8_t* page) {
  int n = 0;
  for (FreeBlock* b = c->FreeList; b; b = b->Next) n += PageOf(b) == page;
  return n;
}

int FreeDescriptorsInRegion(const uint8_t* region) {
  int n = 0;
  for (PageDescriptor* d = FreePageDescriptors; d; d = d->Next) n += RegionBaseOf(d) == region;
  return n;
}

int UnmappedRegionNumbers() {
  int n = 0;
  for (int i = FirstRegionNumber; i < RegionNumberEnd; i++) n += RegionMap[i] == 0;
  return n;
}

void FillPattern(void* p, int32_t n) {
  for (int32_t i = 0; i < n; i++) static_cast<uint8_t*>(p)[i] = uint8_t(i * 7 + 1);
}

bool HoldsPattern(const void* p, int32_t n) {
  for (int32_t i = 0; i < n; i++)
    if (static_cast<const uint8_t*>(p)[i] != uint8_t(i * 7 + 1)) return false;
  return true;
}

// Everything that an ignored free must leave alone.
struct PoolSnapshot {
  FreeBlock* Lists[SizeClassCount];
  PageDescriptor* EmptyPages[SizeClassCount];
  PageDescriptor* FreePages;
  uint8_t* Cached;
  int32_t Used;
};

PoolSnapshot TakeSnapshot(const void* block) {
  PoolSnapshot s;
  memset(&s, 0, sizeof s);
  for (int i = 0; i < SizeClassCount; i++) {
    s.Lists[i] = SizeClasses[i].FreeList;
    s.EmptyPages[i] = SizeClasses[i].EmptyPage;
  }
  s.FreePages = FreePageDescriptors;
  s.Cached = CachedEmptyRegion;
  s.Used = PageDescriptorOf(block)->Used;
  return s;
}

// Fakes for the system calls. The VirtualAlloc fake records the addresses it
// is asked to reserve and refuses the kinds of request it is told to.
struct VirtualAllocFake {
  DWORD Refused;
  uintptr_t RefusedAddress;
  std::vector<uintptr_t> Reserves;
};
VirtualAllocFake VFake;

LPVOID WINAPI FakeVirtualAlloc(LPVOID at, SIZE_T size, DWORD type, DWORD protect) {
  if (type & MEM_RESERVE) VFake.Reserves.push_back(uintptr_t(at));
  if ((type & VFake.Refused) || (VFake.RefusedAddress && uintptr_t(at) == VFake.RefusedAddress))
    return nullptr;
  return VirtualAlloc(at, size, type, protect);
}

void* LastHeapFree;
BOOL WINAPI RecordingHeapFree(HANDLE heap, DWORD flags, LPVOID p) {
  LastHeapFree = p;
  return HeapFree(heap, flags, p);
}

int HeapCreateCalls;
HANDLE WINAPI CountingHeapCreate(DWORD flags, SIZE_T initial, SIZE_T maximum) {
  HeapCreateCalls++;
  return HeapCreate(flags, initial, maximum);
}

HANDLE DestroyedHeap;
BOOL WINAPI RecordingHeapDestroy(HANDLE heap) {
  DestroyedHeap = heap;
  return TRUE;
}

HANDLE WINAPI FailHeapCreate(DWORD, SIZE_T, SIZE_T) { return nullptr; }
LPVOID WINAPI FailHeapAlloc(HANDLE, DWORD, SIZE_T) { return nullptr; }
LPVOID WINAPI FailHeapReAlloc(HANDLE, DWORD, LPVOID, SIZE_T) { return nullptr; }
SIZE_T WINAPI FailHeapSize(HANDLE, DWORD, LPCVOID) { return SIZE_T(-1); }

// Refuses every request, and ends the process with code 1 when one asks for
// fewer bytes than the caller wanted (a size that wrapped).
SIZE_T SmallestFairRequest;
void CheckRequest(SIZE_T size) {
  if (size >= SmallestFairRequest) return;
  fprintf(stderr, "heap asked for only %lu bytes\n", static_cast<unsigned long>(size));
  ExitProcess(1);
}
LPVOID WINAPI BoundedHeapAlloc(HANDLE, DWORD, SIZE_T size) {
  CheckRequest(size);
  return nullptr;
}
LPVOID WINAPI BoundedHeapReAlloc(HANDLE, DWORD, LPVOID, SIZE_T size) {
  CheckRequest(size);
  return nullptr;
}

// A real message box would wait for a click; this one tells stderr whether
// it was given the current language's out-of-memory message, with the
// allocator marked not ready while the box pumps messages.
int WINAPI RecordingMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const LanguageRow& row = LanguageTable[CurrentLanguageIndex];
  bool right = owner == nullptr && text == row.MemoryErrorText && caption == row.MemoryErrorCaption &&
               type == MB_ICONERROR && MemoryReady == 0;
  fprintf(stderr, "%s\n", right ? "out-of-memory message shown" : "wrong message box");
  return IDOK;
}

class MemoryTest : public testing::Test {
 protected:
  void SetUp() override {
    Saved = MemorySys;
    VFake = VirtualAllocFake();
  }

  void TearDown() override {
    MemorySys = Saved;
    for (void* p : Held) MemFree(p);
    ExpectPoolConsistent();
  }

  void* Hold(int32_t n) {
    void* p = MemAlloc(n);
    Held.push_back(p);
    return p;
  }

  // Uses up the class's free blocks, so its next block comes from a new page.
  void DrainClass(SizeClass* c) {
    while (c->FreeList) Hold(c->BlockSize);
  }

  // Uses up every uncommitted page, so the next 4096-byte block needs a new
  // region.
  void DrainPages() {
    DrainClass(Class4096);
    while (FreePageDescriptors) Hold(4096);
  }

  // Makes sure an uncommitted page is there to take, as a new page would.
  void EnsureFreePage() {
    if (!FreePageDescriptors) {
      ASSERT_TRUE(PoolNewRegion());
    }
  }

  // All blocks of one newly cut page of the class, in address order.
  std::vector<void*> FreshPage(SizeClass* c) {
    DrainClass(c);
    std::vector<void*> blocks;
    for (int i = 0; i < PoolPageSize / c->BlockSize; i++) blocks.push_back(MemAlloc(c->BlockSize));
    for (void* b : blocks) EXPECT_EQ(PageOf(b), PageOf(blocks[0])) << "class " << c->BlockSize;
    return blocks;
  }

  // Links of every free list and every cached page and region agree.
  void ExpectPoolConsistent() {
    for (SizeClass& c : SizeClasses) {
      FreeBlock* prev = nullptr;
      for (FreeBlock* b = c.FreeList; b; prev = b, b = b->Next) {
        ASSERT_EQ(b->Prev, prev) << "class " << c.BlockSize;
        ASSERT_TRUE(InPool(b)) << "class " << c.BlockSize;
        ASSERT_EQ(PageDescriptorOf(b)->Class, &c) << "class " << c.BlockSize;
      }
      if (c.EmptyPage) {
        EXPECT_EQ(c.EmptyPage->Used, 0) << "class " << c.BlockSize;
        EXPECT_EQ(c.EmptyPage->Class, &c) << "class " << c.BlockSize;
      }
    }
    PageDescriptor* prev = nullptr;
    for (PageDescriptor* d = FreePageDescriptors; d; prev = d, d = d->Next) {
      ASSERT_EQ(d->Prev, prev);
      ASSERT_TRUE(InPool(d));
      ASSERT_NE(PageOfDescriptor(d), RegionBaseOf(d)) << "a region's descriptor page is never free";
    }
    if (CachedEmptyRegion) {
      EXPECT_EQ(RegionCommittedPages(CachedEmptyRegion), 0);
      EXPECT_EQ(FreeDescriptorsInRegion(CachedEmptyRegion), RegionPageCount - 1);
    }
  }

  MemorySystemCalls Saved;
  std::vector<void*> Held;
};

class MemorySizes : public MemoryTest {};
class MemoryRealloc : public MemoryTest {};
class MemoryPool : public MemoryTest {};
class MemoryStart : public MemoryTest {};
class MemoryDeathTest : public MemoryTest {};

TEST_F(MemorySizes, RequestsGoToTheSmallestFittingClassOrTheRoundedHeap) {
  // Size: the pool class up to 4096 bytes, the heap block's size above.
  struct Case {
    int32_t Request;
    SIZE_T Size;
  } cases[] = {{0, 8},       {-5, 8},      {1, 8},       {8, 8},       {9, 16},
               {17, 32},     {100, 128},   {1024, 1024}, {1025, 2048}, {2049, 4096},
               {4096, 4096}, {4097, 4352}, {5000, 5120}, {8192, 8192}, {8193, 8448}};
  for (const Case& c : cases) {
    void* p = MemAlloc(c.Request);
    ASSERT_NE(p, nullptr) << c.Request;
    memset(p, 0xA5, c.Request > 0 ? size_t(c.Request) : 1);
    EXPECT_EQ(InPool(p), c.Size <= SIZE_T(PoolBlockLimit)) << c.Request;
    EXPECT_EQ(BlockSizeOf(p), c.Size) << c.Request;
    if (InPool(p)) {
      EXPECT_EQ(uintptr_t(p) % c.Size, 0u) << c.Request;
      MemFree(p);
      EXPECT_EQ(PageDescriptorOf(p)->Class->FreeList, p) << "freed block back in its class: " << c.Request;
    } else {
      MemFree(p);
    }
  }
}

TEST_F(MemoryRealloc, KeepsOrMovesByClassAndKeepsTheData) {
  enum Place { Same, Moved, HeapResized };
  struct Case {
    int32_t From, To;
    bool Pool;  // where the result lies
    SIZE_T Size;
    Place Where;
  } cases[] = {
      {64, 17, true, 64, Same},          {64, 64, true, 64, Same},
      {64, 16, true, 16, Moved},         {64, 65, true, 128, Moved},
      {8, 1, true, 8, Same},             {8, 8, true, 8, Same},
      {16, 5, true, 16, Same},           {16, 4, true, 8, Moved},
      {4096, 1025, true, 4096, Same},    {4096, 1024, true, 1024, Moved},
      {2048, 3000, true, 4096, Moved},   {4096, 5000, false, 5120, Moved},
      {5000, 3000, false, 3072, HeapResized}, {5000, 2049, false, 2304, HeapResized},
      {4097, 4096, false, 4096, HeapResized}, {5000, 9000, false, 9216, HeapResized},
      {5000, 2048, true, 2048, Moved},   {5000, 100, true, 128, Moved},
  };
  MemorySys.HeapFree = RecordingHeapFree;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.From << " to " << c.To);
    void* p = MemAlloc(c.From);
    bool fromPool = InPool(p);
    FillPattern(p, c.From);
    LastHeapFree = nullptr;
    void* q = MemRealloc(p, c.To);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(InPool(q), c.Pool);
    EXPECT_EQ(BlockSizeOf(q), c.Size);
    EXPECT_TRUE(HoldsPattern(q, c.From < c.To ? c.From : c.To));
    if (c.Where == Same) {
      EXPECT_EQ(q, p);
    } else if (c.Where == Moved) {
      EXPECT_NE(q, p);
      void* freed = fromPool ? static_cast<void*>(PageDescriptorOf(p)->Class->FreeList) : LastHeapFree;
      EXPECT_EQ(freed, p) << "the old block is freed";
    }
    MemFree(q);
  }
}

TEST_F(MemoryRealloc, NullPointerAllocatesAndNonPositiveSizeFrees) {
  EXPECT_EQ(MemRealloc(nullptr, 0), nullptr);
  EXPECT_EQ(MemRealloc(nullptr, -3), nullptr);
  void* fresh = MemRealloc(nullptr, 10);
  Held.push_back(fresh);
  EXPECT_EQ(BlockSizeOf(fresh), 16u);

  void* pooled = MemAlloc(40);
  EXPECT_EQ(MemRealloc(pooled, 0), nullptr);
  EXPECT_EQ(ClassOfBlockSize(64)->FreeList, pooled) << "the pool block was freed";

  MemorySys.HeapFree = RecordingHeapFree;
  void* heaped = MemAlloc(5000);
  EXPECT_EQ(MemRealloc(heaped, -1), nullptr);
  EXPECT_EQ(LastHeapFree, heaped) << "the heap block was freed";
}

TEST_F(MemoryPool, AddressesThatAreNotBlocksInUseAreIgnored) {
  uint8_t* block = static_cast<uint8_t*>(Hold(64));
  // A page whose blocks are all free again is its class's cached empty page.
  std::vector<void*> emptied = FreshPage(Class2048);
  for (void* b : emptied) MemFree(b);
  ASSERT_EQ(Class2048->EmptyPage, PageDescriptorOf(emptied[0]));
  EnsureFreePage();

  struct Case {
    const char* Name;
    void* Address;
  } cases[] = {
      {"inside a block", block + 8},
      {"one byte into a block", block + 1},
      {"a region's descriptor page", RegionBaseOf(block)},
      {"a block of an empty page", emptied[1]},
      {"an uncommitted page", PageOfDescriptor(FreePageDescriptors)},
  };
  for (const Case& c : cases) {
    PoolSnapshot before = TakeSnapshot(block);
    MemFree(c.Address);
    PoolSnapshot after = TakeSnapshot(block);
    EXPECT_EQ(memcmp(&before, &after, sizeof before), 0) << "MemFree of " << c.Name;
    EXPECT_EQ(MemRealloc(c.Address, 10), nullptr) << c.Name;
    after = TakeSnapshot(block);
    EXPECT_EQ(memcmp(&before, &after, sizeof before), 0) << "MemRealloc of " << c.Name;
  }
}

TEST_F(MemoryPool, OneEmptyPagePerClassStaysCommitted) {
  for (SizeClass* c : {Class8, ClassOfBlockSize(256), Class4096}) {
    std::vector<void*> first = FreshPage(c);
    std::vector<void*> second = FreshPage(c);
    uint8_t* firstPage = PageOf(first[0]);
    uint8_t* secondPage = PageOf(second[0]);
    ASSERT_NE(firstPage, secondPage);
    EXPECT_EQ(FreeBlocksInPage(c, firstPage), 0);

    for (void* b : first) MemFree(b);
    EXPECT_EQ(c->EmptyPage, PageDescriptorOf(firstPage)) << "class " << c->BlockSize;
    EXPECT_EQ(PageState(firstPage), DWORD(MEM_COMMIT)) << "class " << c->BlockSize;
    EXPECT_EQ(FreeBlocksInPage(c, firstPage), PoolPageSize / c->BlockSize) << "class " << c->BlockSize;

    for (void* b : second) MemFree(b);
    EXPECT_EQ(c->EmptyPage, PageDescriptorOf(secondPage)) << "class " << c->BlockSize;
    EXPECT_EQ(PageState(secondPage), DWORD(MEM_COMMIT)) << "class " << c->BlockSize;
    EXPECT_EQ(PageState(firstPage), DWORD(MEM_RESERVE)) << "first page decommitted, class " << c->BlockSize;
    EXPECT_EQ(FreeBlocksInPage(c, firstPage), 0) << "class " << c->BlockSize;
    EXPECT_EQ(FreePageDescriptors, PageDescriptorOf(firstPage)) << "class " << c->BlockSize;

    // Taking a block from the cached page makes it a page in use again.
    void* again = Hold(c->BlockSize);
    EXPECT_EQ(PageOf(again), secondPage) << "class " << c->BlockSize;
    EXPECT_EQ(c->EmptyPage, nullptr) << "class " << c->BlockSize;
    EXPECT_EQ(PageDescriptorOf(secondPage)->Used, 1) << "class " << c->BlockSize;
  }
}

TEST_F(MemoryPool, OneEmptyRegionStaysReserved) {
  DrainPages();
  ASSERT_EQ(CachedEmptyRegion, nullptr);

  // One block per page: fill a whole new region, then start a second one.
  std::vector<void*> first;
  first.push_back(MemAlloc(4096));
  while (FreePageDescriptors) first.push_back(MemAlloc(4096));
  uint8_t* firstRegion = RegionBaseOf(first[0]);
  ASSERT_EQ(first.size(), size_t(RegionPageCount - 1));
  for (void* b : first) ASSERT_EQ(RegionBaseOf(b), firstRegion);
  EXPECT_EQ(RegionCommittedPages(firstRegion), RegionPageCount - 1);
  void* second = MemAlloc(4096);
  uint8_t* secondRegion = RegionBaseOf(second);
  ASSERT_NE(secondRegion, firstRegion);

  for (void* b : first) MemFree(b);
  EXPECT_EQ(RegionCommittedPages(firstRegion), 1) << "its last page is the class's empty page";
  EXPECT_EQ(CachedEmptyRegion, nullptr);

  MemFree(second);  // gives the first region's last page back
  EXPECT_EQ(CachedEmptyRegion, firstRegion);
  EXPECT_EQ(RegionCommittedPages(firstRegion), 0);
  EXPECT_TRUE(InPool(firstRegion));
  EXPECT_EQ(PageState(firstRegion), DWORD(MEM_COMMIT)) << "descriptor page";
  EXPECT_EQ(PageState(firstRegion + PoolPageSize), DWORD(MEM_RESERVE));

  // Freeing a block of an older region gives the second region's page back.
  MemFree(Held.back());
  Held.pop_back();
  EXPECT_EQ(CachedEmptyRegion, secondRegion);
  EXPECT_FALSE(InPool(firstRegion));
  EXPECT_EQ(PageState(firstRegion), DWORD(MEM_FREE)) << "first region released";
  EXPECT_EQ(FreeDescriptorsInRegion(firstRegion), 0);
  EXPECT_EQ(PageState(secondRegion), DWORD(MEM_COMMIT));
}

TEST_F(MemoryPool, RegionSearchWrapsAfterTheLastNumber) {
  DrainPages();
  const int32_t last = RegionNumberEnd - 1;
  ASSERT_EQ(RegionMap[last], 0);
  int32_t firstUnmapped = FirstRegionNumber;
  while (RegionMap[firstUnmapped]) firstUnmapped++;

  NextRegionNumber = last;
  VFake.RefusedAddress = uintptr_t(last) << 20;
  MemorySys.VirtualAlloc = FakeVirtualAlloc;
  void* p = Hold(4096);
  ASSERT_GE(VFake.Reserves.size(), 2u);
  EXPECT_EQ(VFake.Reserves[0], uintptr_t(last) << 20);
  EXPECT_EQ(VFake.Reserves[1], uintptr_t(firstUnmapped) << 20) << "tries go on at the first number";
  ASSERT_TRUE(InPool(p));
  EXPECT_EQ(uintptr_t(RegionBaseOf(p)), VFake.Reserves.back());
  EXPECT_EQ(NextRegionNumber, RegionNumberOf(p) + 1);
}

TEST_F(MemoryPool, FailingPoolFallsBackToTheHeap) {
  struct Case {
    const char* Name;
    DWORD Refused;
    bool NeedsRegion;  // drain every page first, so a new region is needed
  } cases[] = {
      {"no region can be reserved", MEM_RESERVE, true},
      {"a new region's descriptor page cannot be committed", MEM_COMMIT, true},
      {"a page cannot be committed", MEM_COMMIT, false},
  };
  for (const Case& c : cases) {
    if (c.NeedsRegion) {
      DrainPages();
    } else {
      DrainClass(Class4096);
      EnsureFreePage();
    }
    PageDescriptor* freePages = FreePageDescriptors;
    uint8_t* cached = CachedEmptyRegion;
    int32_t next = NextRegionNumber;
    int unmapped = UnmappedRegionNumbers();
    VFake = VirtualAllocFake();
    VFake.Refused = c.Refused;
    MemorySys.VirtualAlloc = FakeVirtualAlloc;

    void* p = Hold(4096);
    MemorySys.VirtualAlloc = Saved.VirtualAlloc;
    EXPECT_FALSE(InPool(p)) << c.Name;
    EXPECT_EQ(BlockSizeOf(p), 4096u) << c.Name;
    EXPECT_EQ(FreePageDescriptors, freePages) << c.Name;
    EXPECT_EQ(CachedEmptyRegion, cached) << c.Name;
    EXPECT_EQ(UnmappedRegionNumbers(), unmapped) << c.Name;
    if (c.Refused == MEM_RESERVE) {
      EXPECT_EQ(VFake.Reserves.size(), size_t(unmapped)) << "every free number tried once";
      EXPECT_EQ(NextRegionNumber, next) << "a full round of tries";
    } else if (c.NeedsRegion) {
      ASSERT_FALSE(VFake.Reserves.empty()) << c.Name;
      uintptr_t reserved = VFake.Reserves.back();
      EXPECT_EQ(PageState(reinterpret_cast<void*>(reserved)), DWORD(MEM_FREE)) << "reservation released";
      EXPECT_EQ(NextRegionNumber, int32_t(reserved >> 20) + 1) << "no tries after the failed commit";
    } else {
      EXPECT_TRUE(VFake.Reserves.empty()) << c.Name;
      EXPECT_EQ(PageState(PageOfDescriptor(freePages)), DWORD(MEM_RESERVE)) << c.Name;
    }
  }
}

TEST_F(MemoryStart, SecondStartDoesNothing) {
  HANDLE heap = MemoryHeap;
  uint8_t* map = RegionMap;
  HeapCreateCalls = 0;
  MemorySys.HeapCreate = CountingHeapCreate;
  EXPECT_TRUE(InitMemory());
  EXPECT_EQ(HeapCreateCalls, 0);
  EXPECT_EQ(MemoryHeap, heap);
  EXPECT_EQ(RegionMap, map);
  EXPECT_EQ(MemoryReady, 1);
}

// Runs in a child process: starts the allocator afresh with one system call
// failing at a time, then starts and stops it for real.
void StartWithFailures() {
  struct Case {
    const char* Name;
    void (*Break)();
  } cases[] = {
      {"heap cannot be created", [] { MemorySys.HeapCreate = FailHeapCreate; }},
      {"region map cannot be taken", [] { MemorySys.HeapAlloc = FailHeapAlloc; }},
      {"no region can be reserved",
       [] {
         VFake.Refused = MEM_RESERVE;
         MemorySys.VirtualAlloc = FakeVirtualAlloc;
       }},
  };
  MemorySystemCalls real = MemorySys;
  for (const Case& c : cases) {
    MemoryHeap = nullptr;
    MemoryReady = 0;
    c.Break();
    if (InitMemory() || MemoryReady || MemoryHeap) {
      fprintf(stderr, "%s: reported as started\n", c.Name);
      exit(1);
    }
    if (InitMemory()) {
      fprintf(stderr, "%s: second call reported as started\n", c.Name);
      exit(1);
    }
    MemorySys = real;
  }
  if (!InitMemory() || !MemoryReady || !MemoryHeap) {
    fprintf(stderr, "did not start with working calls\n");
    exit(1);
  }
  HANDLE heap = MemoryHeap;
  MemorySys.HeapDestroy = RecordingHeapDestroy;
  TermMemory();
  if (MemoryReady || DestroyedHeap != heap) {
    fprintf(stderr, "stop left the allocator ready or the heap alive\n");
    exit(1);
  }
  exit(0);
}

TEST_F(MemoryDeathTest, FailedStartReportsFalseAndCanBeRetried) {
  EXPECT_EXIT(StartWithFailures(), testing::ExitedWithCode(0), "");
}

TEST_F(MemoryDeathTest, ExhaustionShowsTheMessageAndExits253) {
  struct Case {
    const char* Name;
    void (*Run)();
  } cases[] = {
      {"heap block refused",
       [] {
         MemorySys.HeapAlloc = FailHeapAlloc;
         MemAlloc(5000);
       }},
      {"pool and heap refused",
       [] {
         VFake.Refused = MEM_RESERVE | MEM_COMMIT;
         MemorySys.VirtualAlloc = FakeVirtualAlloc;
         MemorySys.HeapAlloc = FailHeapAlloc;
         for (;;) MemAlloc(4096);
       }},
      {"heap block cannot grow",
       [] {
         void* p = MemAlloc(5000);
         MemorySys.HeapReAlloc = FailHeapReAlloc;
         MemRealloc(p, 9000);
       }},
      {"heap block size unknown",
       [] {
         void* p = MemAlloc(5000);
         MemorySys.HeapSize = FailHeapSize;
         MemRealloc(p, 100);
       }},
      {"largest request",
       [] {
         SmallestFairRequest = INT32_MAX;
         MemorySys.HeapAlloc = BoundedHeapAlloc;
         MemAlloc(INT32_MAX);
       }},
      {"request within a granule of the limit",
       [] {
         SmallestFairRequest = INT32_MAX - 100;
         MemorySys.HeapAlloc = BoundedHeapAlloc;
         MemAlloc(INT32_MAX - 100);
       }},
      {"heap block grown to the largest size",
       [] {
         void* p = MemAlloc(5000);
         SmallestFairRequest = INT32_MAX;
         MemorySys.HeapReAlloc = BoundedHeapReAlloc;
         MemRealloc(p, INT32_MAX);
       }},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          MemorySys.MessageBoxA = RecordingMessageBox;
          c.Run();
        },
        testing::ExitedWithCode(253), "out-of-memory message shown")
        << c.Name;
  }
}

}  // namespace
