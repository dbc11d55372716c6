// shuttle_solver: Shuttle ride, reference solver.
// Input: T, then per case n l vw vs k (walkers, distance, walking speed, shuttle speed, seats).
// Output: per case the least time by which every walker has arrived, "%.10f".
// Method: closed form. When the shuttle is faster, the walkers ride in g = ceil(n / k) groups,
// each over the same distance x, and all arrive together; equating the shuttle's time (g rides,
// g - 1 trips back) with a walker's time gives x. O(1) a case.
#include <cfloat>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>

using namespace std;

long long T, cs; // cases left; number of the case being read, from 1

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "shuttle_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

// The cases are read by stream extraction from the same standard input as the count (the
// streams stay synchronised with the C functions). A failed extraction leaves the largest
// value of the type on overflow and 0 on other text, which tells the two apart.
int whole(const char *what) {
  cin >> ws;
  if (cin.peek() == EOF) fail("case %lld: input ends before %s", cs, what);
  int v;
  if (!(cin >> v)) {
    if (v == INT_MAX || v == INT_MIN) fail("case %lld: %s is out of range", cs, what);
    fail("case %lld: %s is not a number", cs, what);
  }
  return v;
}

double real(const char *what) {
  cin >> ws;
  if (cin.peek() == EOF) fail("case %lld: input ends before %s", cs, what);
  double v;
  if (!(cin >> v)) {
    if (v == DBL_MAX || v == -DBL_MAX) fail("case %lld: %s is out of range", cs, what);
    fail("case %lld: %s is not a number", cs, what);
  }
  return v;
}

int main() {
  int r = scanf("%lld", &T);
  if (r == EOF) fail("input ends before the case count");
  if (r != 1) fail("case count is not a number");
  if (T < 0) fail("case count %lld is negative", T);
  while (T--) {
    cs++;
    int n = whole("n");
    if (n < 1) fail("case %lld: n = %d is below 1", cs, n);
    double l = real("l");
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
    printf("%.10f\n", ans);
  }
  return 0;
}
