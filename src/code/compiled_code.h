// The compiled program: one array of 16-byte steps in pre-order, the kinds of
// execution function a step can name, and the emitters that append steps.
#pragma once
#include <stdint.h>
#include <string.h>

class Text;
class Icon;
class Picture;
class Map;
class Sprite;
class Sound;
class Music;

// The signature of each kind's execution functions. Commands return nothing,
// numbers a double, logic values a byte 0 or 1; the other kinds assign their
// value into a result slot the caller constructed as the kind's empty value.
typedef void ExecCmdSignature();
typedef double ExecNumSignature();
typedef uint8_t ExecBoolSignature();
typedef void ExecTextSignature(Text&);
typedef void ExecIconSignature(Icon&);
typedef void ExecPictureSignature(Picture&);
typedef void ExecMapSignature(Map&);
typedef void ExecSpriteSignature(Sprite&);
typedef void ExecSoundSignature(Sound&);
typedef void ExecMusicSignature(Music&);

typedef ExecCmdSignature* ExecCmdFunction;
typedef ExecNumSignature* ExecNumFunction;
typedef ExecBoolSignature* ExecBoolFunction;
typedef ExecTextSignature* ExecTextFunction;
typedef ExecIconSignature* ExecIconFunction;
typedef ExecPictureSignature* ExecPictureFunction;
typedef ExecMapSignature* ExecMapFunction;
typedef ExecSpriteSignature* ExecSpriteFunction;
typedef ExecSoundSignature* ExecSoundFunction;
typedef ExecMusicSignature* ExecMusicFunction;

// How a step stores its function; the runner casts it back to the kind's type.
typedef void (*ExecFunction)();
#define EXEC_FN(kind, f) reinterpret_cast<ExecFunction>(static_cast<Exec##kind##Function>(f))

struct ExecItem {
  ExecFunction Exec;
  int32_t Param1;  // 0 or -1 when unused; low word of a number constant
  int32_t Param2;  // -1 when unused; high word of a number constant
  int32_t Skip;    // items to jump over from this one; 0 unless a construct sets it
};
#if defined(__i386__)
static_assert(sizeof(ExecItem) == 16, "a compiled step is 16 bytes");
#endif

const int32_t CodeGrowth = 256;

extern ExecItem* CompiledCode;
extern int32_t CompiledCodeCount;
extern int32_t CompiledCodeCapacity;
extern int32_t EntryCallIndex;
// Moves on with every change of the steps the emitters make, so what was
// worked out from the steps can tell when it no longer holds.
extern uint32_t CompiledCodeVersion;

int32_t EmitCode(ExecFunction fn, int32_t p1, int32_t p2);
inline int32_t EmitCode0(ExecFunction fn) { return EmitCode(fn, 0, -1); }
inline int32_t EmitCode1(ExecFunction fn, int32_t p1) { return EmitCode(fn, p1, -1); }
int32_t EmitNumConst(double x);
int32_t EmitByteConst(uint8_t b);

// The double a number-constant step holds in its two parameter words.
inline double StepNumber(const ExecItem& item) {
  uint32_t words[2] = {(uint32_t)item.Param1, (uint32_t)item.Param2};
  double x;
  memcpy(&x, words, sizeof x);
  return x;
}
void SetStepNumber(ExecItem& item, double x);

// Drops everything emitted from index on (a construct that failed).
void RollBackCode(int32_t index);
// Empties the array; the capacity stays. For a fresh compile in tests.
void ResetCompiledCode();
