// Too slow: destroys forwards and, whenever the largest run is hit, rescans every run for the new largest
#include <bits/stdc++.h>
using namespace std;
typedef long long ll;
ll pre[100005];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) {
      ll v;
      scanf("%lld", &v);
      pre[i] = pre[i - 1] + v;
    }
    map<int, int> run; // the runs alive: left end -> right end
    run[1] = n;
    ll best = pre[n];
    for (int k = 1; k <= n; k++) {
      int x;
      scanf("%d", &x);
      auto it = prev(run.upper_bound(x));
      int l = it->first, r = it->second;
      ll was = pre[r] - pre[l - 1];
      run.erase(it);
      if (l < x) run[l] = x - 1;
      if (x < r) run[x + 1] = r;
      if (was == best) {
        // the largest run may be gone: look at every run again
        best = 0;
        for (auto &q : run) best = max(best, pre[q.second] - pre[q.first - 1]);
      }
      printf("%lld\n", best);
    }
  }
}
