// An icon as a one-image .ICO file of 32 x 32 palette pixels, and the window
// icon the system extracts from such a file.
#include "values/icon.h"
#include <string.h>
#include "base/text.h"
#include "base/process.h"
#include "values/palette.h"

const int32_t IcoHeaderSize = 22;
const int32_t IcoColorTableSize = 256 * 4;
const int32_t IcoMaskSize = IconSide / 8 * IconSide;
const int32_t IcoImageSize = 40 + IcoColorTableSize + IconPixelCount + IcoMaskSize;
const int32_t IcoFileSize = IcoHeaderSize + IcoImageSize;

static void Put16(uint8_t* p, uint16_t v) { memcpy(p, &v, 2); }
static void Put32(uint8_t* p, uint32_t v) { memcpy(p, &v, 4); }

// Directory, bitmap header (twice the height: image and mask), colours with
// entry 0 black, pixels bottom row first, then the mask: 1 where a pixel is 0.
static void BuildIcoFile(uint8_t* f, const uint8_t* pixels) {
  memset(f, 0, IcoFileSize);
  Put16(f + 2, 1);
  Put16(f + 4, 1);
  f[6] = IconSide;
  f[7] = IconSide;
  Put32(f + 14, IcoImageSize);
  Put32(f + 18, IcoHeaderSize);
  uint8_t* h = f + IcoHeaderSize;
  Put32(h, 40);
  Put32(h + 4, IconSide);
  Put32(h + 8, 2 * IconSide);
  Put16(h + 12, 1);
  Put16(h + 14, 8);
  Put32(h + 20, IconPixelCount);
  uint8_t* colors = h + 40;
  memcpy(colors + 4, DibHeader->bmiColors + 1, 255 * 4);
  uint8_t* image = colors + IcoColorTableSize;
  memcpy(image, pixels, IconPixelCount);
  uint8_t* mask = image + IconPixelCount;
  for (int32_t i = 0; i < IconPixelCount; i++)
    if (pixels[i] == 0) mask[i / 8] |= 0x80 >> (i % 8);
}

bool Icon::SaveIcoFile(const char* fileName) const {
  uint8_t file[IcoFileSize];
  BuildIcoFile(file, Pixels());
  HANDLE h = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(h, file, IcoFileSize, &written, nullptr);
  CloseHandle(h);
  if (ok && written == (DWORD)IcoFileSize) return true;
  DeleteFileA(fileName);
  return false;
}

// Taking the name creates the file, so it is deleted whatever happened after.
// ExtractIconA gives 1 for a file that holds no icon.
HICON Icon::GetWindowIcon() const {
  if (Data->WindowIcon) return Data->WindowIcon;
  Text name;
  name.SetTempFileName();
  if (name.Length() == 0) return nullptr;
  HICON icon = nullptr;
  if (SaveIcoFile(name.Chars())) {
    icon = ExtractIconA(Instance, name.Chars(), 0);
    if (icon == (HICON)1) icon = nullptr;
  }
  DeleteFileA(name.Chars());
  Data->WindowIcon = icon;
  return icon;
}
