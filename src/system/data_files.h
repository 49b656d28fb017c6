// The two buffered data files as the rest of the engine sees them: their
// names, the sticky error flag, the idle countdown and the close, and the
// byte layer that the typed file elements use.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"

extern Text& ReadFileName;
extern Text& WriteFileName;
extern uint8_t FileError;     // set by every failing file operation, cleared only by the program
extern int32_t FileIdleTicks; // counted down by the tick; both files close at 0

// Start-up constructs the names; from then on the memory error closes the files.
void InitDataFileNames();
// The start-up state: both files forgotten (an open handle is dropped, not
// closed), names empty, no error, no idle countdown; the buffers stay.
void ForgetDataFiles();
void CloseFiles();  // closes both files, writing what is pending

const int32_t FileBufferSize = 61440;
const int32_t FileRefillLead = 15360;  // bytes a refill keeps before the offset it needs
const int32_t FileIdleTime = 10;       // ticks
// Offsets stop here: the byte at this offset and any after it cannot be
// reached, so an offset never wraps past 2 GiB.
const int32_t FileOffsetLimit = INT32_MAX;

struct BufferedFile {
  HANDLE Handle;        // 0 when closed
  int32_t Offset;       // the next byte to read or to write
  uint8_t* Buffer;      // FileBufferSize bytes from the first open on
  int32_t BufferStart;  // file offset of Buffer[0]
  int32_t BufferCount;  // read file: valid bytes; write file: bytes pending
};

extern BufferedFile ReadFileState;
extern BufferedFile WriteFileState;

bool OpenReadFile();
bool OpenWriteFile();
bool FlushWriteFile();  // false when pending bytes were dropped
// The close at the end of the run: pending bytes that cannot be written turn
// a return code of 0 into 1, so the loss does not pass unseen.
void CloseFilesAtEnd();

uint8_t ReadFileByte();
uint16_t ReadFileWord();  // low byte first
// The next byte, or -1 at the end of the file without setting FileError or
// moving the offset (a failed call still sets FileError).
int32_t ReadFileByteOrEnd();
void ReadFileBlock(void* destination, int32_t n);

void WriteFileByte(uint8_t b);
void WriteFileWord(uint16_t w);
void WriteFileDword(uint32_t d);
void WriteFileBlock(const void* source, int32_t n);
