// extrema_solver: Local extrema, reference solver.
// Input: T, then per case n (0..107) and n integers of 32 bits. Output: per case one line, the
// number of inner positions strictly above both neighbours or strictly below both.
// Method: one pass over positions 2..n-1, each compared with its two neighbours. O(n) a case.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// After a number: its token must end there, at whitespace or the end of the input.
int ends() {
  int c = getchar();
  return c == EOF || isspace(c);
}

int main() {
  // Numbers are read at 64 bits, so that one past 32 bits is caught instead of wrapped; the C
  // library gives one past 64 bits as the nearest 64-bit value.
  long long T = count(), v;
  int n, cnt, r;
  while (T--) {
    cs++;
    r = scanf("%lld", &v);
    if (r == EOF) fail("case %lld: input ends before n", cs);
    if (r != 1 || !ends()) fail("case %lld: n is not a number", cs);
    if (v < 0 || v > N - 1) {
      if (v == LLONG_MAX || v == LLONG_MIN) fail("case %lld: n is outside 0..%d", cs, N - 1);
      fail("case %lld: n = %lld is outside 0..%d", cs, v, N - 1);
    }
    n = (int)v;
    for (int i = 1; i <= n; i++) {
      r = scanf("%lld", &v);
      if (r == EOF) fail("case %lld: input ends before value %d of %d", cs, i, n);
      if (r != 1 || !ends()) fail("case %lld: value %d is not a number", cs, i);
      if (v < INT_MIN || v > INT_MAX) fail("case %lld: value %d does not fit 32 bits", cs, i);
      a[i] = (int)v;
    }
    cnt = 0;
    for (int i = 2; i < n; i++)
      if ((a[i] > a[i - 1] && a[i] > a[i + 1]) || (a[i] < a[i - 1] && a[i] < a[i + 1])) cnt++;
    printf("%d\n", cnt);
  }
  // The answers must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
