// Sprite data (the shared appearance: pictures per phase and direction, timing,
// level and speed), sprite objects and the global sprite list.
#pragma once
#include <stdint.h>
#include "values/picture.h"

const int32_t DefaultSpriteDelay = 55;
const int32_t DefaultSpriteLevel = 1000;
const double DefaultSpriteStep = 8.0;

// n limited to 1..phases. Every maker of sprite data goes through here, so the
// engine's phase arithmetic never divides by 0 and a saved sprite loads again.
inline int32_t ClampRestPhaseCount(int32_t n, int32_t phases) {
  return n < 1 ? 1 : n > phases ? phases : n;
}

// The pictures follow the header: phase p of direction d at p + PhaseCount * d.
struct SpriteData {
  int32_t RefCount;
  int32_t PhaseCount;      // at least 1
  int32_t DirectionCount;  // at least 1
  int32_t RestPhaseCount;  // 1..PhaseCount
  int32_t Delay;           // milliseconds per phase and per step
  int32_t Level;           // draw order, higher over lower
  double Step;             // steps per field; 0 jumps

  Picture* Pictures() { return reinterpret_cast<Picture*>(this + 1); }
  int32_t PictureCount() const { return PhaseCount * DirectionCount; }
  void SetRestPhaseCount(int32_t n) { RestPhaseCount = ClampRestPhaseCount(n, PhaseCount); }
};

// Made at start-up by CreateEmptySpriteData: 1 phase, 1 direction, the defaults.
extern SpriteData* EmptySpriteData;

class SpriteDataHandle : public ValueHandle<SpriteDataHandle, SpriteData> {
 public:
  SpriteDataHandle() {}

  static SpriteData* EmptyRecord() { return EmptySpriteData; }
  static void FreeRecord(SpriteData* record);
  static SpriteData* CopyRecord(const SpriteData* record);
  // Counts below 1 raised to 1; the defaults; every picture the empty picture.
  static SpriteData* NewRecord(int32_t phases, int32_t directions);

  void New(int32_t phases, int32_t directions) { Replace(NewRecord(phases, directions)); }
};

// A figure on the map: its appearance is shared, its state is its own. Sprites
// live in lists and are never copied as a whole; copies share only the data.
struct Sprite {
  SpriteDataHandle Data;
  uint8_t Visible;
  uint8_t Moving;     // listed in MovingSprites
  uint8_t Queued;     // in the current refresh's draw list
  uint8_t Animating;  // listed in AnimatedSprites
  int32_t PixelX;
  int32_t PixelY;
  int32_t Countdown;
  int32_t StepsLeft;  // -1 after the sprite has stopped
  int32_t Phase;
  int32_t Direction;
  double TargetX;
  double TargetY;
  double X;
  double Y;
  double StepX;
  double StepY;
  double Angle;
  int32_t PendingPhase;  // -1 none
  uint8_t StatusShown;
  double Status;  // 0..1; -1 none

  Sprite() { ResetState(); }
  Sprite(int32_t phases, int32_t directions);
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  // Construction into raw storage, hidden and at rest.
  void InitEmpty() { InitShared(EmptySpriteData); }
  void InitShared(SpriteData* data);

  void NewData(int32_t phases, int32_t directions) { Data.New(phases, directions); }
  void Empty() { Data.Empty(); }
  // Share the other sprite's data; this sprite's own state stays.
  void AssignData(const Sprite& other) { Data = other.Data; }
  // The picture of the current phase and direction, decompressed; the empty
  // picture when the phase or direction lies outside the data.
  const Picture& CurrentPicture() const;

  // What the sprite list needs of its items.
  typedef SpriteData RecordType;
  static SpriteData* EmptyRecord() { return EmptySpriteData; }
  static const Sprite& EmptyValue();
  void Attach(SpriteData* data) { InitShared(data); }
  SpriteData* Held() const { return Data.Data; }

 private:
  void ResetState();
};

extern Sprite& EmptySprite;

// Whole sprite objects stored contiguously (capacity doubling from 1024):
// appends make fresh objects that share only the data.
class SpriteList : public HandleList<Sprite> {
 public:
  int32_t AppendNew() { return AppendRecord(EmptySpriteData); }
};

extern SpriteList& Sprites;

// Start-up: the empty sprite data (step 11), then the global objects (step 12).
void CreateEmptySpriteData();
void InitEmptySprite();
void InitSprites();
