// rounding_solver: Grade rounding, reference solver.
// Input: T, then per case a count m and a non-negative decimal number as text (at most 200006
// characters). Output: per case one line, the largest number reachable with at most m half-up
// roundings, without trailing zeros after the point and without a point left at the end.
// Method: greedy on the text: round first at the leftmost digit after the point that is 5 or
// more, then one place further left while the digit just raised has become 5 and steps remain.
// The number is never converted. O(length) a case.
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const int N = 200008;
// a[0] is the guard that takes a carry out of the integer part; the text sits from a[1].
char a[N];
int n, m;
long long cs; // number of the case being read, from 1

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "rounding_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

int main() {
  long long T;
  int r = scanf("%lld", &T);
  if (r == EOF) fail("input ends before the case count");
  if (r != 1) fail("case count is not a number");
  if (T < 0) fail("case count %lld is negative", T);
  while (T--) {
    cs++;
    // The width keeps the token inside a[1 .. N-1]: 200006 characters and the null. A token
    // that did not fit leaves a character other than blank space right behind it.
    long long v;
    r = scanf("%lld%200006s", &v, a + 1);
    if (r == EOF) fail("case %lld: input ends before m", cs);
    if (r == 0) fail("case %lld: m is not a number", cs);
    if (r == 1) fail("case %lld: input ends before the number", cs);
    int c = getchar();
    if (c != EOF && !isspace(c)) fail("case %lld: the number is longer than 200006 characters", cs);
    if (v < 0 || v > 2147483647) fail("case %lld: m = %lld is outside 0..2147483647", cs, v);
    m = (int)v;
    n = (int)strlen(a + 1);

    a[0] = '0';
    a[n + 1] = 0;
    int p = 1; // the point, or n+1 when there is none
    while (p <= n && a[p] != '.') p++;
    int q = p + 1; // the rounding cursor: the leftmost digit 5..9 after the point
    while (q <= n && a[q] <= '4') q++;
    if (q <= n) {
      while (m--) {
        // After a step the raised digit is the last one; when it did not become 5, every digit
        // left of it up to the point is 0..4, so the cursor runs to the point and stops.
        while (q > p && a[q] <= '4') q--;
        if (q == p) break;
        if (q == p + 1) {
          // Round to an integer: raise the last integer digit (the guard for ".5") and carry.
          a[p - 1]++;
          a[q] = 0;
          for (int k = p - 1; k > 0 && a[k] > '9'; k--) {
            a[k] = '0';
            a[k - 1]++;
          }
        } else {
          // The digit left of the cursor is 0..4, so it becomes at most 5: no carry here.
          a[q - 1]++;
          a[q] = 0;
        }
        n = --q;
      }
    }
    while (n > p && a[n] == '0') a[n--] = 0;
    if (n == p) a[n--] = 0;
    // A number made of the point and zeros alone (".0") would leave nothing: it is 0.
    const char *s = a[0] != '0' ? a : a + 1;
    puts(*s ? s : "0");
  }
  return 0;
}
