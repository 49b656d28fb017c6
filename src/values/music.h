// Music: the bytes of a standard MIDI file behind one-word handles, shared
// by reference and never changed.
#pragma once
#include <stdint.h>
#include "base/global_storage.h"
#include "values/value_handle.h"

struct MusicData {
  int32_t RefCount;
  int32_t Size;    // bytes of Data
  uint8_t* Data;   // the MIDI file's contents
};

// Count 1, size 0, a static empty buffer.
extern MusicData EmptyMusicData;

class Music : public ValueHandle<Music, MusicData> {
 public:
  Music() {}

  static MusicData* EmptyRecord() { return &EmptyMusicData; }
  static void FreeRecord(MusicData* record);
  static const Music& EmptyValue();
};

extern Music& EmptyMusic;

typedef HandleList<Music> MusicList;
extern MusicList& Musics;

// Start-up: the global empty music and the list of music values.
void InitEmptyMusic();
void InitMusics();
