// The drawing benchmark (not a test): nanoseconds per pixel or per call of
// the drawing commands' execution functions on a 640 x 480 background layer
// (box fill, line, flood fill, circle fill, background display of an opaque
// and a masked picture, text output), run on hand-built steps with constant
// operands, beside memset and memcpy of the same area in the same run.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <vector>
#include "base/memory.h"
#include "bench_engine.h"
#include "base/text.h"
#include "base/value_lists.h"
#include "code/compiled_code.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "graphics/surface.h"
#include "startup/runtime.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/palette.h"
#include "values/picture.h"
#include "values/sprite.h"
#include "window/main_window.h"
#include "run/window_proc.h"

static double NowNs() {
  LARGE_INTEGER c, f;
  QueryPerformanceCounter(&c);
  QueryPerformanceFrequency(&f);
  return c.QuadPart * 1e9 / f.QuadPart;
}

static const int Runs = 7;

// The least over Runs runs of the time of one of reps calls of body, in ns.
template <class F>
static double LeastNs(int reps, F body) {
  body();  // warm the caches and the font
  double best = 1e300;
  for (int run = 0; run < Runs; run++) {
    double t = NowNs();
    for (int k = 0; k < reps; k++) body();
    double ns = (NowNs() - t) / reps;
    if (ns < best) best = ns;
  }
  return best;
}

// A command step and its operands, run as the interpreter runs a command.
struct Steps {
  std::vector<ExecItem> Items;
  explicit Steps(ExecCmdFunction f) { Items.push_back({EXEC_FN(Cmd, f), 0, -1, 0}); }
  Steps& Num(double v) {
    ExecItem s = {EXEC_FN(Num, ExecNumConst), 0, -1, 0};
    SetStepNumber(s, v);
    Items.push_back(s);
    return *this;
  }
  Steps& Px(double pixels) { return Num(pixels / 32); }
  Steps& Color(uint8_t index) { return Num(PaletteColors[index]); }
  Steps& Step(ExecFunction f, int32_t param) {
    Items.push_back({f, param, -1, 0});
    return *this;
  }
  void Run() {
    ExecPointer = Items.data();
    RunCmd();
  }
};

static const int64_t Area = 640 * 480;

static int64_t CountColor(uint8_t c) {
  int64_t n = 0;
  for (int32_t y = 0; y < SurfaceHeight; y++)
    for (int32_t x = 0; x < SurfaceWidth; x++) n += BackgroundLayer[(int64_t)y * SurfaceStride + x] == c;
  return n;
}

static void ClearLayer() { memset(BackgroundLayer, BlackColor, (size_t)SurfaceStride * SurfaceHeight); }

static double FloorMemset, FloorMemcpy;

static void Row(const char* name, double ns, int64_t pixels, double floor, const char* floorName) {
  if (pixels > 0) {
    double perPixel = ns / pixels;
    printf("%-34s %10.1f %8lld %9.4f   %-7s %7.4f  %6.2f\n", name, ns, (long long)pixels, perPixel, floorName,
           floor, perPixel / floor);
  } else {
    printf("%-34s %10.1f        -         -   -             -       -\n", name, ns);
  }
}

static int32_t FullPicture(bool masked) {
  Picture p(640, 480);
  for (int32_t y = 0; y < 480; y++)
    for (int32_t x = 0; x < 640; x++) {
      uint8_t v = (uint8_t)(30 + (x + y) % 150);
      // The masked picture: a quarter transparent, an eighth shadow.
      if (masked && (x / 8 + y / 8) % 4 == 0) v = TransparentColor;
      if (masked && (x / 8 + y / 8) % 8 == 1) v = ShadowColor;
      p.Data->Pixels[y * 640 + x] = v;
    }
  return Pictures.Append(p);
}

