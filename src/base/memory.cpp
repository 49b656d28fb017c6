// The memory manager: headerless pool blocks in 1 MB regions reserved at fixed
// addresses, found from their address alone; larger blocks on a private heap.
#include "base/memory.h"

#include <string.h>

#include "base/language.h"
#include "base/process.h"

MemorySystemCalls MemorySys = {HeapCreate, HeapDestroy, HeapAlloc,    HeapReAlloc, HeapSize,
                               HeapFree,   VirtualAlloc, VirtualFree, MessageBoxA};

HANDLE MemoryHeap;
uint8_t* RegionMap;
uint8_t MemoryReady;
SizeClass SizeClasses[SizeClassCount] = {
    {nullptr, nullptr, 8},    {nullptr, nullptr, 16},   {nullptr, nullptr, 32},
    {nullptr, nullptr, 64},   {nullptr, nullptr, 128},  {nullptr, nullptr, 256},
    {nullptr, nullptr, 512},  {nullptr, nullptr, 1024}, {nullptr, nullptr, 2048},
    {nullptr, nullptr, 4096}, {nullptr, nullptr, 8192}, {nullptr, nullptr, 16384}};
PageDescriptor* FreePageDescriptors;
uint8_t* CachedEmptyRegion;
int32_t NextRegionNumber = FirstRegionNumber;

namespace {

const int PageShift = 12;
const int RegionShift = 20;
const SIZE_T RegionSize = SIZE_T(1) << RegionShift;
const int HeapGranule = 256;
const int32_t HeapShrinkLimit = 2048;  // heap blocks this small move into the pool
const int32_t SmallestBlock = 8;

// FreeBlock and PageDescriptor lists share the Next/Prev shape.
template <class T>
void PushFront(T*& head, T* x) {
  x->Prev = nullptr;
  x->Next = head;
  if (head) head->Prev = x;
  head = x;
}

template <class T>
void Unlink(T*& head, T* x) {
  if (x->Prev)
    x->Prev->Next = x->Next;
  else
    head = x->Next;
  if (x->Next) x->Next->Prev = x->Prev;
}

// Links count items of the given stride in address order and puts them in
// front of head.
template <class T>
void PushChain(T*& head, uint8_t* first, int count, int stride) {
  T* prev = nullptr;
  for (int i = 0; i < count; i++) {
    T* x = reinterpret_cast<T*>(first + i * stride);
    x->Prev = prev;
    if (prev) prev->Next = x;
    prev = x;
  }
  prev->Next = head;
  if (head) head->Prev = prev;
  head = reinterpret_cast<T*>(first);
}

bool IsPoolAddress(const void* p) { return RegionMap[reinterpret_cast<uintptr_t>(p) >> RegionShift]; }

// The descriptor of a pool block in use, or null for an address that is not
// the start of one (misaligned, or in a page without blocks in use).
PageDescriptor* BlockInUse(const void* p) {
  PageDescriptor* d = PageDescriptorOf(p);
  if (d->Used <= 0 || reinterpret_cast<uintptr_t>(p) % d->Class->BlockSize != 0) return nullptr;
  return d;
}

SizeClass* ClassFor(int32_t n) {
  SizeClass* c = SizeClasses;
  while (c->BlockSize < n) c++;
  return c;
}

// n rounded up to whole granules, in 64 bits so that sizes near the i32 limit
// cannot overflow; a size past the i32 range counts as heap exhaustion.
SIZE_T HeapBlockSize(int32_t n) {
  uint64_t size = (uint64_t(uint32_t(n)) + HeapGranule - 1) / HeapGranule * HeapGranule;
  if (size > uint64_t(INT32_MAX)) ShowMemoryError();
  return SIZE_T(size);
}

void* HeapBlock(int32_t n) {
  void* p = MemorySys.HeapAlloc(MemoryHeap, HEAP_NO_SERIALIZE, HeapBlockSize(n));
  if (!p) ShowMemoryError();
  return p;
}

void* MoveBlock(void* p, int32_t n, SIZE_T oldSize) {
  void* q = MemAlloc(n);
  memcpy(q, p, SIZE_T(n) < oldSize ? SIZE_T(n) : oldSize);
  return q;
}

void* PoolRealloc(void* p, int32_t n) {
  PageDescriptor* d = BlockInUse(p);
  if (!d) return nullptr;
  int32_t b = d->Class->BlockSize;
  if ((n <= SmallestBlock && b <= SmallestBlock) || (b / 4 < n && n <= b)) return p;
  void* q = MoveBlock(p, n, SIZE_T(b));
  MemFree(p);
  return q;
}

void* HeapRealloc(void* p, int32_t n) {
  if (n > HeapShrinkLimit) {
    void* q = MemorySys.HeapReAlloc(MemoryHeap, HEAP_NO_SERIALIZE, p, HeapBlockSize(n));
    if (!q) ShowMemoryError();
    return q;
  }
  SIZE_T oldSize = MemorySys.HeapSize(MemoryHeap, HEAP_NO_SERIALIZE, p);
  if (oldSize == SIZE_T(-1)) ShowMemoryError();
  void* q = MoveBlock(p, n, oldSize);
  MemorySys.HeapFree(MemoryHeap, HEAP_NO_SERIALIZE, p);
  return q;
}

// Undoes a start that failed half-way, so that a later call starts afresh.
bool AbandonStart() {
  if (MemoryHeap) MemorySys.HeapDestroy(MemoryHeap);
  MemoryHeap = nullptr;
  RegionMap = nullptr;
  return false;
}

}  // namespace

