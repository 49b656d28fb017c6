// Sprite data records, sprite objects and the sprite list.
#include "values/sprite.h"
#include "base/global_storage.h"
#include <stddef.h>

SpriteData* EmptySpriteData;

GLOBAL_OBJECT(Sprite, EmptySprite);
GLOBAL_OBJECT(SpriteList, Sprites);

static_assert(offsetof(SpriteData, PhaseCount) == offsetof(GridRecordHeader, Columns) &&
                  offsetof(SpriteData, DirectionCount) == offsetof(GridRecordHeader, Rows),
              "a sprite data record starts as a grid record");

// The header of a record with count 1, the defaults set; the pictures are raw.
static SpriteData* AllocSpriteRecord(int32_t phases, int32_t directions) {
  SpriteData* r = (SpriteData*)AllocGridRecord(sizeof(SpriteData), phases, directions, sizeof(Picture));
  r->RestPhaseCount = 1;
  r->Delay = DefaultSpriteDelay;
  r->Level = DefaultSpriteLevel;
  r->Step = DefaultSpriteStep;
  return r;
}

SpriteData* SpriteDataHandle::NewRecord(int32_t phases, int32_t directions) {
  SpriteData* r = AllocSpriteRecord(phases, directions);
  Picture* pictures = r->Pictures();
  for (int32_t i = 0, n = r->PictureCount(); i < n; i++) pictures[i].InitEmpty();
  return r;
}

// The pictures are shared, not copied.
SpriteData* SpriteDataHandle::CopyRecord(const SpriteData* source) {
  SpriteData* r = AllocSpriteRecord(source->PhaseCount, source->DirectionCount);
  r->RestPhaseCount = source->RestPhaseCount;
  r->Delay = source->Delay;
  r->Level = source->Level;
  r->Step = source->Step;
  const Picture* from = const_cast<SpriteData*>(source)->Pictures();
  Picture* to = r->Pictures();
  for (int32_t i = 0, n = r->PictureCount(); i < n; i++) to[i].Attach(from[i].Data);
  return r;
}

void SpriteDataHandle::FreeRecord(SpriteData* r) {
  Picture* pictures = r->Pictures();
  for (int32_t i = 0, n = r->PictureCount(); i < n; i++) pictures[i].~Picture();
  MemFree(r);
}

void Sprite::ResetState() {
  Visible = 0;
  Moving = 0;
  Queued = 0;
  Animating = 0;
  PixelX = 0;
  PixelY = 0;
  Countdown = 0;
  StepsLeft = 0;
  Phase = 0;
  Direction = 0;
  TargetX = 0;
  TargetY = 0;
  X = 0;
  Y = 0;
  StepX = 0;
  StepY = 0;
  Angle = 0;
  PendingPhase = -1;
  StatusShown = 0;
  Status = -1.0;
}

Sprite::Sprite(int32_t phases, int32_t directions) {
  ResetState();
  NewData(phases, directions);
}

void Sprite::InitShared(SpriteData* data) {
  Data.Attach(data);
  ResetState();
}

const Picture& Sprite::CurrentPicture() const {
  SpriteData* d = Data.Data;
  if ((uint32_t)Phase >= (uint32_t)d->PhaseCount || (uint32_t)Direction >= (uint32_t)d->DirectionCount)
    return EmptyPicture;
  const Picture& picture = d->Pictures()[Phase + d->PhaseCount * Direction];
  picture.Decompress();
  return picture;
}

const Sprite& Sprite::EmptyValue() { return EmptySprite; }

void CreateEmptySpriteData() { EmptySpriteData = SpriteDataHandle::NewRecord(1, 1); }
void InitEmptySprite() { EmptySprite.InitEmpty(); }
void InitSprites() { Sprites.Init(); }
