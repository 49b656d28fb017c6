// One description per value kind for the code that every kind repeats (push
// and pop, calls, case, variable access): its value type, its global value
// list, how an operand of the kind is evaluated and when two values match.
#pragma once
#include <stdint.h>
#include "base/value_lists.h"
#include "exec/interpreter.h"
#include "exec/number_operand.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/music.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"

struct NumKind {
  typedef double Value;
  typedef RealList List;
  static List& Values() { return Numbers; }
  static void Eval(Value& v) { v = RunNumOperand(); }
  // An unordered comparison (a NaN on either side) counts as equal.
  static bool Matches(Value a, Value b) { return !(a < b || a > b); }
  static void Assign(Value& to, Value from) { to = from; }
};

struct BoolKind {
  typedef uint8_t Value;
  typedef LogicList List;
  static List& Values() { return Logics; }
  static void Eval(Value& v) { v = RunBool() ? 1 : 0; }
  static bool Matches(Value a, Value b) { return a == b; }
  static void Assign(Value& to, Value from) { to = from; }
};

struct TextKind {
  typedef Text Value;
  typedef TextList List;
  static List& Values() { return Texts; }
  static void Eval(Value& v) { RunValue(v); }
  static bool Matches(const Value& a, const Value& b) { return a.Equals(b); }
  static void Assign(Value& to, const Value& from) { to = from; }
};

// The media kinds: values match when they share one record.
#define HANDLE_KIND(kind, type, list, values)                                                  \
  struct kind##Kind {                                                                          \
    typedef type Value;                                                                        \
    typedef list List;                                                                         \
    static List& Values() { return values; }                                                   \
    static void Eval(Value& v) { RunValue(v); }                                                \
    static bool Matches(const Value& a, const Value& b) { return a.Held() == b.Held(); }       \
    static void Assign(Value& to, const Value& from) { to = from; }                            \
  };
HANDLE_KIND(Icon, Icon, IconList, Icons)
HANDLE_KIND(Map, Map, MapList, Maps)
HANDLE_KIND(Picture, Picture, PictureList, Pictures)
HANDLE_KIND(Sound, Sound, SoundList, Sounds)
HANDLE_KIND(Music, Music, MusicList, Musics)
#undef HANDLE_KIND

// A sprite value is a sprite's appearance: a sprite object takes it by
// sharing the data and keeps its own position and state.
struct SpriteKind {
  typedef Sprite Value;
  typedef SpriteList List;
  static List& Values() { return Sprites; }
  static void Eval(Value& v) { RunValue(v); }
  static bool Matches(const Value& a, const Value& b) { return a.Held() == b.Held(); }
  static void Assign(Value& to, const Value& from) { to.AssignData(from); }
};

// The entry of a local of kind K.
template <class K>
inline int32_t LocalEntry(int32_t slot) {
  return LocalEntryIn(K::Values(), slot);
}

// Entry i := v; nothing outside the list.
template <class K>
inline void SetEntry(int32_t i, const typename K::Value& v) {
  if (K::Values().Inside(i)) K::Assign(K::Values()[i], v);
}
