// trend_cases: Trend, random test generator, seeded from the clock.
// Output: 100 cases, each n on a line and n values of the 1..30 cycle on a line (201 lines).
// Cases whose number ends in 0 hold one value (mostly 1 or 30), in 9 or 8 a run ending at 1,
// in 7 or 6 a run ending at 30, in 1 to 5 a run starting anywhere; runs have 2..201 values.
// Method: walk the cycle one step at a time; the runs that must end at an end of the cycle are
// walked from that end and written backwards. At most 3 draws a case.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

int T, s, a[201], c, d, i;

int main() {
  srand((unsigned)time(0));
  T = 100;
  printf("%d\n", T);
  while (T--) {
    int k = T % 10;
    if (k == 0) {
      puts("1");
      int r = rand();
      if (r % 3) {
        r = rand();
        c = (r & 1) ? 1 : 30;
      } else {
        r = rand();
        c = r % 30 + 1;
      }
      printf("%d\n", c);
    } else if (k <= 4) {
      // 1, 2: ends at 1 (walked up from 1); 3, 4: ends at 30 (walked down from 30).
      int r = rand();
      s = r % 200 + 2;
      printf("%d\n", s);
      if (k <= 2)
        c = 1, d = -1;
      else
        c = 30, d = 1;
      for (i = 0; i < s; i++) {
        a[i] = c;
        if (c == 30 || c == 1) d = -d; // the cycle step: an end turns the direction
        c += d;
      }
      printf("%d", a[s - 1]);
      for (i = s - 2; i >= 0; i--) printf(" %d", a[i]);
      puts("");
    } else {
      int r = rand();
      s = r % 200 + 2;
      printf("%d\n", s);
      r = rand();
      c = r % 30 + 1;
      printf("%d", c);
      if (c == 1)
        d = -1;
      else if (c == 30)
        d = 1;
      else {
        r = rand();
        d = (r & 1) ? 1 : -1;
      }
      if (c == 30 || c == 1) d = -d; // at an end this turns d inward
      c += d;
      for (i = 1; i < s; i++) {
        printf(" %d", c);
        if (c == 30 || c == 1) d = -d;
        c += d;
      }
      puts("");
    }
  }
  // The file must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "trend_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
