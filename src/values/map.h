// Maps: grids of cells, each an icon and a parameter word, behind one-word
// handles, and the global map list whose item 0 is the main map.
#pragma once
#include <stdint.h>
#include "values/icon.h"

struct MapCell {
  ::Icon Icon;
  uint32_t Param;
};

// A field of a cell's parameter word: read as (Param & Mask) >> Shift.
struct MapParamField {
  uint32_t Mask;
  int32_t Shift;
};

const MapParamField MapValue1 = {0x3FF, 0};
const MapParamField MapValue2 = {0xFFC00, 10};
const MapParamField MapValue3 = {0x7F00000, 20};
// Flag1 .. Flag5 at index 0 .. 4.
const MapParamField MapFlags[5] = {
    {1u << 27, 27}, {1u << 28, 28}, {1u << 29, 29}, {1u << 30, 30}, {1u << 31, 31}};

inline uint32_t GetParamField(uint32_t param, MapParamField f) {
  return (param & f.Mask) >> f.Shift;
}
// Only the field's bits change; bits of the value beyond the field are dropped.
inline uint32_t SetParamField(uint32_t param, MapParamField f, uint32_t value) {
  return (param & ~f.Mask) | (value << f.Shift & f.Mask);
}

// The cells follow the header, row after row, the bottom row first.
struct MapData {
  int32_t RefCount;
  int32_t Width;   // at least 1
  int32_t Height;  // at least 1

  MapCell* Cells() { return reinterpret_cast<MapCell*>(this + 1); }
  int32_t CellCount() const { return Width * Height; }
};

// Made at start-up by CreateEmptyMapData: 1 x 1, the empty icon, Param 0.
extern MapData* EmptyMapData;

class Map : public ValueHandle<Map, MapData> {
 public:
  Map() {}
  // A new private map, sizes below 1 raised to 1, every cell the empty icon with Param 0.
  Map(int32_t width, int32_t height) : ValueHandle(NewRecord(width, height)) {}

  void InitNew(int32_t width, int32_t height) { Data = NewRecord(width, height); }
  void New(int32_t width, int32_t height) { Replace(NewRecord(width, height)); }
  // Every cell icon 0 of Icons with Param 0, in place: only for maps just made.
  void Clear();

  int32_t Width() const { return Data->Width; }
  int32_t Height() const { return Data->Height; }
  bool Inside(int32_t x, int32_t y) const {
    return (uint32_t)x < (uint32_t)Data->Width && (uint32_t)y < (uint32_t)Data->Height;
  }
  // Cell (x, y), which must be inside.
  MapCell& Cell(int32_t x, int32_t y) const { return Data->Cells()[x + y * Data->Width]; }

  static MapData* EmptyRecord() { return EmptyMapData; }
  static void FreeRecord(MapData* record);
  static MapData* CopyRecord(const MapData* record);
  static const Map& EmptyValue();
  // Sizes below 1 raised to 1; every cell the empty icon with Param 0.
  static MapData* NewRecord(int32_t width, int32_t height);
};

extern Map& EmptyMap;

class MapList : public HandleList<Map> {
 public:
  // A new map of that size, cleared with icon 0 of Icons.
  int32_t AppendNew(int32_t width, int32_t height) {
    Map* map = NewSlot();
    map->InitNew(width, height);
    map->Clear();
    return Count++;
  }
};

extern MapList& Maps;

const int32_t DefaultMapWidth = 15;  // the main map when the image holds none
const int32_t DefaultMapHeight = 10;

// Start-up: the empty map record (step 11), then the global objects (step 12).
void CreateEmptyMapData();
void InitEmptyMap();
void InitMaps();
