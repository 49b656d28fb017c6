// The sound elements: playing, stopping, pausing, moving and inspecting
// sounds on the mixer, and the values that convert and build sounds.
#include "audio/mixer.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "exec/number_operand.h"

static void NextSound(Sound& s) { RunValue(s); }

// Sound, volume, balance, speed, loop count (rounded) and the restart flag,
// in this order, to StartSound; a NaN volume, balance or speed starts nothing.
void ExecCmdSoundPlay() {
  Sound sound;
  NextSound(sound);
  double volume = RunNumOperand();
  double balance = RunNumOperand();
  double speed = RunNumOperand();
  int32_t loops = EvalNextInt();
  bool restart = RunBool() != 0;
  StartSound(sound, loops, restart, volume, balance, speed);
}

// Stops the operand sound wherever it plays.
void ExecCmdSoundStop() {
  Sound sound;
  NextSound(sound);
  StopSound(sound);
}

// No operand: stops every sound and closes the device.
void ExecCmdSoundStopAll() { StopAllSounds(); }

// Seconds (not rounded) to SetSoundPosition of the sound started last;
// negative or NaN seconds move to the start.
void ExecCmdSoundSetPosition() { SetSoundPosition(RunNumOperand()); }

// Pauses (true) or resumes (false) the output; nothing while no device is open.
void ExecCmdSoundPause() { PauseSound(RunBool() != 0); }

// No operand: pauses a playing output, resumes a paused one.
void ExecCmdSoundPauseToggle() { PauseSound(!SoundPaused); }

// Whether the operand's record plays: on a busy channel in mixer mode, as
// the solo sound otherwise; false while the device is closed.
uint8_t ExecBoolSoundPlayingThis() {
  Sound sound;
  NextSound(sound);
  if (!WaveOutDevice) return 0;
  const SoundData* r = sound.Held();
  if (MixerMode == 0) return r == CurrentSound.Held();
  int32_t busyLeft = ActiveChannelCount;
  for (int32_t i = 0; i < MixerChannelCount && busyLeft > 0; i++) {
    if (MixerChannels[i].Size <= 0) continue;
    busyLeft--;
    if (MixerChannels[i].Sound.Held() == r) return 1;
  }
  return 0;
}

// Whether the device is open: a sound plays, is paused, or its last block plays.
uint8_t ExecBoolSoundPlaying() { return WaveOutDevice != nullptr; }

// No operand: whether the output is paused.
uint8_t ExecBoolSoundPaused() { return SoundPaused != 0; }

// Whether the operand has two channels.
uint8_t ExecBoolSoundStereo() {
  Sound sound;
  NextSound(sound);
  return sound.Held()->Channels == 2;
}

// The operand's bits per sample.
double ExecNumSoundBits() {
  Sound sound;
  NextSound(sound);
  return sound.Held()->BitsPerSample;
}

// The operand's samples per second.
double ExecNumSoundRate() {
  Sound sound;
  NextSound(sound);
  return sound.Held()->SamplesPerSec;
}

// The operand's duration in seconds: its data after the format header over
// its bytes per second, which compressed formats take from their header
// (80 to 95) or estimate at 4 bits per sample; never divided by 0.
double ExecNumSoundLength() {
  Sound sound;
  NextSound(sound);
  const SoundData* r = sound.Held();
  int64_t bps = (int64_t)r->SamplesPerSec * (r->BitsPerSample / 8) * r->Channels;
  if (bps == 0) {
    bps = (int64_t)r->SamplesPerSec * r->Channels / 2;
    if (r->FormatTag >= 80 && r->FormatTag <= 95) bps = (int32_t)FormatHeaderField(r, 8, 4, (uint32_t)bps);
  }
  if (bps <= 0) bps = 1;
  return (double)(r->Size - r->FormatHeaderSize) / bps;
}

// No operand: seconds into the sound started last; 0 when it does not play.
double ExecNumSoundPosition() { return GetSoundPosition(); }

// The sound conversions: the operand evaluated into the result, then changed;
// a sound that cannot be converted (no codec, not PCM) stays as it is.
void ExecSoundTo8Bit(Sound& r) {
  NextSound(r);
  r.To8Bit();
}
void ExecSoundTo16Bit(Sound& r) {
  NextSound(r);
  r.To16Bit();
}
void ExecSoundToStereo(Sound& r) {
  NextSound(r);
  r.ToStereo();
}
void ExecSoundToMono(Sound& r) {
  NextSound(r);
  r.ToMono();
}
void ExecSoundRate11025(Sound& r) {
  NextSound(r);
  r.SetRate(11025);
}
void ExecSoundRate22050(Sound& r) {
  NextSound(r);
  r.SetRate(22050);
}
void ExecSoundRate44100(Sound& r) {
  NextSound(r);
  r.SetRate(44100);
}
void ExecSoundToPcm(Sound& r) {
  NextSound(r);
  r.DecompressToPcm();
}
// A copy with a record of its own, which the mixer plays as another sound.
void ExecSoundDistinct(Sound& r) {
  NextSound(r);
  r.MakeDistinct();
}

// Param1 + 1 sounds: the first, then each further one appended (both PCM,
// else that one is left out) through one temporary.
void ExecSoundJoin(Sound& r) {
  int32_t n = OwnStep().Param1;
  NextSound(r);
  Sound next;
  for (int32_t i = 1; i <= n; i++) {
    NextSound(next);
    r.Append(next);
  }
}

// A sound, then a factor: the sound played that many times faster.
void ExecSoundSpeed(Sound& r) {
  NextSound(r);
  r.ChangeSpeed(RunNumOperand());
}

// Frequency, then seconds: a sine tone of whole periods.
void ExecSoundTone(Sound& r) {
  double frequency = RunNumOperand();
  double duration = RunNumOperand();
  r.MakeTone(frequency, duration);
}
