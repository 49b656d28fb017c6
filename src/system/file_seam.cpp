// The real file calls of the data files, replaceable by tests.
#include "system/file_seam.h"

const FileSystemCalls RealFileSys = {CreateFileA,   ReadFile,    WriteFile, SetFilePointer,
                                     SetEndOfFile, GetFileSize, CloseHandle};
FileSystemCalls FileSys = RealFileSys;
