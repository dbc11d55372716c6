// Wrong: accepts a row, column or box only when it holds all of 1 to 9, so a lone 0 fails the grid
// Input on which it differs from the reference:
//   1
//   1 2 3 4 5 6 7 8 9
//   4 5 6 7 8 9 1 2 3
//   7 8 9 1 2 3 4 5 6
//   2 3 4 5 6 7 8 9 1
//   5 6 7 8 0 1 2 3 4
//   8 9 1 2 3 4 5 6 7
//   3 4 5 6 7 8 9 1 2
//   6 7 8 9 1 2 3 4 5
//   9 1 2 3 4 5 6 7 8
#include <cstdio>

int g[9][9];

int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    for (int i = 0; i < 9; i++)
      for (int j = 0; j < 9; j++) scanf("%d", &g[i][j]);
    const int all = 0x3FE; // bits 1 to 9
    bool ok = true;
    for (int i = 0; i < 9; i++) {
      int r = 0, c = 0, b = 0;
      for (int j = 0; j < 9; j++) {
        r |= 1 << g[i][j];
        c |= 1 << g[j][i];
        b |= 1 << g[i / 3 * 3 + j / 3][i % 3 * 3 + j % 3];
      }
      if (r != all || c != all || b != all) ok = false;
    }
    puts(ok ? "Accepted" : "Wrong Answer");
  }
}
