// Wrong: after each step it writes the sum of the run just rebuilt, not the largest run alive
// Input on which it differs from the reference:
//   1
//   3
//   5 1 7
//   2 1 3
#include <bits/stdc++.h>
using namespace std;
long long v[100005], run[100005], res[100005];
int del[100005], par[100005];
bool up[100005];
int find(int x) {
  while (par[x] != x) x = par[x] = par[par[x]];
  return x;
}
int main() {
  int T;
  cin >> T;
  while (T--) {
    int n;
    cin >> n;
    for (int i = 1; i <= n; i++) cin >> v[i];
    for (int i = 1; i <= n; i++) cin >> del[i];
    for (int i = 0; i <= n + 1; i++) par[i] = i, up[i] = false, run[i] = v[i];
    res[n] = 0;
    for (int k = n; k >= 2; k--) {
      int x = del[k];
      up[x] = true;
      if (up[x - 1]) run[x] += run[find(x - 1)], par[find(x - 1)] = x;
      if (up[x + 1]) run[x] += run[find(x + 1)], par[find(x + 1)] = x;
      res[k - 1] = run[x];
    }
    for (int k = 1; k <= n; k++) cout << res[k] << "\n";
  }
}
