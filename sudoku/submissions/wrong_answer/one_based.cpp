// Wrong: counts rows, columns and boxes from 1 but stops one short, so row 9, column 9 and box 9 are never checked
// Input on which it differs from the reference:
//   1
//   1 2 3 4 5 6 7 8 9
//   4 5 6 7 8 9 1 2 3
//   7 8 9 1 2 3 4 5 6
//   2 3 4 5 6 7 8 9 1
//   5 6 7 8 9 1 2 3 4
//   8 9 1 2 3 4 5 6 7
//   3 4 5 6 7 8 9 1 2
//   6 7 8 9 1 2 3 0 5
//   9 1 2 3 4 5 6 7 0
#include <bits/stdc++.h>
using namespace std;

int a[10][10];

int main() {
  int T;
  cin >> T;
  while (T--) {
    for (int i = 1; i <= 9; i++)
      for (int j = 1; j <= 9; j++) cin >> a[i][j];
    bool ok = true;
    for (int k = 1; k < 9; k++) {
      set<int> r, c, b;
      int r0 = (k - 1) / 3 * 3, c0 = (k - 1) % 3 * 3; // the top left of box k, less one
      for (int m = 1; m <= 9; m++) {
        if (!r.insert(a[k][m]).second) ok = false;
        if (!c.insert(a[m][k]).second) ok = false;
        if (!b.insert(a[r0 + (m - 1) / 3 + 1][c0 + (m - 1) % 3 + 1]).second) ok = false;
      }
    }
    cout << (ok ? "Accepted" : "Wrong Answer") << "\n";
  }
}
