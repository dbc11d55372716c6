// sum_solver: Sum of two numbers, reference solver.
// Input: T, then per case two integers a and b. Output: per case one line, a + b.
// Method: both are read whole as 64-bit integers of at most 18 digits and added. O(size of
// the input).
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char what[64]; // the item being read, for a message

// Stops with one line on stderr (the answers so far are written) and status 2.
[[noreturn]] void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "sum_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

// The next token, read whole as an integer: an optional '-' and 1 to 18 digits.
long long num() {
  static char t[24];
  int n = 0, len = 0, c = getchar();
  while (c != EOF && isspace(c)) c = getchar();
  for (; c != EOF && !isspace(c); c = getchar(), len++)
    if (n < 20) t[n++] = (char)c;
  t[n] = 0;
  if (!len) fail("%s: the input ends before it", what);
  int i = t[0] == '-', ok = len == n && len - i >= 1 && len - i <= 18;
  for (int k = i; k < n; k++) ok &= t[k] >= '0' && t[k] <= '9';
  if (!ok) fail("%s '%s%s' is not an integer of at most 18 digits", what, t, len > n ? "..." : "");
  return strtoll(t, 0, 10);
}

int main() {
  snprintf(what, sizeof what, "the case count");
  long long T = num();
  if (T < 0) fail("the case count %lld is negative", T);
  for (long long cs = 1; cs <= T; cs++) {
    snprintf(what, sizeof what, "case %lld: a", cs);
    long long a = num();
    snprintf(what, sizeof what, "case %lld: b", cs);
    long long b = num();
    printf("%lld\n", a + b);
  }
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
