// Wrong: a neighbour counts as live only when its run sum is positive, so runs of zeros never join
// Input on which it differs from the reference:
//   1
//   4
//   0 1 0 1
//   1 2 4 3
#include <bits/stdc++.h>
using namespace std;
typedef long long ll;
ll a[100010], s[100010], out[100010];
int ord[100010], lo[100010], hi[100010];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%lld", &a[i]);
    for (int i = 1; i <= n; i++) scanf("%d", &ord[i]);
    for (int i = 0; i <= n + 1; i++) s[i] = 0;
    ll best = 0;
    for (int k = n; k >= 1; k--) {
      out[k] = best;
      int x = ord[k];
      int l = x, r = x;
      ll cur = a[x];
      if (s[x - 1] > 0) l = lo[x - 1], cur += s[x - 1];
      if (s[x + 1] > 0) r = hi[x + 1], cur += s[x + 1];
      hi[l] = r, lo[r] = l, s[l] = s[r] = cur;
      best = max(best, cur);
    }
    for (int k = 1; k <= n; k++) printf("%lld\n", out[k]);
  }
}
