// The current directory and the current drive: its label, serial number,
// size, free space and type.
#include <windows.h>
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "base/process.h"
#include "system/files.h"
#include "system/data_files.h"

uint64_t DiskTotalBytes;
uint64_t DiskFreeBytes;

const DiskCalls RealDiskSys = {GetDiskFreeSpaceA};
DiskCalls DiskSys = RealDiskSys;

typedef BOOL(WINAPI* GetDiskFreeSpaceExCall)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// The extended call where the system has it (all free bytes, not the
// caller's quota), else clusters times their size in 64 bits; 0 and 0 when
// both fail.
void QueryDiskSpace() {
  if (GetDiskFreeSpaceExProc) {
    ULARGE_INTEGER available, total, free;
    if (reinterpret_cast<GetDiskFreeSpaceExCall>(reinterpret_cast<void*>(GetDiskFreeSpaceExProc))(nullptr, &available, &total, &free)) {
      DiskTotalBytes = total.QuadPart;
      DiskFreeBytes = free.QuadPart;
      return;
    }
  }
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
  if (!DiskSys.GetDiskFreeSpace(nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
    DiskTotalBytes = DiskFreeBytes = 0;
    return;
  }
  uint64_t cluster = (uint64_t)sectorsPerCluster * bytesPerSector;
  DiskTotalBytes = cluster * totalClusters;
  DiskFreeBytes = cluster * freeClusters;
}

// Total bytes of the current drive.
double ExecNumDiskSize() {
  QueryDiskSpace();
  return (double)DiskTotalBytes;
}

// Free bytes of the current drive.
double ExecNumDiskFree() {
  QueryDiskSpace();
  return (double)DiskFreeBytes;
}

// The current drive's volume serial number, unsigned; 0 when unknown.
double ExecNumDiskSerial() {
  DWORD serial;
  if (!GetVolumeInformationA(nullptr, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return 0;
  return serial;
}

// The system's type code of the current drive.
double ExecNumDriveType() { return GetDriveTypeA(nullptr); }

// The current drive's volume label; the empty text when unknown.
void ExecTextVolumeLabel(Text& r) {
  char label[MAX_PATH];
  if (!GetVolumeInformationA(nullptr, label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0)) {
    r.Empty();
    return;
  }
  label[MAX_PATH - 1] = 0;
  r.AssignChars(label);
}

// Text operand, taken as it is: the new label of the current drive; a
// refusal sets FileError.
void ExecCmdSetVolumeLabel() {
  Text label;
  RunValue(label);
  if (!SetVolumeLabelA(nullptr, label.Chars())) FileError = 1;
}

// The current directory.
void ExecTextCurrentDir(Text& r) { r.LoadCurrentDirectory(); }

// Text operand, taken as it is: the new current directory; a refusal sets
// FileError.
void ExecCmdSetCurrentDir() {
  Text path;
  RunValue(path);
  if (!SetCurrentDirectoryA(path.Chars())) FileError = 1;
}
