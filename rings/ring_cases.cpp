// ring_cases: Ring count, random test generator, seeded from the clock.
// Output: 100, then 100 points "x y" with nonzero integer coordinates of absolute value 1..159;
// x is negative about half of the time, y about one time in five.
// Method: six draws a point; a point within 1e-6 outside a ring boundary circle is thrown away
// and another drawn in its place (the boundaries are scanned outwards up to the point).
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

const double PI = 3.141592653589793;
int T, x, y, i;
double d;

int main() {
  T = 100;
  srand((unsigned)time(0));
  printf("%d\n", T);
  while (T--) {
    int r1 = rand();
    int r2 = rand();
    x = r1 % 96 + r2 % 64 + 1;
    int r3 = rand();
    int r4 = rand();
    y = r3 % 96 + r4 % 64 + 1;
    int r5 = rand();
    if (r5 & 1) x = -x;
    int r6 = rand();
    if (r6 % 5 == 0) y = -y;
    d = sqrt((double)(x * x + y * y));
    // Boundary i is the circle of radius sqrt(100 i / pi), the outer edge of ring i; only the
    // boundaries inside the point are tested.
    int bad = 0;
    for (i = 0;; i++) {
      double R = sqrt((double)(100 * i) / PI);
      if (R >= d) break;
      if (fabs(R - d) < 1e-6) {
        bad = 1;
        break;
      }
    }
    if (bad) {
      T++; // one more case is drawn in its place
      continue;
    }
    printf("%d %d\n", x, y);
  }
  // The file must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "ring_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
