// Wrong: checks rows and columns but not the 3 x 3 boxes
// Input on which it differs from the reference:
//   1
//   1 2 3 4 5 6 7 8 9
//   2 3 4 5 6 7 8 9 1
//   3 4 5 6 7 8 9 1 2
//   4 5 6 7 8 9 1 2 3
//   5 6 7 8 9 1 2 3 4
//   6 7 8 9 1 2 3 4 5
//   7 8 9 1 2 3 4 5 6
//   8 9 1 2 3 4 5 6 7
//   9 1 2 3 4 5 6 7 8
#include <cstdio>
#include <cstring>
int g[9][9];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    for (int i = 0; i < 9; i++)
      for (int j = 0; j < 9; j++) scanf("%d", &g[i][j]);
    bool ok = true;
    for (int i = 0; i < 9; i++) {
      bool r[10] = {}, c[10] = {};
      for (int j = 0; j < 9; j++) {
        if (r[g[i][j]]) ok = false;
        r[g[i][j]] = true;
        if (c[g[j][i]]) ok = false;
        c[g[j][i]] = true;
      }
    }
    puts(ok ? "Accepted" : "Wrong Answer");
  }
}
