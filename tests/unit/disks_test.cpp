// The current directory and the current drive's label, serial number,
// type, size and free space.
#include "file_fixture.h"
#include "startup/runtime.h"

namespace {

class Disks : public FileTest {
 public:
  FARPROC SavedEx = GetDiskFreeSpaceExProc;
  ~Disks() override {
    GetDiskFreeSpaceExProc = SavedEx;
    DiskSys = RealDiskSys;
  }
};

// What the fakes answer and how often they were asked.
struct FakeDisk {
  BOOL Ok;
  ULONGLONG Total, Free, Available;
  DWORD SectorsPerCluster, BytesPerSector, FreeClusters, TotalClusters;
  int Calls;
  bool RootGiven;
};
FakeDisk FakeEx, FakeClusters;

BOOL WINAPI FakeGetDiskFreeSpaceEx(LPCSTR root, PULARGE_INTEGER available, PULARGE_INTEGER total,
                                   PULARGE_INTEGER free) {
  FakeEx.Calls++;
  FakeEx.RootGiven |= root != nullptr;
  available->QuadPart = FakeEx.Available;
  total->QuadPart = FakeEx.Total;
  free->QuadPart = FakeEx.Free;
  return FakeEx.Ok;
}

BOOL WINAPI FakeGetDiskFreeSpace(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                                 LPDWORD freeClusters, LPDWORD totalClusters) {
  FakeClusters.Calls++;
  FakeClusters.RootGiven |= root != nullptr;
  *sectorsPerCluster = FakeClusters.SectorsPerCluster;
  *bytesPerSector = FakeClusters.BytesPerSector;
  *freeClusters = FakeClusters.FreeClusters;
  *totalClusters = FakeClusters.TotalClusters;
  return FakeClusters.Ok;
}

TEST_F(Disks, SpaceFromTheExtendedCallOrClusters) {
  const struct {
    bool HasEx;
    BOOL ExOk, ClustersOk;
    uint64_t Total, Free;
  } cases[] = {
      // The extended call: all free bytes, not the caller's share.
      {true, TRUE, TRUE, 6000000000000ull, 5000000000ull},
      // Its failure or absence: clusters times cluster size, in 64 bits.
      {true, FALSE, TRUE, 64ull * 512 * 3000000, 64ull * 512 * 200000},
      {false, FALSE, TRUE, 64ull * 512 * 3000000, 64ull * 512 * 200000},
      {false, FALSE, FALSE, 0, 0},
  };
  for (auto& c : cases) {
    FakeEx = {c.ExOk, 6000000000000ull, 5000000000ull, 1000, 0, 0, 0, 0, 0, false};
    FakeClusters = {c.ClustersOk, 0, 0, 0, 64, 512, 200000, 3000000, 0, false};
    GetDiskFreeSpaceExProc = c.HasEx ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(FakeGetDiskFreeSpaceEx))
                                     : nullptr;
    DiskSys.GetDiskFreeSpace = FakeGetDiskFreeSpace;
    DiskTotalBytes = DiskFreeBytes = 12345;
    QueryDiskSpace();
    EXPECT_EQ(c.Total, DiskTotalBytes) << c.HasEx << c.ExOk << c.ClustersOk;
    EXPECT_EQ(c.Free, DiskFreeBytes) << c.HasEx << c.ExOk << c.ClustersOk;
    EXPECT_EQ(c.ExOk ? 0 : 1, FakeClusters.Calls) << c.HasEx << c.ExOk << c.ClustersOk;
    EXPECT_FALSE(FakeEx.RootGiven || FakeClusters.RootGiven) << "the current drive";
  }
  // The elements give the figures as numbers.
  GetDiskFreeSpaceExProc = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(FakeGetDiskFreeSpaceEx));
  FakeEx.Ok = TRUE;
  EXPECT_EQ(6000000000000.0, Number(Element(El::disk_size)));
  EXPECT_EQ(5000000000.0, Number(Element(El::disk_free)));
}

TEST_F(Disks, RealDrive) {
  // Both paths on the real drive: the extended call as start-up finds it, and clusters.
  ULARGE_INTEGER available, total, free;
  ASSERT_TRUE(GetDiskFreeSpaceExA(nullptr, &available, &total, &free));
  for (bool extended : {true, false}) {
    GetDiskFreeSpaceExProc = extended ? GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "GetDiskFreeSpaceExA") : nullptr;
    double size = Number(Element(El::disk_size)), unused = Number(Element(El::disk_free));
    if (extended) {
      EXPECT_EQ((double)total.QuadPart, size);
    }
    EXPECT_GT(size, 0) << extended;
    EXPECT_GE(unused, 0) << extended;
    EXPECT_LE(unused, size) << extended;
  }
  DWORD serial = 0;
  char label[MAX_PATH] = "";
  BOOL known = GetVolumeInformationA(nullptr, label, MAX_PATH, &serial, nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(known ? (double)serial : 0.0, Number(Element(El::disk_serial)));
  EXPECT_EQ(known ? label : "", TextOf(Element(El::disk_label)));
  EXPECT_EQ((double)GetDriveTypeA(nullptr), Number(Element(El::disk_type)));
  EXPECT_EQ(0, FileError);
}

TEST_F(Disks, CurrentDirectory) {
  EXPECT_EQ(Dir, TextOf(Element(El::current_dir)));
  CreateDirectoryA("sub", nullptr);
  CreateDirectoryA(" lead", nullptr);
  Command("(current_dir " + Const("sub") + ")");
  EXPECT_EQ(0, FileError);
  EXPECT_EQ(Dir + "\\sub", TextOf(Element(El::current_dir)));
  // The operand is not trimmed: " lead" is a directory of its own.
  Command("(current_dir " + Const("..") + ")(current_dir " + Const(" lead") + ")");
  EXPECT_EQ(0, FileError);
  EXPECT_EQ(Dir + "\\ lead", TextOf(Element(El::current_dir)));
  Command("(current_dir " + Const("no-such-dir") + ")");
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(Dir + "\\ lead", TextOf(Element(El::current_dir)));
}

}  // namespace
