// The window table: the pool of the program's windows and controls. An
// entry's index is its window id; entry 0 is the main window.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"
#include "values/icon.h"
#include "values/picture.h"

struct WindowItem {
  HWND Handle;  // in a free entry: index of the next free entry
  int32_t Parent;
  int32_t Type;  // 0 window, 1 dialog (top level); 2..19 controls
  int32_t Prev, Next;
  Text Text;
  Icon Icon;
  Picture Picture;
  uint8_t* PaddedPixels;
  int32_t X, Y, Width, Height;
  int32_t ClientWidth, ClientHeight;
  uint8_t HasCaption, HasFrame, TopMost, TabStop, Visible, Disabled, Clicked, TextValid;
  uint8_t Checked, Indeterminate, Bold, Italic, Underline, Strikeout, Serif, Fixed;
  int32_t FontHeight;
  double FontWidth;
  double FontAngle;
  uint32_t TextColor;
  uint32_t BackColor;
  HBRUSH BackBrush;
  HFONT Font;

  bool IsTopLevel() const { return Type == 0 || Type == 1; }

  // Re-reads the geometry of entry index from its system window.
  static void UpdateMetrics(int32_t index);
  // Takes the font of the entry's request from the font cache and gives it
  // to its system window; icon and picture boxes get none.
  static void ApplyFont(int32_t index);
  // WM_SIZE: the metrics, for the main window the zoom and the displayed
  // surface, then the background painted again (graphics/window_sizing.cpp).
  static void OnResize(int32_t index);
  // WM_PAINT, and the client background with the surface copied again
  // (graphics/display_refresh.cpp).
  static void OnPaint(int32_t index);
  static void PaintClient(int32_t index);
  // Gives the system window of entry index the geometry fields (top-level
  // windows then re-read what the system made of them).
  static void ApplyGeometry(int32_t index);
  // Sets the border, edge and caption styles from HasFrame and HasCaption.
  static void ApplyFrameStyle(int32_t index);
};

const int32_t WindowTableGrowth = 40;

class WindowTable {
 public:
  WindowItem* Items;
  uint8_t* Used;
  int32_t Count;
  int32_t Capacity;
  int32_t FreeHead;

  // Constructor and destructor bodies, for the global object in raw storage.
  void Init();
  void Destroy();

  int32_t NewItem();
  void FreeItem(int32_t i);
  void Grow();

  bool IsLive(int32_t i) const { return (uint32_t)i < (uint32_t)Capacity && Used[i]; }
  WindowItem& operator[](int32_t i) { return Items[i]; }

 private:
  // The next free index, kept in the place of Handle.
  int32_t NextFree(int32_t i) const;
  void SetNextFree(int32_t i, int32_t next);
};

extern WindowTable& Windows;

// Entry of start-up's initialiser table.
void InitWindows();
