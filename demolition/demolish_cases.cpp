// demolish_cases: Segment demolition, random test generator, seeded from the clock.
// Output: 10 cases; the first has 1..100000 positions, the others 1..100. Each case is n on a
// line, the values 0..999999999 on a line, a random destruction order on a line.
// Method: per case one draw for n, n for the values, n-1 for a forward Fisher-Yates shuffle.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

int T, n, b[100001];

int main() {
  srand((unsigned)time(0));
  T = 10;
  printf("%d\n", T);
  while (T--) {
    int r = rand();
    n = T > 8 ? r % 100000 + 1 : r % 100 + 1;
    printf("%d\n", n);
    for (int j = 0; j < n; j++) {
      int v = rand() % 1000000000;
      printf(j ? " %d" : "%d", v);
    }
    puts("");
    for (int j = 0; j < n; j++) b[j] = j + 1;
    for (int i = 1; i < n; i++) {
      int k = rand() % (i + 1);
      if (k != i) {
        int t = b[i];
        b[i] = b[k];
        b[k] = t;
      }
    }
    for (int j = 0; j < n; j++) printf(j ? " %d" : "%d", b[j]);
    puts("");
  }
  // A file that could not be written in full is no test file.
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "demolish_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
