// Wrong: clears the box table once before all grids, so a grid fails on the values of the grids before it
// Input on which it differs from the reference:
//   2
//   1 2 3 4 5 6 7 8 9
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

int a[9][9];
bool row[9][10], col[9][10], box[9][10];

int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    for (int i = 0; i < 9; i++)
      for (int j = 0; j < 9; j++) scanf("%d", &a[i][j]);
    memset(row, 0, sizeof row);
    memset(col, 0, sizeof col);
    bool ok = true;
    for (int i = 0; i < 9; i++)
      for (int j = 0; j < 9; j++) {
        int v = a[i][j], b = i / 3 * 3 + j / 3;
        if (row[i][v] || col[j][v] || box[b][v]) ok = false;
        row[i][v] = col[j][v] = box[b][v] = true;
      }
    puts(ok ? "Accepted" : "Wrong Answer");
  }
}
