// extrema_solver: Local extrema, reference solver.
// Input: T, then per case n (0..107) and n integers of 32 bits. Output: per case one line, the
// number of inner positions strictly above both neighbours or strictly below both.
// Method: one pass over positions 2..n-1, each compared with its two neighbours. O(n) a case.
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

const int N = 108;
int a[N];     // the sequence, positions 1..n; a later, shorter case only reads what it wrote
long long cs; // number of the case being read, from 1

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "extrema_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

int main() {
  // Numbers are read at 64 bits, so that one past 32 bits is caught instead of wrapped; the C
  // library gives one past 64 bits as the nearest 64-bit value.
  long long T, v;
  int n, cnt;
  int r = scanf("%lld", &T);
  if (r == EOF) fail("input ends before the case count");
  if (r != 1) fail("case count is not a number");
  if (T < 0) fail("case count %lld is negative", T);
  while (T--) {
    cs++;
    r = scanf("%lld", &v);
    if (r == EOF) fail("case %lld: input ends before n", cs);
    if (r != 1) fail("case %lld: n is not a number", cs);
    if (v < 0 || v > N - 1) {
      if (v == LLONG_MAX || v == LLONG_MIN) fail("case %lld: n is outside 0..%d", cs, N - 1);
      fail("case %lld: n = %lld is outside 0..%d", cs, v, N - 1);
    }
    n = (int)v;
    for (int i = 1; i <= n; i++) {
      r = scanf("%lld", &v);
      if (r == EOF) fail("case %lld: input ends before value %d of %d", cs, i, n);
      if (r != 1) fail("case %lld: value %d is not a number", cs, i);
      if (v < INT_MIN || v > INT_MAX) fail("case %lld: value %d does not fit 32 bits", cs, i);
      a[i] = (int)v;
    }
    cnt = 0;
    for (int i = 2; i < n; i++)
      if ((a[i] > a[i - 1] && a[i] > a[i + 1]) || (a[i] < a[i - 1] && a[i] < a[i + 1])) cnt++;
    printf("%d\n", cnt);
  }
  return 0;
}
