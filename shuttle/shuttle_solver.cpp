// shuttle_solver: Shuttle ride, reference solver.
// Input: T, then per case n l vw vs k (walkers, distance, walking speed, shuttle speed, seats).
// Output: per case the least time by which every walker has arrived, "%.10f".
// Method: closed form. When the shuttle is faster, the walkers ride in g = ceil(n / k) groups,
// each over the same distance x, and all arrive together; equating the shuttle's time (g rides,
// g - 1 trips back) with a walker's time gives x. O(1) a case.
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

using namespace std;

long long T, cs; // cases left; number of the case being read, from 1

[[noreturn]] void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "shuttle_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

// Stops the program when standard output has failed: the answers would be lost unseen.
void written() {
  int e = errno; // set by a write that failed before
  int r = fflush(stdout);
  if (r == 0 && !ferror(stdout)) return;
  fprintf(stderr, "shuttle_solver: cannot write the answers: %s\n", strerror(r ? errno : e));
  exit(2);
}

// The case count, read as a token and converted whole, so that a refusal quotes it as it
// stood. A NUL byte inside the token makes it longer than its string.
char tk[64];
long long count() {
  int p0 = 0, p1 = 0;
  if (scanf(" %n%63s%n", &p0, tk, &p1) != 1) fail("input ends before the case count");
  int c = getchar();
  if (c != EOF && !isspace(c)) fail("case count is longer than 63 characters");
  long long v;
  int k = 0;
  errno = 0;
  if (p1 - p0 != (int)strlen(tk) || sscanf(tk, "%lld%n", &v, &k) != 1 || tk[k])
    fail("case count is not a number");
  if (errno == ERANGE && tk[0] != '-') fail("case count %s does not fit", tk);
  if (errno == ERANGE || v < 0) fail("case count %s is negative", tk);
  return v;
}

// Whether the number just extracted ends there: extraction stops at the first byte that
// cannot continue it, so "2.5" read as an integer would leave ".5" for the next item.
bool ends() {
  cin.clear();
  int c = cin.peek();
  return c == EOF || isspace(c);
}

// The cases are read by stream extraction from the same standard input as the count (the
// streams stay synchronised with the C functions). A failed extraction leaves the largest
// value of the type on overflow, having read every digit, and 0 on other text.
int whole(const char *what) {
  cin >> ws;
  if (cin.peek() == EOF) fail("case %lld: input ends before %s", cs, what);
  int v;
  bool ok = (bool)(cin >> v);
  if (!ends()) fail("case %lld: %s is not a number", cs, what);
  if (!ok) {
    if (v == INT_MAX || v == INT_MIN) fail("case %lld: %s is out of range", cs, what);
    fail("case %lld: %s is not a number", cs, what);
  }
  return v;
}

double real(const char *what) {
  cin >> ws;
  if (cin.peek() == EOF) fail("case %lld: input ends before %s", cs, what);
  double v;
  bool ok = (bool)(cin >> v);
  if (!ends()) fail("case %lld: %s is not a number", cs, what);
  if (!ok) {
    if (v == DBL_MAX || v == -DBL_MAX) fail("case %lld: %s is out of range", cs, what);
    fail("case %lld: %s is not a number", cs, what);
  }
  return v;
}

int main() {
  T = count();
  while (T--) {
    cs++;
    int n = whole("n");
    if (n < 1) fail("case %lld: n = %d is below 1", cs, n);
    double l = real("l");
    if (l <= 0) fail("case %lld: l = %g is not positive", cs, l);
    double vw = real("vw");
    if (vw <= 0) fail("case %lld: vw = %g is not positive", cs, vw);
    double vs = real("vs");
    if (vs <= 0) fail("case %lld: vs = %g is not positive", cs, vs);
    int k = whole("k");
    if (k < 1) fail("case %lld: k = %d is below 1", cs, k);

    double ans;
    if (vw >= vs) {
      ans = l / vw; // walking is at least as fast: nobody rides
    } else {
      int g = (n - 1) / k + 1; // groups: n / k rounded up, no overflow for n, k >= 1
      double G = g;
      // The steps in this order and grouping: the printed digits depend on it.
      double P = l / vw;
      double Q = G / vs;
      double R = 1.0 - vw / vs;
      double S = R / (vs + vw);
      double U = (G - 1.0) * S;
      double W = (U + Q) - 1.0 / vs;
      double D = 1.0 / vw + W;
      double x = P / D; // the distance each group rides
      double a = (l - x) / vw;
      double b = x / vs;
      ans = a + b;
    }
    // At extreme values the closed form leaves the doubles: overflow, 0 / 0, or a rounding
    // that makes the time negative. Such a number is no answer.
    if (!isfinite(ans) || ans < 0) fail("case %lld: the formula gives %g, not a time", cs, ans);
    printf("%.10f\n", ans);
    if (ferror(stdout)) written();
  }
  written();
  return 0;
}
