// The loader's media steps. Icons, pictures, sprite pictures, sounds and music
// stay in the image: their records point into it and start at ImageCountBase,
// so they are never freed and a change first makes a private copy. Maps and
// sprite data are built new from their records.
#include "image/image_media.h"
#include <string.h>
#include "base/memory.h"
#include "image/image_format.h"
#include "image/image_loader.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/music.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"

static uint32_t Get32(const uint8_t* p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

// The image is read-only; records over it only ever read through these pointers.
static uint8_t* InImage(const uint8_t* p) {
  return const_cast<uint8_t*>(p);
}

template <class Record>
static Record* NewImageRecord() {
  Record* r = (Record*)MemAlloc((int32_t)sizeof(Record));
  memset(r, 0, sizeof(Record));
  r->RefCount = ImageCountBase;
  return r;
}

static void LoadIcons() {
  const uint8_t* p = GetImageTable(TablePicture);
  for (uint32_t k = 0; k < GetImageTableCount(TablePicture); k++) {
    IconData* r = NewImageRecord<IconData>();
    r->State = Compressed;
    r->Pixels = InImage(p);
    Icons.AppendRecord(r);
    p += 4 + Get32(p);
  }
  if (Icons.Count == 0) Icons.AppendNew();
}

static void LoadMaps() {
  const uint8_t* p = GetImageTable(TableMap);
  for (uint32_t k = 0; k < GetImageTableCount(TableMap); k++) {
    int32_t width = (int32_t)Get32(p), height = (int32_t)Get32(p + 4);
    Map map(width, height);
    MapCell* cells = map.Data->Cells();
    const uint8_t* cell = p + 8;
    for (int32_t i = 0; i < width * height; i++, cell += 8) {
      cells[i].Icon = Icons.Get((int32_t)Get32(cell));  // outside Icons: the empty icon
      cells[i].Param = Get32(cell + 4);
    }
    Maps.Append(map);
    p = cell;
  }
  if (Maps.Count == 0) Maps.AppendNew(DefaultMapWidth, DefaultMapHeight);
}

// A picture over image pixel code: the u32 size word, then the code.
static PictureData* ImagePicture(uint32_t width, uint32_t height, const uint8_t* code) {
  PictureData* r = NewImageRecord<PictureData>();
  r->State = Compressed;
  r->Width = (int16_t)(width & 0xFFFF);
  r->Height = (int16_t)(height & 0xFFFF);
  r->Pixels = InImage(code);
  return r;
}

static void LoadPictures() {
  const uint8_t* p = GetImageTable(TableBackgrnd);
  for (uint32_t k = 0; k < GetImageTableCount(TableBackgrnd); k++) {
    Pictures.AppendRecord(ImagePicture(Get32(p), Get32(p + 4), p + 8));
    p += 12 + Get32(p + 8);
  }
}

static void LoadSprites() {
  const uint8_t* p = GetImageTable(TableSprite);
  for (uint32_t k = 0; k < GetImageTableCount(TableSprite); k++) {
    ImageSpriteHeader h;
    memcpy(&h, p, sizeof h);
    Sprite sprite((int32_t)h.Phases, (int32_t)h.Directions);
    SpriteData* data = sprite.Data.Data;
    // Kept within 1..phases, so nothing later divides by a rest count of 0.
    data->SetRestPhaseCount((int32_t)(h.RestPhases > h.Phases ? h.Phases : h.RestPhases));
    data->Delay = (int32_t)h.Delay;
    data->Level = (int32_t)h.Level;
    data->Step = h.StepsPerField;
    p += sizeof h;
    for (uint32_t i = 0; i < h.Phases * h.Directions; i++) {
      data->Pictures()[i].AttachRecord(ImagePicture(h.Width, h.Height, p));
      p += 4 + Get32(p);
    }
    Sprites.Append(sprite);
  }
  // Items 0 and 1 are the two built-in sprites.
  if (Sprites.Count == 0) Sprites.AppendNew();
  if (Sprites.Count == 1) Sprites.AppendNew();
}

static void LoadSounds() {
  const uint8_t* p = GetImageTable(TableSound);
  for (uint32_t k = 0; k < GetImageTableCount(TableSound); k++) {
    ImageSoundHeader h;
    memcpy(&h, p, sizeof h);
    SoundData* r = NewImageRecord<SoundData>();
    r->Size = (int32_t)h.Size;
    r->SamplesPerSec = (int32_t)h.SamplesPerSecond;
    r->FormatTag = h.FormatTag;
    r->Channels = h.Channels;
    r->BitsPerSample = h.BitsPerSample;
    if (h.FormatTag != PcmFormatTag) {
      // The cbSize word of the WAVEFORMATEX that opens a compressed sound's
      // data (the checker saw the data hold it).
      uint16_t extra;
      memcpy(&extra, p + sizeof h + 16, 2);
      r->FormatHeaderSize = WaveFormatExSize + extra;
    }
    r->Data = InImage(p + sizeof h);
    Sounds.AppendRecord(r);
    p += sizeof h + h.Size;
  }
}

static void LoadMusics() {
  const uint8_t* p = GetImageTable(TableMusic);
  for (uint32_t k = 0; k < GetImageTableCount(TableMusic); k++) {
    MusicData* r = NewImageRecord<MusicData>();
    r->Size = (int32_t)Get32(p);
    r->Data = InImage(p + 4);
    Musics.AppendRecord(r);
    p += 4 + Get32(p);
  }
}

void LoadImageMedia() {
  LoadIcons();
  LoadMaps();
  LoadPictures();
  LoadSprites();
  LoadSounds();
  LoadMusics();
}
