// Wrong: live flags are cleared only for 1..n, so position n+1 stays live from a longer case
// Input on which it differs from the reference:
//   2
//   3
//   1 1 1
//   1 2 3
//   2
//   1 1
//   1 2
#include <bits/stdc++.h>
using namespace std;
long long a[100005], sum[100005], ans[100005];
int ord[100005], lf[100005], rg[100005];
bool alive[100005];
int main() {
  int t;
  scanf("%d", &t);
  while (t--) {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%lld", &a[i]);
    for (int i = 1; i <= n; i++) scanf("%d", &ord[i]);
    // reset the row (the ends 0 and n+1 are never revived, so they stay dead)
    for (int i = 1; i <= n; i++) alive[i] = false;
    long long best = 0;
    for (int k = n; k >= 1; k--) {
      ans[k] = best;
      int x = ord[k];
      alive[x] = true;
      int l = x, r = x;
      long long s = a[x];
      if (alive[x - 1]) l = lf[x - 1], s += sum[x - 1];
      if (alive[x + 1]) r = rg[x + 1], s += sum[x + 1];
      rg[l] = r, lf[r] = l, sum[l] = sum[r] = s;
      best = max(best, s);
    }
    for (int k = 1; k <= n; k++) printf("%lld\n", ans[k]);
  }
}
