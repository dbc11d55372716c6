// mirror_solver: Pair mirror, reference solver.
// Input: T, then T words. Output: per word "Yes" when its two-character blocks, cut from the
// front, read the same forwards and backwards, else "No".
// Method: every block k is compared with its partner h-k+1 (h = n/2, a last odd character
// takes no part), no early stop. O(n) a word, one static buffer of 10000 characters.
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
  // The count comes by stream extraction, the words by scanf: the streams stay synchronised
  // with stdio, so both read one buffer in turn.
  T = count();
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
  // The answers must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
