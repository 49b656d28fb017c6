// The engine's one allocator: size-class page pools up to 4096 bytes, a
// private heap above. Exhaustion never reaches a caller (message, exit 253).
#pragma once
#include <windows.h>
#include <stdint.h>

struct SizeClass;

struct PageDescriptor {
  PageDescriptor* Next;  // links in FreePageDescriptors while uncommitted
  PageDescriptor* Prev;
  SizeClass* Class;      // owning class while committed
  int32_t Used;          // blocks of the page in use
};

struct FreeBlock {
  FreeBlock* Next;
  FreeBlock* Prev;
};

struct SizeClass {
  FreeBlock* FreeList;
  PageDescriptor* EmptyPage;
  int32_t BlockSize;
};

// The system calls the allocator makes; tests replace entries to make them fail.
struct MemorySystemCalls {
  HANDLE(WINAPI* HeapCreate)(DWORD, SIZE_T, SIZE_T);
  BOOL(WINAPI* HeapDestroy)(HANDLE);
  LPVOID(WINAPI* HeapAlloc)(HANDLE, DWORD, SIZE_T);
  LPVOID(WINAPI* HeapReAlloc)(HANDLE, DWORD, LPVOID, SIZE_T);
  SIZE_T(WINAPI* HeapSize)(HANDLE, DWORD, LPCVOID);
  BOOL(WINAPI* HeapFree)(HANDLE, DWORD, LPVOID);
  LPVOID(WINAPI* VirtualAlloc)(LPVOID, SIZE_T, DWORD, DWORD);
  BOOL(WINAPI* VirtualFree)(LPVOID, SIZE_T, DWORD);
  int(WINAPI* MessageBoxA)(HWND, LPCSTR, LPCSTR, UINT);
};

const int SizeClassCount = 12;
const int PoolBlockLimit = 4096;
const int FirstRegionNumber = 8;
const int RegionNumberEnd = 1927;  // one past the last region number (1926)

extern MemorySystemCalls MemorySys;
extern HANDLE MemoryHeap;
extern uint8_t* RegionMap;
extern uint8_t MemoryReady;
extern SizeClass SizeClasses[SizeClassCount];
extern PageDescriptor* FreePageDescriptors;
extern uint8_t* CachedEmptyRegion;
extern int32_t NextRegionNumber;

bool InitMemory();
void TermMemory();
void* MemAlloc(int32_t n);
void MemFree(void* p);
void* MemRealloc(void* p, int32_t n);
[[noreturn]] void ShowMemoryError();

// Pool internals, reachable by the tests: the address rules and the steps of
// the pool.
const int PoolPageSize = 4096;
const int RegionPageCount = 256;  // page 0 holds the region's descriptors
uint8_t* RegionBaseOf(const void* p);
PageDescriptor* PageDescriptorOf(const void* p);
uint8_t* PageOfDescriptor(const PageDescriptor* d);
int32_t& RegionCommittedPages(uint8_t* region);  // first word of descriptor 0
void* PoolAllocBlock(SizeClass* c);
void PoolFreeBlock(SizeClass* c, void* p);
bool PoolNewPage(SizeClass* c);
void PoolReleaseEmptyPage(SizeClass* c);
bool PoolNewRegion();
void PoolReleaseEmptyRegion();
