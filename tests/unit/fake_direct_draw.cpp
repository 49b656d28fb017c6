// The fake DirectDraw objects: a vtable pointer and a kind, the operations
// as stdcall functions taking the object first, as COM calls them.
#include "fake_direct_draw.h"
#include <string.h>
#include "startup/runtime.h"

FakeDirectDrawScript FakeDD;

namespace {

struct FakeObject {
  void* const* Vtbl;
  const char* Kind;
};

void Record(const std::string& s) { FakeDD.Calls.push_back(s); }
std::string Hex(DWORD v) {
  char b[16];
  snprintf(b, sizeof b, "%lx", (unsigned long)v);
  return b;
}

ULONG WINAPI Release(FakeObject* self) {
  Record(std::string("Release ") + self->Kind);
  FakeDD.Live--;
  delete self;
  return 0;
}

// The palette.
void* const PaletteVtbl[7] = {nullptr, nullptr, (void*)Release};

// The primary surface.
HRESULT WINAPI SurfaceGetDC(FakeObject*, HDC* dc) {
  Record("GetDC");
  if (FakeDD.GetDC != DD_OK) return FakeDD.GetDC;
  *dc = FakeDD.SurfaceDC;
  return DD_OK;
}
HRESULT WINAPI SurfaceReleaseDC(FakeObject*, HDC) {
  Record("ReleaseDC");
  return DD_OK;
}
HRESULT WINAPI SurfaceLock(FakeObject*, RECT* r, DDSURFACEDESC* d, DWORD flags, HANDLE) {
  Record(std::string("Lock ") + (r ? "part" : "whole") + " " + Hex(flags));
  if (FakeDD.Lock != DD_OK) return FakeDD.Lock;
  d->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
  d->dwWidth = FakeDD.LockWidth;
  d->dwHeight = FakeDD.LockHeight;
  d->lPitch = FakeDD.LockPitch;
  d->ddpfPixelFormat.dwSize = sizeof d->ddpfPixelFormat;
  d->ddpfPixelFormat.dwRGBBitCount = FakeDD.LockBits;
  d->lpSurface = FakeDD.LockBuffer.data();
  return DD_OK;
}
HRESULT WINAPI SurfaceUnlock(FakeObject*, void* p) {
  Record(p == FakeDD.LockBuffer.data() ? "Unlock" : "Unlock other");
  return DD_OK;
}
HRESULT WINAPI SurfaceRestore(FakeObject*) {
  Record("Restore");
  return DD_OK;
}
HRESULT WINAPI SurfaceSetPalette(FakeObject*, FakeObject* p) {
  Record("SetPalette");
  FakeDD.PaletteAttached = p;
  return DD_OK;
}
void* const SurfaceVtbl[36] = {
    nullptr, nullptr, (void*)Release, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,  // 0..9
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, (void*)SurfaceGetDC,            // 10..17
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, (void*)SurfaceLock,             // 18..25
    (void*)SurfaceReleaseDC, (void*)SurfaceRestore, nullptr, nullptr, nullptr, (void*)SurfaceSetPalette,  // 26..31
    (void*)SurfaceUnlock};                                                                           // 32

FakeObject* Make(void* const* vtbl, const char* kind) {
  FakeDD.Live++;
  return new FakeObject{vtbl, kind};
}

// The DirectDraw object.
HRESULT WINAPI CreatePalette(FakeObject*, DWORD flags, PALETTEENTRY* entries, FakeObject** out, IUnknown* outer) {
  Record(std::string("CreatePalette ") + Hex(flags) + (outer ? " outer" : ""));
  FakeDD.PaletteFlags = flags;
  memcpy(FakeDD.PaletteEntries, entries, sizeof FakeDD.PaletteEntries);
  if (FakeDD.Palette != DD_OK) return FakeDD.Palette;
  *out = FakeDD.PaletteGivesNull ? nullptr : Make(PaletteVtbl, "palette");
  FakeDD.PaletteMade = *out;
  return DD_OK;
}
HRESULT WINAPI CreateSurface(FakeObject*, DDSURFACEDESC* d, FakeObject** out, IUnknown* outer) {
  Record(std::string("CreateSurface") + (outer ? " outer" : ""));
  FakeDD.SurfaceAsked = *d;
  if (FakeDD.Surface != DD_OK) return FakeDD.Surface;
  *out = FakeDD.SurfaceGivesNull ? nullptr : Make(SurfaceVtbl, "surface");
  return DD_OK;
}
HRESULT WINAPI EnumDisplayModes(FakeObject*, DWORD flags, DDSURFACEDESC* filter, void* context,
                                LPDDENUMMODESCALLBACK callback) {
  Record(std::string("EnumDisplayModes ") + Hex(flags) + (filter ? " filter" : ""));
  if (FakeDD.Enum != DD_OK) return FakeDD.Enum;
  for (const FakeMode& m : FakeDD.Modes) {
    DDSURFACEDESC d = {};
    d.dwSize = sizeof d;
    d.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    d.dwWidth = m.Width;
    d.dwHeight = m.Height;
    d.ddpfPixelFormat.dwSize = sizeof d.ddpfPixelFormat;
    d.ddpfPixelFormat.dwRGBBitCount = m.Bits;
    if (callback(&d, context) != DDENUMRET_OK) break;
  }
  return DD_OK;
}
HRESULT WINAPI RestoreDisplayMode(FakeObject*) {
  Record("RestoreDisplayMode");
  return DD_OK;
}
HRESULT WINAPI SetCooperativeLevel(FakeObject*, HWND w, DWORD flags) {
  Record("SetCooperativeLevel " + Hex(flags));
  FakeDD.CooperativeWindow = w;
  return (flags & DDSCL_EXCLUSIVE) ? FakeDD.Cooperative : DD_OK;
}
HRESULT WINAPI SetDisplayMode(FakeObject*, DWORD w, DWORD h, DWORD bits) {
  Record("SetDisplayMode " + std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(bits));
  if (FakeDD.DisplayModeResults.empty()) return DD_OK;
  HRESULT r = FakeDD.DisplayModeResults.front();
  FakeDD.DisplayModeResults.erase(FakeDD.DisplayModeResults.begin());
  return r;
}
void* const DirectDrawVtbl[23] = {
    nullptr, nullptr, (void*)Release, nullptr, nullptr, (void*)CreatePalette, (void*)CreateSurface,  // 0..6
    nullptr, (void*)EnumDisplayModes, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,         // 7..14
    nullptr, nullptr, nullptr, nullptr, (void*)RestoreDisplayMode, (void*)SetCooperativeLevel,       // 15..20
    (void*)SetDisplayMode};                                                                           // 21

HRESULT WINAPI FakeDirectDrawCreate(GUID* driver, FakeObject** out, IUnknown* outer) {
  Record(std::string("DirectDrawCreate") + (driver ? " driver" : "") + (outer ? " outer" : ""));
  if (FakeDD.Create != DD_OK) return FakeDD.Create;
  *out = FakeDD.CreateGivesNull ? nullptr : Make(DirectDrawVtbl, "directdraw");
  return DD_OK;
}

}  // namespace

void InstallFakeDirectDraw(int32_t lockWidth, int32_t lockHeight) {
  FakeDD = FakeDirectDrawScript();
  FakeDD.Create = FakeDD.Enum = FakeDD.Cooperative = FakeDD.Surface = FakeDD.Palette = FakeDD.Lock = DD_OK;
  FakeDD.GetDC = DDERR_GENERIC;
  FakeDD.LockBits = 8;
  FakeDD.LockWidth = lockWidth;
  FakeDD.LockHeight = lockHeight;
  FakeDD.LockPitch = (lockWidth + 7) & ~7;
  FakeDD.LockBuffer.assign((size_t)FakeDD.LockPitch * lockHeight + LockGuardBytes, 0xEE);
  FakeDD.Modes = {{640, 480, 8}, {800, 600, 8}, {1024, 768, 8}};
  DirectDrawCreateProc = (FARPROC)(void*)FakeDirectDrawCreate;
}

std::string TakeFakeCalls() {
  std::string s;
  for (const std::string& c : FakeDD.Calls) s += (s.empty() ? "" : "; ") + c;
  FakeDD.Calls.clear();
  return s;
}
