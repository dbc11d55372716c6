// Too slow: clears its tables over their whole capacity for every case, O(100000) even when n = 1
#include <bits/stdc++.h>
using namespace std;
const int N = 100005;
long long a[N], sum[N], res[N];
int p[N], lo[N], hi[N];
bool on[N];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    memset(sum, 0, sizeof sum);
    memset(res, 0, sizeof res);
    memset(lo, 0, sizeof lo);
    memset(hi, 0, sizeof hi);
    memset(on, 0, sizeof on);
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%lld", &a[i]);
    for (int i = 1; i <= n; i++) scanf("%d", &p[i]);
    long long best = 0;
    for (int k = n; k >= 1; k--) {
      res[k] = best;
      int x = p[k];
      on[x] = true;
      int l = x, r = x;
      long long s = a[x];
      if (on[x - 1]) l = lo[x - 1], s += sum[x - 1];
      if (on[x + 1]) r = hi[x + 1], s += sum[x + 1];
      hi[l] = r, lo[r] = l, sum[l] = sum[r] = s;
      best = max(best, s);
    }
    for (int k = 1; k <= n; k++) printf("%lld\n", res[k]);
  }
}