int main() {
  if (int failed = StartBenchEngine()) return failed;
  Icons.AppendNew();
  Maps.AppendNew(20, 15);
  Sprites.AppendNew();
  Sprites.AppendNew();
  if (!CreateMainWindow(WindowProc)) return 5;
  InitGraphicsSurface();
  if (SurfaceWidth != 640 || SurfaceHeight != 480) return 6;
  ClearLayer();

  // The floors: one memset and one memcpy of the whole area.
  uint8_t* a = (uint8_t*)MemAlloc((int32_t)Area);
  uint8_t* b = (uint8_t*)MemAlloc((int32_t)Area);
  memset(b, 7, (size_t)Area);
  int k = 0;
  FloorMemset = LeastNs(400, [&] { memset(a, (uint8_t)(k++), (size_t)Area); }) / Area;
  FloorMemcpy = LeastNs(400, [&] { memcpy(a, b, (size_t)Area); }) / Area;
  volatile uint8_t sink = a[Area / 2];
  (void)sink;

  printf("case                                  ns/call   pixels  ns/pixel   floor   ns/pixel  ratio\n");
  printf("%-34s %10.1f %8lld %9.4f\n", "memset 640 x 480", FloorMemset * Area, (long long)Area, FloorMemset);
  printf("%-34s %10.1f %8lld %9.4f\n", "memcpy 640 x 480", FloorMemcpy * Area, (long long)Area, FloorMemcpy);

  // Filled box over the whole surface, alternating two colours.
  Steps box1 = Steps(ExecCmdBoxFill).Color(30).Px(0).Px(0).Px(640).Px(480);
  Steps box2 = Steps(ExecCmdBoxFill).Color(40).Px(0).Px(0).Px(640).Px(480);
  Row("box fill 640 x 480", LeastNs(200, [&] { box1.Run(); box2.Run(); }) / 2, Area, FloorMemset, "memset");
  Steps small = Steps(ExecCmdBoxFill).Color(30).Px(100).Px(100).Px(132).Px(132);
  Row("box fill 32 x 32", LeastNs(20000, [&] { small.Run(); }), 32 * 32, FloorMemset, "memset");

  // Lines of width 1 and 5 across the surface's diagonal, a horizontal one.
  ClearLayer();
  Steps diag = Steps(ExecCmdLine).Color(30).Num(1).Px(0).Px(0).Px(639).Px(479);
  diag.Run();
  int64_t diagPixels = CountColor(30);
  Row("line width 1, diagonal", LeastNs(5000, [&] { diag.Run(); }), diagPixels, FloorMemset, "memset");
  ClearLayer();
  Steps thick = Steps(ExecCmdLine).Color(30).Num(5).Px(0).Px(0).Px(639).Px(479);
  thick.Run();
  int64_t thickPixels = CountColor(30);
  Row("line width 5, diagonal", LeastNs(2000, [&] { thick.Run(); }), thickPixels, FloorMemset, "memset");
  ClearLayer();
  Steps flat = Steps(ExecCmdLine).Color(30).Num(1).Px(0).Px(240).Px(639).Px(240);
  flat.Run();
  int64_t flatPixels = CountColor(30);
  Row("line width 1, horizontal", LeastNs(5000, [&] { flat.Run(); }), flatPixels, FloorMemset, "memset");

  // Flood fill of the whole surface (each call changes its colour), and of
  // the surface striped by vertical lines every 8 columns.
  ClearLayer();
  Steps fill1 = Steps(ExecCmdFill).Color(30).Px(320).Px(240);
  Steps fill2 = Steps(ExecCmdFill).Color(40).Px(320).Px(240);
  Row("fill 640 x 480, open", LeastNs(50, [&] { fill1.Run(); fill2.Run(); }) / 2, Area, FloorMemset, "memset");
  ClearLayer();
  for (int32_t x = 0; x < 640; x += 8)
    for (int32_t y = 1; y < 480; y++) BackgroundLayer[(int64_t)y * SurfaceStride + x] = 62;
  int64_t mazePixels = Area - CountColor(62);
  Steps comb1 = Steps(ExecCmdFill).Color(30).Px(321).Px(240);
  Steps comb2 = Steps(ExecCmdFill).Color(40).Px(321).Px(240);
  Row("fill, comb of 80 teeth", LeastNs(50, [&] { comb1.Run(); comb2.Run(); }) / 2, mazePixels, FloorMemset,
      "memset");
  if (Area - CountColor(62) - CountColor(40) != 0) printf("(the comb fill left pixels unpainted)\n");

  // A filled circle of diameter 400 in the middle of the surface.
  ClearLayer();
  Steps disc1 = Steps(ExecCmdCircleFill).Color(30).Px(320).Px(240).Num(400 / 64.0);
  Steps disc2 = Steps(ExecCmdCircleFill).Color(40).Px(320).Px(240).Num(400 / 64.0);
  disc1.Run();
  int64_t discPixels = CountColor(30);
  Row("circle fill, diameter 400", LeastNs(200, [&] { disc1.Run(); disc2.Run(); }) / 2, discPixels, FloorMemset,
      "memset");
  Steps dot1 = Steps(ExecCmdCircleFill).Color(30).Px(320).Px(240).Num(20 / 64.0);
  ClearLayer();
  dot1.Run();
  int64_t dotPixels = CountColor(30);
  Row("circle fill, diameter 20", LeastNs(20000, [&] { dot1.Run(); }), dotPixels, FloorMemset, "memset");

  // Background display of a whole-surface picture, opaque and masked.
  int32_t opaque = FullPicture(false), masked = FullPicture(true);
  Steps showOpaque = Steps(ExecCmdBackgroundDisp).Step(EXEC_FN(Picture, ExecPictureGlobal), opaque);
  showOpaque.Px(0).Px(0).Px(0).Px(0).Px(2000000 * 32.0).Px(2000000 * 32.0);
  Steps showMasked = Steps(ExecCmdBackgroundDisp).Step(EXEC_FN(Picture, ExecPictureGlobal), masked);
  showMasked.Px(0).Px(0).Px(0).Px(0).Px(2000000 * 32.0).Px(2000000 * 32.0);
  Row("background display, opaque", LeastNs(200, [&] { showOpaque.Run(); }), Area, FloorMemcpy, "memcpy");
  Row("background display, masked", LeastNs(200, [&] { showMasked.Run(); }), Area, FloorMemcpy, "memcpy");

  // Text output: one line of plain default text, and a three-line text.
  int32_t line = Texts.Append(Text("The quick brown fox jumps over the lazy dog"));
  int32_t lines = Texts.Append(Text("First line\r\nSecond line of text\r\nThird"));
  for (int32_t t : {line, lines}) {
    Steps out = Steps(ExecCmdTextout).Step(EXEC_FN(Text, ExecTextGlobal), t);
    out.Color(30).Px(10).Px(240).Num(0).Num(0).Num(0);
    for (int i = 0; i < 6; i++) out.Step(EXEC_FN(Bool, ExecBoolFalse), 0);
    Row(t == line ? "textout, one line" : "textout, three lines", LeastNs(200, [&] { out.Run(); }), 0, 0, "");
  }
  printf("(text output is per call: it draws into a one-bit mask of the whole surface and expands it)\n");
  fflush(stdout);
  ExitProcess(0);
}
