// ring_solver: Ring count, reference solver.
// Input: T, then per case the coordinates x and y of a point. Output: per case the index of the
// ring of area 100 around the origin that holds the point, or "inf" when the point lies below
// the axis or beyond ring 730.
// Method: v = pi r^2 / 100 is the disc area in rings; the ring is v - eps truncated, plus 1.
// O(1) a case.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

const double PI = 3.141592653589793;
const double eps = 1e-10;
long long cs;

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "ring_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

// Reads one coordinate; stops the program when it is missing, not a number, or not finite.
double coord(const char *what) {
  double v;
  int r = scanf("%lf", &v);
  if (r == EOF) fail("case %lld: input ends before %s", cs, what);
  if (r != 1) fail("case %lld: %s is not a number", cs, what);
  if (!std::isfinite(v)) fail("case %lld: %s is not finite", cs, what);
  return v;
}

int main() {
  long long T;
  int r = scanf("%lld", &T);
  if (r == EOF) fail("input ends before the case count");
  if (r != 1) fail("case count is not a number");
  if (T < 0) fail("case count %lld is negative", T);
  while (T--) {
    cs++;
    double x = coord("x");
    double y = coord("y");
    if (y < -eps) {
      puts("inf");
      continue;
    }
    double v = (x * x + y * y) * PI / 100;
    // Truncation toward zero, so the origin (v - eps slightly below 0) is ring 1 too. A point
    // so far out that the index would not fit 32 bits (v may even be infinite) is beyond ring
    // 730 anyway: it is answered before any conversion.
    double w = v - eps;
    if (w >= 2147483647.0) {
      puts("inf");
      continue;
    }
    int k = (int)w + 1;
    if (k > 730)
      puts("inf");
    else
      printf("%d\n", k);
  }
  return 0;
}
