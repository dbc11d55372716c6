// rounding_solver: Grade rounding, reference solver.
// Input: T, then per case a count m and a non-negative decimal number as text (at most 200006
// characters). Output: per case one line, the largest number reachable with at most m half-up
// roundings, without trailing zeros after the point and without a point left at the end.
// Method: greedy on the text: round first at the leftmost digit after the point that is 5 or
// more, then one place further left while the digit just raised has become 5 and steps remain.
// The number is never converted. O(length) a case.
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const int N = 200008;
// a[0] is the guard that takes a carry out of the integer part; the text sits from a[1].
char a[N];
int n, m;
long long cs; // number of the case being read, from 1

[[noreturn]] void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "rounding_solver: ");
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
  fprintf(stderr, "rounding_solver: cannot write the answers: %s\n", strerror(r ? errno : e));
  exit(2);
}

// Whether the token just read ends there: "%lld" stops at the first byte that is not a digit,
// so "1e5" would leave "e5" to be read as the number.
bool ends() {
  int c = getchar();
  return c == EOF || isspace(c);
}

// The case count, read as a token and converted whole, so that a refusal quotes it as it
// stood. A NUL byte inside the token makes it longer than its string.
char tk[64];
long long count() {
  int p0 = 0, p1 = 0;
  if (scanf(" %n%63s%n", &p0, tk, &p1) != 1) fail("input ends before the case count");
  if (!ends()) fail("case count is longer than 63 characters");
  long long v;
  int k = 0;
  errno = 0;
  if (p1 - p0 != (int)strlen(tk) || sscanf(tk, "%lld%n", &v, &k) != 1 || tk[k])
    fail("case count is not a number");
  if (errno == ERANGE && tk[0] != '-') fail("case count %s does not fit", tk);
  if (errno == ERANGE || v < 0) fail("case count %s is negative", tk);
  return v;
}

int main() {
  long long T = count();
  while (T--) {
    cs++;
    long long v;
    errno = 0;
    int r = scanf("%lld", &v);
    if (r == EOF) fail("case %lld: input ends before m", cs);
    if (r != 1 || !ends()) fail("case %lld: m is not a number", cs);
    if (errno == ERANGE) fail("case %lld: m is outside 0..2147483647", cs);
    // The width keeps the token inside a[1 .. N-1]: 200006 characters and the null. A token
    // that did not fit leaves a character other than blank space right behind it.
    int p0 = 0, p1 = 0;
    r = scanf(" %n%200006s%n", &p0, a + 1, &p1);
    if (r != 1) fail("case %lld: input ends before the number", cs);
    if (!ends()) fail("case %lld: the number is longer than 200006 characters", cs);
    if (v < 0 || v > 2147483647) fail("case %lld: m = %lld is outside 0..2147483647", cs, v);
    m = (int)v;
    n = (int)strlen(a + 1);
    // Digits with at most one point, and at least one digit; a NUL byte in the token makes it
    // longer than its string.
    int pts = 0, dig = 0, other = 0;
    for (int j = 1; j <= n; j++) {
      if (a[j] == '.')
        pts++;
      else if (a[j] >= '0' && a[j] <= '9')
        dig++;
      else
        other++;
    }
    if (n != p1 - p0 || other || pts > 1 || !dig)
      fail("case %lld: the number is not a decimal number", cs);

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
    if (ferror(stdout)) written();
  }
  written();
  return 0;
}
