// Too slow: destroys forwards and rescans the whole row after every step, O(n^2) per case
#include <cstdio>
long long a[100005];
bool dead[100005];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%lld", &a[i]), dead[i] = false;
    for (int k = 1; k <= n; k++) {
      int x;
      scanf("%d", &x);
      dead[x] = true;
      long long best = 0, cur = 0;
      for (int i = 1; i <= n; i++) {
        if (dead[i]) cur = 0;
        else cur += a[i];
        if (cur > best) best = cur;
      }
      printf("%lld\n", best);
    }
  }
}
