// ratio_solver: Ratio product, reference solver.
// Input: T, then T queries n (1..1000). Output: per query one line, the product of
// (2i - 2) / (2i - 1) for i = 2..n (1 for n = 1), with ten decimals.
// Method: tabulate every answer once at start, each entry from the one before it, the previous
// product times 2i - 2 first and then divided by 2i - 1; a query is one lookup. O(1000 + T).
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const int N = 1008;
double a[N];  // a[n] = the answer for n, filled for 1..1000
long long cs; // number of the query being read, from 1

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "ratio_solver: ");
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
  a[1] = 1;
  for (int i = 2; i <= 1000; i++) {
    double x = i;
    // both factors are exact; the two roundings come in this order: product, then quotient
    a[i] = a[i - 1] * (x + x - 2.0) / (x + x - 1.0);
  }

  // Numbers are read at 64 bits, so that none wraps into 1..1000; the C library gives one
  // past 64 bits as the nearest 64-bit value.
  long long T = count(), n;
  int r;
  while (T--) {
    cs++;
    r = scanf("%lld", &n);
    if (r == EOF) fail("case %lld: input ends before n", cs);
    if (r != 1 || !ends()) fail("case %lld: n is not a number", cs);
    if (n < 1 || n > 1000) {
      if (n == LLONG_MAX || n == LLONG_MIN) fail("case %lld: n is outside 1..1000", cs);
      fail("case %lld: n = %lld is outside 1..1000", cs, n);
    }
    printf("%.10f\n", a[n]);
  }
  // The answers must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
