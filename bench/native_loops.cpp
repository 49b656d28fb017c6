// The benchmark's loops as plain C++: bench_native CASE N prints what the
// program and the Lua script of the case give. The limit of what an
// interpreter step can approach.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>

static double GlobalS, GlobalI;

static double GlobalLoop(double n) {
  while (GlobalI < n) {
    GlobalS = GlobalS + GlobalI * 2;
    GlobalI = GlobalI + 1;
  }
  return GlobalI;
}

static double LocalLoop(double n) {
  double s = 0, i = 0;
  while (i < n) {
    s = s + i * 2;
    i = i + 1;
  }
  // s is kept, so that the loop is not reduced to its counter.
  volatile double keep = s;
  (void)keep;
  return i;
}

static double ListLoop(long rounds) {
  static double a[100];
  for (double& e : a) e = 1;
  double s = 0;
  for (long r = 0; r < rounds; r++) {
    for (int k = 0; k < 100; k++) s = s + a[k];
    __asm__ volatile("" : : : "memory");  // a round is not folded into one sum
  }
  return s;
}

static double Fib(double n) { return n < 2 ? n : Fib(n - 1) + Fib(n - 2); }

static double FibLoop(long rounds) {
  double g = 0;
  for (long r = 0; r < rounds; r++) {
    volatile double n = 24;
    g = Fib(n);
  }
  return g;
}

// Not inlined, so that every call builds and removes its frame.
static __attribute__((noinline)) double Call3(double a, double b, double c) {
  double x = a + b;
  double y = x - c;
  return y;
}

static double Calls(long n) {
  double g = 0;
  for (long k = 0; k < n; k++) g = Call3(g, 2, 1);
  return g;
}

static double TextList(long rounds) {
  static std::string a[100];
  for (std::string& e : a) e = "ab";
  double s = 0;
  for (long r = 0; r < rounds; r++) {
    for (int k = 0; k < 100; k++) s = s + (double)a[k].size();
    __asm__ volatile("" : : : "memory");
  }
  return s;
}

static double TextBuild(long rounds) {
  std::string t;
  for (long r = 0; r < rounds; r++) {
    t = std::string();
    for (int k = 0; k < 100; k++) t = t + "ab";
  }
  return (double)t.size();
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: bench_native CASE N\n");
    return 2;
  }
  const char* c = argv[1];
  long n = atol(argv[2]);
  double r;
  if (!strcmp(c, "global_loop"))
    r = GlobalLoop((double)n);
  else if (!strcmp(c, "local_loop"))
    r = LocalLoop((double)n);
  else if (!strcmp(c, "list_loop"))
    r = ListLoop(n);
  else if (!strcmp(c, "fib"))
    r = FibLoop(n);
  else if (!strcmp(c, "calls"))
    r = Calls(n);
  else if (!strcmp(c, "text_list"))
    r = TextList(n);
  else if (!strcmp(c, "text_build"))
    r = TextBuild(n);
  else {
    fprintf(stderr, "bench_native: no case %s\n", c);
    return 2;
  }
  printf("%.0f\n", r);
  return 0;
}
