// sudoku_validator: Sudoku validation, reference solver.
// Input: T, then per case 81 values 0..9 in row order. Output: per case "Accepted" when no row,
// column or 3 x 3 box holds one value twice, else "Wrong Answer".
// Method: the whole grid is read first; a row pass and a column pass with one seen table each,
// both skipped once a repeat is found, then a box pass over all 81 cells. O(81) a case.
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int a[10][10]; // a[row][column], rows and columns 1..9
int b[10];     // b[v] = 1 once value v was seen in the current row or column
int c[9][10];  // c[box][v] = 1 once value v was seen in the box
long long cs;  // number of the case being read, from 1

void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "sudoku_validator: ");
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
  long long T = count();
  int r;
  while (T--) {
    cs++;
    // Values index the seen tables, so each must lie in 0..9 before it is stored.
    for (int i = 1; i <= 9; i++)
      for (int j = 1; j <= 9; j++) {
        long long v;
        int q = (i - 1) * 9 + j;
        r = scanf("%lld", &v);
        if (r == EOF) fail("case %lld: input ends before value %d of 81", cs, q);
        if (r != 1 || !ends()) fail("case %lld: value %d is not a number", cs, q);
        if (v < 0 || v > 9) fail("case %lld: value %d = %lld is outside 0..9", cs, q, v);
        a[i][j] = (int)v;
      }
    int ok = 1;
    // Rows, then columns: a line once begun is finished; a repeat stops the later lines.
    for (int i = 1; i <= 9; i++) {
      if (!ok) break;
      memset(b, 0, sizeof b);
      for (int j = 1; j <= 9; j++) {
        if (b[a[i][j]])
          ok = 0;
        else
          b[a[i][j]] = 1;
      }
    }
    for (int j = 1; j <= 9; j++) {
      if (!ok) break;
      memset(b, 0, sizeof b);
      for (int i = 1; i <= 9; i++) {
        if (b[a[i][j]])
          ok = 0;
        else
          b[a[i][j]] = 1;
      }
    }
    // Boxes: always all 81 cells, numbered row by row from box 0 at the top left.
    memset(c, 0, sizeof c);
    for (int i = 1; i <= 9; i++)
      for (int j = 1; j <= 9; j++) {
        int x = (i - 1) / 3 * 3 + (j - 1) / 3;
        if (c[x][a[i][j]])
          ok = 0;
        else
          c[x][a[i][j]] = 1;
      }
    puts(ok ? "Accepted" : "Wrong Answer");
  }
  // The verdicts must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) fail("cannot write the answers: %s", strerror(errno));
  return 0;
}
