// rounding_cases: Grade rounding, random test generator, seeded from the clock.
// Output: 100 cases, each a count k on a line (1..10; 1..100000 on cases 20, 40, 60, 80, 100)
// and a number on a line: an integer part 0..99899, often all nines, a point, and 1..100
// fraction digits (up to 100000 when k >= 20) with runs of fours closed by a digit 5..9.
// Method: one pass of draws per case, written as drawn; O(length of the file).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

int T, k, x, l, ll, t, i;

int main() {
  srand((unsigned)time(0));
  T = 100;
  printf("%d\n", T);
  while (T--) {
    int r = rand();
    k = T % 20 ? r % 10 + 1 : r % 100000 + 1;
    printf("%d\n", k);

    // Integer part: x is 0 or 0..999, then multiplied by 10 while coins come up 1 and x stays
    // at most 9999; writing x-1 turns a power of ten into all nines.
    r = rand();
    if (r & 1) {
      r = rand();
      x = r % 1000;
    } else
      x = 0;
    while (x <= 9999) {
      r = rand();
      if (!(r & 1)) break;
      x *= 10;
    }
    l = printf("%d.", x ? x - 1 : 0);

    r = rand();
    ll = l + (k <= 19 ? r % 100 : r % 100000);
    while (l <= ll) {
      r = rand();
      r %= 8;
      if (r == 0) {
        // A run of fours closed by 5..9: a chain of roundings; a run that does not fit the
        // budget is dropped, its closing digit is still written.
        int s = rand();
        if (s % 3) {
          s = rand();
          t = s % k;
        } else {
          s = rand();
          t = k + s % k;
        }
        if (l + t <= ll)
          for (i = 0; i < t; i++) l += printf("4");
        s = rand();
        l += printf("%d", s % 5 + 5);
      } else if (r <= 3) {
        int s = rand();
        l += printf("%d", s % 5);
      } else {
        int s = rand();
        l += printf("%d", s % 10);
      }
    }
    puts("");
  }
  // A file that could not be written in full is no test file.
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "rounding_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
