// mirror_solver_scan: Pair mirror, second solver (cross-checks mirror_solver).
// Input: T, then T words. Output: per word "Yes" when its two-character blocks read the same
// forwards and backwards, else "No".
// Method: a left cursor on the first block and a right cursor on the last walk towards each
// other and stop at the first mismatch. O(n) a word, one static buffer of 510 characters.
// On an odd length the right cursor starts at the next-to-last character, so the blocks on the
// right are cut from the end: such words may be answered unlike mirror_solver answers them.
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

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

int main() {
  long long T;
  int st = scanf("%lld", &T);
  if (st == EOF) fail("input ends before the case count");
  if (st != 1) fail("case count is not a number");
  if (T < 0) fail("case count %lld is negative", T);
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
  return 0;
}
