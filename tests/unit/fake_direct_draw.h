// A fake DirectDraw behind the creation pointer: COM-shaped objects whose
// vtables hold only the operations the engine calls (the other slots are
// null, so a call the engine should not make fails loudly). It lists scripted
// modes, answers with scripted results, hands out a lock buffer and records
// each call in order.
#pragma once
#include <windows.h>
#include <ddraw.h>
#include <stdint.h>
#include <string>
#include <vector>

struct FakeMode {
  DWORD Width, Height, Bits;
};

struct FakeDirectDrawScript {
  // Results, DD_OK unless a test says otherwise.
  HRESULT Create, Enum, Cooperative, Surface, Palette, Lock, GetDC;
  bool CreateGivesNull, SurfaceGivesNull, PaletteGivesNull;
  std::vector<HRESULT> DisplayModeResults;  // one per SetDisplayMode call, then DD_OK
  std::vector<FakeMode> Modes;
  // The lock: bit count and size reported, the buffer (pitch x height bytes
  // plus a guard band after it).
  DWORD LockBits;
  int32_t LockWidth, LockHeight, LockPitch;
  std::vector<uint8_t> LockBuffer;
  HDC SurfaceDC;  // what GetDC gives when it succeeds

  // What the engine did.
  std::vector<std::string> Calls;
  int32_t Live;  // objects made and not released
  DDSURFACEDESC SurfaceAsked;
  DWORD PaletteFlags;
  PALETTEENTRY PaletteEntries[256];
  void* PaletteAttached;
  void* PaletteMade;
  HWND CooperativeWindow;
};
extern FakeDirectDrawScript FakeDD;

const int32_t LockGuardBytes = 4096;

// A fresh script (every result DD_OK, an 8-bit lock of w x h with pitch
// w rounded up to 8) and DirectDrawCreateProc pointing at the fake.
void InstallFakeDirectDraw(int32_t lockWidth = 640, int32_t lockHeight = 480);
// Calls recorded since the last look, joined by "; ", then forgotten.
std::string TakeFakeCalls();
