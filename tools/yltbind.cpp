// yltbind ENGINE IMAGE OUT: writes a runnable program, the engine with the
// image as its last section.
#include <stdio.h>
#include "lib/bind.h"
#include "lib/file_bytes.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: yltbind ENGINE IMAGE OUT\n");
    return 2;
  }
  std::vector<uint8_t> engine, image, out;
  if (!ReadFileBytes(argv[1], engine) || !ReadFileBytes(argv[2], image)) {
    fprintf(stderr, "yltbind: cannot read %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  std::string error;
  if (!BindImage(engine, image, out, error)) {
    fprintf(stderr, "yltbind: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  if (!WriteFileBytes(argv[3], out)) {
    fprintf(stderr, "yltbind: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
