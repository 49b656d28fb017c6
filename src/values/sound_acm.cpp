// Conversion of compressed sounds (ADPCM, G.711, GSM, MPEG and others) to PCM
// through the system's audio compression manager, in one stream conversion.
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>
#include <string.h>
#include "values/sound.h"

static_assert(sizeof(ACMSTREAMHEADER) == 84, "the stream header the manager checks");

// The source WAVEFORMATEX at the start of the data, or null when the record
// is too short to hold it with its cbSize extra bytes.
static WAVEFORMATEX* SourceFormat(const SoundData* r, int32_t* headerSize) {
  if (r->Size < WaveFormatExSize) return nullptr;
  uint16_t extra;
  memcpy(&extra, r->Data + 16, 2);
  if (r->Size - WaveFormatExSize < extra) return nullptr;
  *headerSize = WaveFormatExSize + extra;
  return (WAVEFORMATEX*)r->Data;
}

// The PCM format to convert to: stereo or mono, 8 or 16 bits, as the
// drivers suggest for the source, at the suggested rate.
static WAVEFORMATEX PcmTargetFor(WAVEFORMATEX* source) {
  WAVEFORMATEX f = {WAVE_FORMAT_PCM, 2, 22050, 0, 0, 16, 0};
  acmFormatSuggest(nullptr, source, &f, sizeof f, ACM_FORMATSUGGESTF_WFORMATTAG | ACM_FORMATSUGGESTF_WBITSPERSAMPLE);
  f.nChannels = f.nChannels == 2 ? 2 : 1;
  f.wBitsPerSample = f.wBitsPerSample == 8 ? 8 : 16;
  f.nBlockAlign = (WORD)(f.wBitsPerSample / 8 * f.nChannels);
  f.nAvgBytesPerSec = f.nBlockAlign * f.nSamplesPerSec;
  f.cbSize = 0;
  return f;
}

// Converts `length` bytes at `from`; the PCM bytes and their count, or null.
static uint8_t* ConvertStream(HACMSTREAM stream, uint8_t* from, int32_t length, int32_t* used) {
  DWORD size = length <= INT32_MAX / 4 ? (DWORD)length * 4 : INT32_MAX;
  acmStreamSize(stream, (DWORD)length, &size, ACM_STREAMSIZEF_SOURCE);
  if (size > INT32_MAX) return nullptr;
  uint8_t* to = (uint8_t*)MemAlloc((int32_t)size);
  ACMSTREAMHEADER h;
  memset(&h, 0, sizeof h);
  h.cbStruct = sizeof h;
  h.pbSrc = from;
  h.cbSrcLength = (DWORD)length;
  h.pbDst = to;
  h.cbDstLength = size;
  bool done = false;
  if (acmStreamPrepareHeader(stream, &h, 0) == MMSYSERR_NOERROR) {
    done = acmStreamConvert(stream, &h, 0) == MMSYSERR_NOERROR;
    acmStreamUnprepareHeader(stream, &h, 0);
  }
  if (!done || h.cbDstLengthUsed > size) {
    MemFree(to);
    return nullptr;
  }
  *used = (int32_t)h.cbDstLengthUsed;
  return to;
}

void Sound::DecompressToPcm() {
  if (Data->FormatTag == PcmFormatTag) return;
  int32_t headerSize;
  WAVEFORMATEX* source = SourceFormat(Data, &headerSize);
  if (!source) return;
  WAVEFORMATEX target = PcmTargetFor(source);
  HACMSTREAM stream;
  if (acmStreamOpen(&stream, nullptr, source, &target, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
      MMSYSERR_NOERROR)
    return;
  int32_t used = 0;
  uint8_t* pcm = ConvertStream(stream, Data->Data + headerSize, Data->Size - headerSize, &used);
  acmStreamClose(stream, 0);
  if (!pcm) return;
  SoundData* r = (SoundData*)MemAlloc(sizeof(SoundData));
  *r = {1, used, (int32_t)target.nSamplesPerSec, PcmFormatTag, target.nChannels, target.wBitsPerSample, 0, pcm};
  Replace(r);
}
