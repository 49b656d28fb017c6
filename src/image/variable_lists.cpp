// The global list of each kind of variable, addressed by the kind's element id.
#include "image/variable_lists.h"
#include "base/value_lists.h"
#include "image/image_format.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/music.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"

int32_t AppendVariableCopies(int32_t elementId, int32_t index, int32_t n) {
  switch (elementId) {
    case El::real: return Numbers.AppendCopies(index, n);
    case El::picture: return Icons.AppendCopies(index, n);
    case El::sound: return Sounds.AppendCopies(index, n);
    case El::music: return Musics.AppendCopies(index, n);
    case El::map: return Maps.AppendCopies(index, n);
    case El::sprite: return Sprites.AppendCopies(index, n);
    case El::text: return Texts.AppendCopies(index, n);
    case El::logic: return Logics.AppendCopies(index, n);
    case El::background: return Pictures.AppendCopies(index, n);
    default: return -1;
  }
}
