// yltimg OUT: writes the bundled program image.
#include <stdio.h>
#include "lib/file_bytes.h"
#include "lib/image_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: yltimg OUT\n");
    return 2;
  }
  if (!WriteFileBytes(argv[1], MinimalImage())) {
    fprintf(stderr, "yltimg: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
