// yltasm PROGRAM IMAGE: assembles a test program (the text format of
// tools/README.md) into a program image.
#include <stdio.h>
#include "lib/file_bytes.h"
#include "lib/program_asm.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: yltasm PROGRAM IMAGE\n");
    return 2;
  }
  std::vector<uint8_t> source, image;
  if (!ReadFileBytes(argv[1], source)) {
    fprintf(stderr, "yltasm: cannot read %s\n", argv[1]);
    return 1;
  }
  std::string error;
  if (!AssembleImage(std::string(source.begin(), source.end()), image, error)) {
    fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  if (!WriteFileBytes(argv[2], image)) {
    fprintf(stderr, "yltasm: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
