// bench_file_loop N: the data-file benchmark as plain C++ under Wine: N
// 32-bit integers and N doubles written with one fwrite each, read back with
// one fread each and summed; the exit code is the sum divided by N.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  long n = argc > 1 ? atol(argv[1]) : 0;
  FILE* f = fopen("bench_native.bin", "wb");
  if (!f) return 255;
  for (long i = 0; i < n; i++) {
    int32_t v = (int32_t)i;
    double d = (double)i;
    fwrite(&v, 4, 1, f);
    fwrite(&d, 8, 1, f);
  }
  fclose(f);
  f = fopen("bench_native.bin", "rb");
  if (!f) return 255;
  double s = 0;
  for (long i = 0; i < n; i++) {
    int32_t v = 0;
    double d = 0;
    if (fread(&v, 4, 1, f) != 1 || fread(&d, 8, 1, f) != 1) return 254;
    s += v + d;
  }
  fclose(f);
  return n ? (int)(s / n) : 0;
}
