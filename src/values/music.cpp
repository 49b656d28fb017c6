// Music records: the shared empty music, release of heap records, and the
// global list of music values.
#include "values/music.h"

static uint8_t EmptyMusicBytes[1];
MusicData EmptyMusicData = {1, 0, EmptyMusicBytes};

GLOBAL_OBJECT(Music, EmptyMusic);
GLOBAL_OBJECT(MusicList, Musics);

const Music& Music::EmptyValue() { return EmptyMusic; }

void Music::FreeRecord(MusicData* r) {
  MemFree(r->Data);
  MemFree(r);
}

void InitEmptyMusic() { EmptyMusic.InitEmpty(); }
void InitMusics() { Musics.Init(); }
