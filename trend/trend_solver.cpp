// trend_solver: Trend, reference solver.
// Input: T, then per case n (1..201) and the last n values of the cycle 1, 2, ..., 30, 29,
// ..., 1, 2, ..., oldest first. Output: per case "Heavy" (the next value is greater),
// "Light" (smaller) or "No Response" (a single value inside the cycle cannot tell).
// Method: only the last two values decide; an end of the cycle turns it. O(n) a case.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// After a number: its token must end there, at whitespace or the end of the input.
int ends() {
  int c = getchar();
  return c == EOF || isspace(c);
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
  if (r != 1 || !ends()) {
    if (i) fail("case %d: %s %d is not a number", cs, what, i);
    fail("case %d: %s is not a number", cs, what);
  }
  return v;
}

// The case count, read whole from the stream a byte at a time (so that a zero byte shows): an
// optional sign and digits, and a value that fits 32 bits. Anything else stops the program naming
// the token as it stood (a token past 63 bytes is cut, and refused).
long long count() {
  static char t[64];
  int n = 0, more = 0, ok = 1, c;
  std::cin >> std::ws;
  if (std::cin.peek() == EOF) fail("input ends before the case count");
  while ((c = std::cin.peek()) != EOF && !isspace(c)) {
    std::cin.get();
    ok &= c && (isdigit(c) || (!n && (c == '-' || c == '+')));
    if (n < 63)
      t[n++] = (char)c;
    else
      more = 1;
  }
  t[n] = 0;
  ok &= !!isdigit((unsigned char)t[n - 1]);
  if (!ok) fail("case count is not a number");
  errno = 0;
  long long v = strtoll(t, 0, 10);
  if (t[0] == '-' && (v < 0 || more)) fail("case count %s%s is negative", t, more ? "..." : "");
  if (errno == ERANGE || v > INT_MAX || more)
    fail("case count %s%s does not fit", t, more ? "..." : "");
  return v;
}

int main() {
  T = (int)count();
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
  // The answers must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
