// Crashes: the live flags have n+1 entries, so looking right of position n throws out_of_range
// Input on which it differs from the reference:
//   1
//   1
//   5
//   1
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n;
    scanf("%d", &n);
    vector<long long> a(n + 1), s(n + 1), res(n + 1);
    vector<int> p(n + 1), lo(n + 1), hi(n + 1);
    vector<char> live(n + 1, 0); // positions 1..n (0 is the left border)
    for (int i = 1; i <= n; i++) scanf("%lld", &a[i]);
    for (int i = 1; i <= n; i++) scanf("%d", &p[i]);
    long long best = 0;
    for (int k = n; k >= 1; k--) {
      res[k] = best;
      int x = p[k];
      live.at(x) = 1;
      int l = x, r = x;
      long long cur = a[x];
      if (live.at(x - 1)) l = lo[x - 1], cur += s[x - 1];
      if (live.at(x + 1)) r = hi[x + 1], cur += s[x + 1];
      hi[l] = r, lo[r] = l, s[l] = s[r] = cur;
      best = max(best, cur);
    }
    for (int k = 1; k <= n; k++) printf("%lld\n", res[k]);
  }
}
