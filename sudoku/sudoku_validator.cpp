// sudoku_validator: Sudoku validation, reference solver.
// Input: T, then per case 81 values 0..9 in row order. Output: per case "Accepted" when no row,
// column or 3 x 3 box holds one value twice, else "Wrong Answer".
// Method: the whole grid is read first; a row pass and a column pass with one seen table each,
// both skipped once a repeat is found, then a box pass over all 81 cells. O(81) a case.
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

int main() {
  long long T;
  int r = scanf("%lld", &T);
  if (r == EOF) fail("input ends before the case count");
  if (r != 1) fail("case count is not a number");
  if (T < 0) fail("case count %lld is negative", T);
  while (T--) {
    cs++;
    // Values index the seen tables, so each must lie in 0..9 before it is stored.
    for (int i = 1; i <= 9; i++)
      for (int j = 1; j <= 9; j++) {
        long long v;
        int q = (i - 1) * 9 + j;
        r = scanf("%lld", &v);
        if (r == EOF) fail("case %lld: input ends before value %d of 81", cs, q);
        if (r != 1) fail("case %lld: value %d is not a number", cs, q);
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
  return 0;
}
