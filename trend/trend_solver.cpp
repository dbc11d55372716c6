// trend_solver: Trend, reference solver.
// Input: T, then per case n (1..201) and the last n values of the cycle 1, 2, ..., 30, 29,
// ..., 1, 2, ..., oldest first. Output: per case "Heavy" (the next value is greater),
// "Light" (smaller) or "No Response" (a single value inside the cycle cannot tell).
// Method: only the last two values decide; an end of the cycle turns it. O(n) a case.
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>

using namespace std;

const int N = 202;
int T, n, a[N];
int cs; // number of the case being read, from 1

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "trend_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

// Reads one integer with the C functions (the stream that read the count shares their input).
// Read wide, so that a token past 32 bits is caught instead of wrapping.
long long item(const char *what, int i) {
  long long v;
  int r = scanf("%lld", &v);
  if (r == EOF) {
    if (i) fail("case %d: input ends before %s %d of %d", cs, what, i, n);
    fail("case %d: input ends before %s", cs, what);
  }
  if (r != 1) {
    if (i) fail("case %d: %s %d is not a number", cs, what, i);
    fail("case %d: %s is not a number", cs, what);
  }
  return v;
}

int main() {
  cin >> ws;
  if (cin.peek() == EOF) fail("input ends before the case count");
  if (!(cin >> T)) {
    if (T == INT_MAX || T == INT_MIN) fail("case count is out of range");
    fail("case count is not a number");
  }
  if (T < 0) fail("case count %d is negative", T);
  while (T--) {
    cs++;
    long long m = item("n", 0);
    // n = 0 would read a[0] below, which no case writes.
    if (m < 1 || m > 201) fail("case %d: n = %lld is outside 1..201", cs, m);
    n = m;
    for (int i = 1; i <= n; i++) {
      long long v = item("value", i);
      // Values are only compared, so any 32-bit value is safe; wider ones cannot be held.
      if (v < INT_MIN || v > INT_MAX) fail("case %d: value %d = %lld is out of range", cs, i, v);
      a[i] = v;
    }
    if (n == 1) {
      if (a[1] == 30)
        puts("Light");
      else if (a[1] == 1)
        puts("Heavy");
      else
        puts("No Response");
    } else if (a[n] == 30) {
      puts("Light");
    } else if (a[n] == 1) {
      puts("Heavy");
    } else if (a[n] > a[n - 1]) {
      puts("Heavy");
    } else if (a[n] < a[n - 1]) {
      puts("Light");
    }
    // Equal last values never occur in the problem's input; such a case writes no line.
  }
  return 0;
}
