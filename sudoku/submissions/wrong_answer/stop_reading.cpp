// Wrong: stops reading a grid at its first repeat, so the rest of it is read as the next grid
// Input on which it differs from the reference:
//   2
//   1 1 3 4 5 6 7 8 9
//   4 5 6 7 8 9 1 2 3
//   7 8 9 1 2 3 4 5 6
//   2 3 4 5 6 7 8 9 1
//   5 6 7 8 9 1 2 3 4
//   8 9 1 2 3 4 5 6 7
//   3 4 5 6 7 8 9 1 2
//   6 7 8 9 1 2 3 4 5
//   9 1 2 3 4 5 6 7 8
//   1 2 3 4 5 6 7 8 9
//   4 5 6 7 8 9 1 2 3
//   7 8 9 1 2 3 4 5 6
//   2 3 4 5 6 7 8 9 1
//   5 6 7 8 9 1 2 3 4
//   8 9 1 2 3 4 5 6 7
//   3 4 5 6 7 8 9 1 2
//   6 7 8 9 1 2 3 4 5
//   9 1 2 3 4 5 6 7 8
#include <cstdio>
#include <cstring>
int row[9][10], col[9][10], box[9][10];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    memset(row, 0, sizeof row);
    memset(col, 0, sizeof col);
    memset(box, 0, sizeof box);
    bool ok = true;
    for (int i = 0; i < 9 && ok; i++)
      for (int j = 0; j < 9 && ok; j++) {
        int x;
        if (scanf("%d", &x) != 1) x = 0;
        int b = i / 3 * 3 + j / 3;
        if (row[i][x]++ || col[j][x]++ || box[b][x]++) ok = false;
      }
    puts(ok ? "Accepted" : "Wrong Answer");
  }
}
