// yltimg OUT: writes the bundled program image.
#include <stdio.h>
#include "lib/bundled_program.h"
#include "lib/file_bytes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: yltimg OUT\n");
    return 2;
  }
  std::vector<uint8_t> image;
  std::string error;
  if (!BundledImage(image, error)) {
    fprintf(stderr, "yltimg: bundled program: %s\n", error.c_str());
    return 1;
  }
  if (!WriteFileBytes(argv[1], image)) {
    fprintf(stderr, "yltimg: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
