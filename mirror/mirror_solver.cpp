// mirror_solver: Pair mirror, reference solver.
// Input: T, then T words. Output: per word "Yes" when its two-character blocks, cut from the
// front, read the same forwards and backwards, else "No".
// Method: every block k is compared with its partner h-k+1 (h = n/2, a last odd character
// takes no part), no early stop. O(n) a word, one static buffer of 10000 characters.
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>

char s[10002]; // the word at s[1..n], then its terminator
long long T, cs;

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "mirror_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

int main() {
  // The count comes by stream extraction, the words by scanf: the streams stay synchronised
  // with stdio, so both read one buffer in turn.
  std::cin >> std::ws;
  if (std::cin.peek() == EOF) fail("input ends before the case count");
  if (!(std::cin >> T)) {
    // A failed extraction stores 0 when no number stands there, the nearest bound on overflow.
    if (T == 0) fail("case count is not a number");
    fail("case count does not fit 64 bits");
  }
  if (T < 0) fail("case count %lld is negative", T);
  while (T--) {
    cs++;
    // The width keeps the read inside s; the positions around it give the length even when
    // the word holds a zero byte.
    int p = 0, q = 0;
    if (scanf(" %n%10000s%n", &p, s + 1, &q) != 1)
      fail("case %lld: input ends before the word", cs);
    int ch = getchar();
    if (ch != EOF && !isspace(ch)) fail("case %lld: word is longer than 10000 characters", cs);
    int n = q - p, h = n / 2, ok = 1;
    for (int i = 1; i <= h; i++) {
      int j = h - i + 1;
      if (s[2 * i] != s[2 * j] || s[2 * i - 1] != s[2 * j - 1]) ok = 0;
    }
    puts(ok ? "Yes" : "No");
  }
  return 0;
}
