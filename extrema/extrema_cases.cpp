// extrema_cases: Local extrema, random test generator, seeded from the clock.
// Output: "100", then 100 lines "N v1 v2 ... vN": N is 50..100 (kind draw not a multiple of 3)
// or 1..10; the v are a random walk from 25..50 by steps of -25..+25 that never leaves 0..100.
// Method: per case a kind draw, a length draw and a start draw, then per further value step
// draws until one stays in 0..100; at least 26 of the 51 steps always do, so the redraws end.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

int T, N, l, a, i; // case count, length, current value, candidate value, values written

int main() {
  srand((unsigned)time(0));
  T = 100;
  printf("%d\n", T);
  while (T--) {
    int r = rand();
    if (r % 3) {
      r = rand();
      N = r % 51 + 50;
    } else {
      r = rand();
      N = r % 10 + 1;
    }
    r = rand();
    l = r % 26 + 25;
    printf("%d %d", N, l);
    for (i = 1; i < N; i++) {
      do { // a rejected step still uses up its draw
        r = rand();
        a = r % 51 + l - 25;
      } while (a < 0 || a > 100);
      l = a;
      printf(" %d", l);
    }
    puts("");
  }
  // The file must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "extrema_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
