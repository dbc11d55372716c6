// mirror_solver_scan: Pair mirror, second solver (cross-checks mirror_solver).
// Input: T, then T words. Output: per word "Yes" when its two-character blocks read the same
// forwards and backwards, else "No".
// Method: a left cursor on the first block and a right cursor on the last walk towards each
// other and stop at the first mismatch. O(n) a word, one static buffer of 510 characters.
// On an odd length the right cursor starts at the next-to-last character, so the blocks on the
// right are cut from the end: such words may be answered unlike mirror_solver answers them.
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const int N = 512;
char a[N]; // the word at a[1..n], then its terminator
long long cs;

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "mirror_solver_scan: ");
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

int main() {
  long long T = count();
  while (T--) {
    cs++;
    // The width keeps the read inside a; the positions around it give the length even when
    // the word holds a zero byte.
    int p = 0, q = 0;
    if (scanf(" %n%510s%n", &p, a + 1, &q) != 1) fail("case %lld: input ends before the word", cs);
    int ch = getchar();
    if (ch != EOF && !isspace(ch)) fail("case %lld: word is longer than 510 characters", cs);
    int n = q - p, l = 1, r = n - 1;
    while (l < r && a[l] == a[r] && a[l + 1] == a[r + 1]) l += 2, r -= 2;
    puts(l < r ? "No" : "Yes");
  }
  // The answers must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
