// Wrong: accepts a grid when every row, column and box sums to 45, repeats or not
// Input on which it differs from the reference:
//   1
//   2 1 3 4 5 6 7 8 9
//   3 6 6 7 8 9 1 2 3
//   7 8 9 1 2 3 4 5 6
//   2 3 4 5 6 7 8 9 1
//   5 6 7 8 9 1 2 3 4
//   8 9 1 2 3 4 5 6 7
//   3 4 5 6 7 8 9 1 2
//   6 7 8 9 1 2 3 4 5
//   9 1 2 3 4 5 6 7 8
#include <cstdio>
int a[9][9];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    for (int i = 0; i < 9; i++)
      for (int j = 0; j < 9; j++) scanf("%d", &a[i][j]);
    bool ok = true;
    for (int i = 0; i < 9; i++) {
      int r = 0, c = 0, b = 0;
      for (int j = 0; j < 9; j++) {
        r += a[i][j];
        c += a[j][i];
        b += a[i / 3 * 3 + j / 3][i % 3 * 3 + j % 3];
      }
      if (r != 45 || c != 45 || b != 45) ok = false;
    }
    puts(ok ? "Accepted" : "Wrong Answer");
  }
}
