// ratio_solver_stream: Ratio product, second solver (cross-checks ratio_solver).
// Input: T, then T queries n (1..1000), read by stream extraction. Output: per query one line,
// the product of (2i - 2) / (2i - 1) for i = 2..n (1 for n = 1), with ten decimals.
// Method: after the case count, tabulate every answer, each entry from the one before it, the
// quotient (2i - 2) / (2i - 1) rounded first and then times the previous product; the last
// bits differ from ratio_solver's table, the ten printed decimals do not. O(1000 + T).
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

const int N = 1002;
double dp[N]; // dp[n] = the answer for n, filled for 1..1000
long long cs; // number of the query being read, from 1

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "ratio_solver_stream: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

// Extracts one whole number into v: 1 when done, EOF when the input ends first, 0 when
// something else stands there or the token goes on past the number. A number past 64 bits
// fails the extraction with the nearest 64-bit value in v; it is taken as that value, as the C
// formatted read takes it.
int num(long long &v) {
  std::cin >> std::ws;
  if (std::cin.eof()) return EOF;
  if (!(std::cin >> v)) {
    if (v != LLONG_MAX && v != LLONG_MIN) return 0;
    std::cin.clear();
  }
  int c = std::cin.peek();
  return c == EOF || isspace(c);
}

// The case count, read whole from the stream a byte at a time (so that a zero byte shows): an
// optional sign and digits, and a value that fits. Anything else stops the program naming
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
  if (errno == ERANGE || more) fail("case count %s%s does not fit", t, more ? "..." : "");
  return v;
}

int main() {
  // Standard input is tied to the C++ output stream, whose every flush empties stdout: one
  // write call per query. Untied, the answers leave in full buffers, as ratio_solver's do.
  std::cin.tie(nullptr);
  // 64-bit numbers, so that none wraps into 1..1000
  long long T = count(), n;
  int r;

  dp[1] = 1;
  for (int i = 2; i <= 1000; i++) {
    double x = i;
    // the quotient is rounded before it meets the previous product
    dp[i] = ((x + x - 2.0) / (2 * i - 1)) * dp[i - 1];
  }

  while (T--) {
    cs++;
    r = num(n);
    if (r == EOF) fail("case %lld: input ends before n", cs);
    if (r != 1) fail("case %lld: n is not a number", cs);
    if (n < 1 || n > 1000) {
      if (n == LLONG_MAX || n == LLONG_MIN) fail("case %lld: n is outside 1..1000", cs);
      fail("case %lld: n = %lld is outside 1..1000", cs, n);
    }
    printf("%.10f\n", dp[n]);
  }
  // The answers must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
