// Files, directories and disks as wholes: the operations behind their
// elements that other files and the tests share.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"

// Totals of the current drive from the last QueryDiskSpace.
extern uint64_t DiskTotalBytes;
extern uint64_t DiskFreeBytes;

// The one disk call the tests replace: the cluster query of the fallback path.
struct DiskCalls {
  BOOL(WINAPI* GetDiskFreeSpace)(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                                 LPDWORD freeClusters, LPDWORD totalClusters);
};
extern DiskCalls DiskSys;
extern const DiskCalls RealDiskSys;

// The next text operand without leading codes 1..32 and trailing codes up to 32.
void EvalNextTrimmedText(Text& t);
// One directory; true when it was made or already is a directory.
bool CreateOneDirectory(Text path);
// The directory and every missing directory above it.
bool CreateDirPath(Text path);
// Fills DiskTotalBytes and DiskFreeBytes for the current drive.
void QueryDiskSpace();
// The bare names matching each ';'-separated pattern, each followed by CR LF.
void ListFiles(Text& result, Text patterns);
