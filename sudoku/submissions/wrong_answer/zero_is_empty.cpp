// Wrong: treats 0 as an empty cell, so two zeros in one row, column or box pass
// Input on which it differs from the reference:
//   1
//   0 0 3 4 5 6 7 8 9
//   4 5 6 7 8 9 1 2 3
//   7 8 9 1 2 3 4 5 6
//   2 3 4 5 6 7 8 9 1
//   5 6 7 8 9 1 2 3 4
//   8 9 1 2 3 4 5 6 7
//   3 4 5 6 7 8 9 1 2
//   6 7 8 9 1 2 3 4 5
//   9 1 2 3 4 5 6 7 8
#include <bits/stdc++.h>
using namespace std;
int main() {
  ios::sync_with_stdio(false);
  cin.tie(nullptr);
  int T;
  cin >> T;
  while (T--) {
    int a[9][9];
    for (auto &row : a)
      for (auto &x : row) cin >> x;
    bool ok = true;
    for (int i = 0; i < 9; i++) {
      set<int> r, c, b;
      for (int j = 0; j < 9; j++) {
        int x = a[i][j], y = a[j][i], z = a[i / 3 * 3 + j / 3][i % 3 * 3 + j % 3];
        if (x && !r.insert(x).second) ok = false;
        if (y && !c.insert(y).second) ok = false;
        if (z && !b.insert(z).second) ok = false;
      }
    }
    cout << (ok ? "Accepted" : "Wrong Answer") << "\n";
  }
}
