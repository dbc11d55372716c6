// ring_solver: Ring count, reference solver.
// Input: T, then per case the coordinates x and y of a point. Output: per case the index of the
// ring of area 100 around the origin that holds the point, or "inf" when the point lies below
// the axis or beyond ring 730.
// Method: v = pi r^2 / 100 is the disc area in rings; the ring is v - eps truncated, plus 1.
// O(1) a case.
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// After a number: its token must end there, at whitespace or the end of the input.
int ends() {
  int c = getchar();
  return c == EOF || isspace(c);
}

// Reads one coordinate; stops the program when it is missing, not a number, or not finite.
double coord(const char *what) {
  double v;
  int r = scanf("%lf", &v);
  if (r == EOF) fail("case %lld: input ends before %s", cs, what);
  if (r != 1 || !ends()) fail("case %lld: %s is not a number", cs, what);
  if (!std::isfinite(v)) fail("case %lld: %s is not finite", cs, what);
  return v;
}

// The case count, read whole: an optional sign and digits, and a value that fits. Anything else
// stops the program naming the token as it stood (a token past 63 bytes is cut, and refused).
long long count() {
  static char t[64];
  int p = 0, q = 0;
  if (scanf(" %n%63s%n", &p, t, &q) != 1) fail("input ends before the case count");
  int n = q - p, ok = (int)strlen(t) == n, more = 0; // a zero byte in the token is no digit
  for (int c = getchar(); c != EOF && !isspace(c); c = getchar()) more = 1, ok &= !!isdigit(c);
  int i = t[0] == '-' || t[0] == '+';
  ok &= i < n;
  for (; i < n; i++) ok &= !!isdigit((unsigned char)t[i]);
  if (!ok) fail("case count is not a number");
  errno = 0;
  long long v = strtoll(t, 0, 10);
  if (t[0] == '-' && (v < 0 || more)) fail("case count %s%s is negative", t, more ? "..." : "");
  if (errno == ERANGE || more) fail("case count %s%s does not fit", t, more ? "..." : "");
  return v;
}

int main() {
  long long T = count();
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
  // The answers must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
