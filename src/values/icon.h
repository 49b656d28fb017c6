// Icons: 32 x 32 palette images behind one-word handles, decoded from the
// program image on first use, and the global icon list.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "values/value_handle.h"

const int32_t IconSide = 32;
const int32_t IconPixelCount = IconSide * IconSide;

struct IconData {
  int32_t RefCount;
  int32_t State;       // ImageState
  HICON WindowIcon;    // made from the pixels on first request; null until then
  HCURSOR Cursor;      // likewise
  uint8_t* Pixels;     // 1024 bytes, bottom row first; while Compressed: u32 count, then pixel code
};

// The static empty icon: count 1 of its own, pixels allocated at start-up.
extern IconData EmptyIconData;

class Icon : public ValueHandle<Icon, IconData> {
 public:
  Icon() {}

  // A handle to a new private record, Unclassified, pixels cleared to 0.
  void InitNew() { Data = NewRecord(); }
  // Private without copying: a record only this handle holds stays as it is.
  void New();
  // Decode an image icon in its shared record; other states are left alone.
  void Decompress() const;
  // Decompressed pixels for reading.
  const uint8_t* Pixels() const;
  // Decompressed and private pixels for writing; the state becomes Unclassified.
  uint8_t* WritablePixels();
  void MakeUnique();
  // The record's state, classifying Unclassified pixels first (drawing's step).
  ImageState Classify() const;

  // Window-system handles made from the pixels on first request and cached in
  // the record (icon_file.cpp, icon_cursor.cpp).
  // The pixels as a one-image .ICO file; true when the whole file was written.
  bool SaveIcoFile(const char* fileName) const;
  // The window icon, made through a temporary icon file; null while none could be made.
  HICON GetWindowIcon() const;
  // The cursor; the system arrow when none could be made (then not cached).
  HCURSOR GetCursor() const;

  static IconData* EmptyRecord() { return &EmptyIconData; }
  static void FreeRecord(IconData* record);
  static IconData* CopyRecord(const IconData* record);
  static const Icon& EmptyValue();

 private:
  static IconData* NewRecord();
};

extern Icon& EmptyIcon;  // what IconList::Get gives outside the list

class IconList : public HandleList<Icon> {
 public:
  int32_t AppendNew() {
    NewSlot()->InitNew();
    return Count++;
  }
};

extern IconList& Icons;

// Start-up: the pixels of the empty icon (step 10), then the global objects (step 12).
void AllocateEmptyIconPixels();
void InitEmptyIcon();
void InitIcons();
