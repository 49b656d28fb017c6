// Map records: creation with their sizes checked, release of the cell icons,
// copy on write and clearing.
#include "values/map.h"
#include "base/global_storage.h"
#include <stddef.h>

MapData* EmptyMapData;

GLOBAL_OBJECT(Map, EmptyMap);
GLOBAL_OBJECT(MapList, Maps);

const Map& Map::EmptyValue() { return EmptyMap; }

static_assert(offsetof(MapData, Width) == offsetof(GridRecordHeader, Columns) &&
                  offsetof(MapData, Height) == offsetof(GridRecordHeader, Rows),
              "a map record starts as a grid record");

// The header of a record with count 1; the cells are raw.
static MapData* AllocMapRecord(int32_t width, int32_t height) {
  return (MapData*)AllocGridRecord(sizeof(MapData), width, height, sizeof(MapCell));
}

MapData* Map::NewRecord(int32_t width, int32_t height) {
  MapData* r = AllocMapRecord(width, height);
  MapCell* cells = r->Cells();
  for (int32_t i = 0, n = r->CellCount(); i < n; i++) {
    cells[i].Icon.InitEmpty();
    cells[i].Param = 0;
  }
  return r;
}

void Map::FreeRecord(MapData* r) {
  MapCell* cells = r->Cells();
  for (int32_t i = 0, n = r->CellCount(); i < n; i++) cells[i].Icon.~Icon();
  MemFree(r);
}

// The cells' icons are shared, not copied.
MapData* Map::CopyRecord(const MapData* source) {
  MapData* r = AllocMapRecord(source->Width, source->Height);
  const MapCell* from = const_cast<MapData*>(source)->Cells();
  MapCell* to = r->Cells();
  for (int32_t i = 0, n = r->CellCount(); i < n; i++) {
    to[i].Icon.Attach(from[i].Icon.Data);
    to[i].Param = from[i].Param;
  }
  return r;
}

void Map::Clear() {
  const Icon& icon = Icons.Get(0);
  MapCell* cells = Data->Cells();
  for (int32_t i = 0, n = Data->CellCount(); i < n; i++) {
    cells[i].Icon = icon;
    cells[i].Param = 0;
  }
}

void CreateEmptyMapData() { EmptyMapData = Map::NewRecord(1, 1); }

void InitEmptyMap() { EmptyMap.InitEmpty(); }
void InitMaps() { Maps.Init(); }