uint8_t* RegionBaseOf(const void* p) {
  return reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(p) & ~(uintptr_t(RegionSize) - 1));
}

PageDescriptor* PageDescriptorOf(const void* p) {
  uintptr_t page = (reinterpret_cast<uintptr_t>(p) >> PageShift) & (RegionPageCount - 1);
  return reinterpret_cast<PageDescriptor*>(RegionBaseOf(p)) + page;
}

uint8_t* PageOfDescriptor(const PageDescriptor* d) {
  uint8_t* region = RegionBaseOf(d);
  uintptr_t k = (reinterpret_cast<const uint8_t*>(d) - region) / sizeof(PageDescriptor);
  return region + k * PoolPageSize;
}

int32_t& RegionCommittedPages(uint8_t* region) { return *reinterpret_cast<int32_t*>(region); }

bool InitMemory() {
  if (MemoryHeap) return true;
  MemoryHeap = MemorySys.HeapCreate(HEAP_NO_SERIALIZE, 4096, 0);
  if (!MemoryHeap) return false;
  RegionMap = static_cast<uint8_t*>(
      MemorySys.HeapAlloc(MemoryHeap, HEAP_ZERO_MEMORY | HEAP_NO_SERIALIZE, 4096));
  if (!RegionMap) return AbandonStart();
  MemoryReady = PoolNewRegion();
  return MemoryReady || AbandonStart();
}

void TermMemory() {
  MemoryReady = 0;
  if (MemoryHeap) MemorySys.HeapDestroy(MemoryHeap);
  MemoryHeap = nullptr;
  RegionMap = nullptr;
}

void* MemAlloc(int32_t n) {
  if (n <= 0) n = 1;
  if (n <= PoolBlockLimit) {
    void* b = PoolAllocBlock(ClassFor(n));
    if (b) return b;
  }
  return HeapBlock(n);
}

void MemFree(void* p) {
  if (!p) return;
  if (!IsPoolAddress(p)) {
    MemorySys.HeapFree(MemoryHeap, HEAP_NO_SERIALIZE, p);
    return;
  }
  PageDescriptor* d = BlockInUse(p);
  if (d) PoolFreeBlock(d->Class, p);
}

void* MemRealloc(void* p, int32_t n) {
  if (!p) return n <= 0 ? nullptr : MemAlloc(n);
  if (n <= 0) {
    MemFree(p);
    return nullptr;
  }
  return IsPoolAddress(p) ? PoolRealloc(p, n) : HeapRealloc(p, n);
}

void ShowMemoryError() {
  const LanguageRow& row = LanguageTable[CurrentLanguageIndex];
  // The message box pumps messages; the window procedure must not run engine
  // code on an exhausted allocator meanwhile.
  MemoryReady = 0;
  // What the program wrote is on its way to disk before the process ends;
  // closing takes no memory.
  Exits.CloseDataFiles();
  MemorySys.MessageBoxA(nullptr, row.MemoryErrorText, row.MemoryErrorCaption, MB_ICONERROR);
  ExitRuntime(ExitNoMemory);
}

void* PoolAllocBlock(SizeClass* c) {
  if (!c->FreeList && !PoolNewPage(c)) return nullptr;
  FreeBlock* b = c->FreeList;
  PageDescriptor* d = PageDescriptorOf(b);
  d->Used += 1;
  if (d == c->EmptyPage) c->EmptyPage = nullptr;
  c->FreeList = b->Next;
  if (c->FreeList) c->FreeList->Prev = nullptr;
  return b;
}

// Keeps the page that became empty committed as the class's one cached empty
// page; an older one goes back to the system.
void PoolFreeBlock(SizeClass* c, void* p) {
  PushFront(c->FreeList, static_cast<FreeBlock*>(p));
  PageDescriptor* d = PageDescriptorOf(p);
  d->Used -= 1;
  if (d->Used == 0) {
    if (c->EmptyPage) PoolReleaseEmptyPage(c);
    c->EmptyPage = d;
  }
}

bool PoolNewPage(SizeClass* c) {
  if (!FreePageDescriptors && !PoolNewRegion()) return false;
  PageDescriptor* d = FreePageDescriptors;
  uint8_t* page = PageOfDescriptor(d);
  if (!MemorySys.VirtualAlloc(page, PoolPageSize, MEM_COMMIT, PAGE_READWRITE)) return false;
  uint8_t* region = RegionBaseOf(page);
  RegionCommittedPages(region) += 1;
  if (region == CachedEmptyRegion) CachedEmptyRegion = nullptr;
  Unlink(FreePageDescriptors, d);
  PushChain(c->FreeList, page, PoolPageSize / c->BlockSize, c->BlockSize);
  d->Class = c;
  d->Used = 0;
  c->EmptyPage = d;
  return true;
}

void PoolReleaseEmptyPage(SizeClass* c) {
  PageDescriptor* d = c->EmptyPage;
  if (!d) return;
  c->EmptyPage = nullptr;
  uint8_t* page = PageOfDescriptor(d);
  for (int offset = 0; offset < PoolPageSize; offset += c->BlockSize)
    Unlink(c->FreeList, reinterpret_cast<FreeBlock*>(page + offset));
  MemorySys.VirtualFree(page, PoolPageSize, MEM_DECOMMIT);
  PushFront(FreePageDescriptors, d);
  uint8_t* region = RegionBaseOf(page);
  RegionCommittedPages(region) -= 1;
  if (RegionCommittedPages(region) == 0) {
    if (CachedEmptyRegion) PoolReleaseEmptyRegion();
    CachedEmptyRegion = region;
  }
}

// Reserves the next free megabyte from NextRegionNumber on, wrapping after the
// last region number; every number is tried once at most.
bool PoolNewRegion() {
  uint8_t* region = nullptr;
  for (int t = 0; t < RegionNumberEnd - FirstRegionNumber && !region; t++) {
    int32_t i = NextRegionNumber;
    NextRegionNumber = i + 1 == RegionNumberEnd ? FirstRegionNumber : i + 1;
    if (RegionMap[i]) continue;
    void* at = reinterpret_cast<void*>(uintptr_t(i) << RegionShift);
    region = static_cast<uint8_t*>(MemorySys.VirtualAlloc(at, RegionSize, MEM_RESERVE, PAGE_READWRITE));
  }
  if (!region) return false;
  if (!MemorySys.VirtualAlloc(region, PoolPageSize, MEM_COMMIT, PAGE_READWRITE)) {
    MemorySys.VirtualFree(region, 0, MEM_RELEASE);
    return false;
  }
  RegionMap[reinterpret_cast<uintptr_t>(region) >> RegionShift] = 1;
  CachedEmptyRegion = region;
  RegionCommittedPages(region) = 0;
  PushChain(FreePageDescriptors, region + sizeof(PageDescriptor), RegionPageCount - 1,
            sizeof(PageDescriptor));
  return true;
}

void PoolReleaseEmptyRegion() {
  uint8_t* region = CachedEmptyRegion;
  if (!region) return;
  CachedEmptyRegion = nullptr;
  PageDescriptor* descriptors = reinterpret_cast<PageDescriptor*>(region);
  for (int k = 1; k < RegionPageCount; k++) Unlink(FreePageDescriptors, descriptors + k);
  RegionMap[reinterpret_cast<uintptr_t>(region) >> RegionShift] = 0;
  MemorySys.VirtualFree(region, PoolPageSize, MEM_DECOMMIT);
  MemorySys.VirtualFree(region, 0, MEM_RELEASE);
}
