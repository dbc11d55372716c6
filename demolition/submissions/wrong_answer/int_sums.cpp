// Wrong: run sums are kept in 32-bit ints and wrap past 2^31
// Input on which it differs from the reference:
//   1
//   4
//   999999999 999999999 999999999 999999999
//   1 2 3 4
#include <cstdio>
const int N = 100005;
int a[N], p[N], L[N], R[N], s[N], res[N];
bool on[N];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%d", &a[i]);
    for (int i = 1; i <= n; i++) scanf("%d", &p[i]);
    for (int i = 0; i <= n + 1; i++) on[i] = false;
    int best = 0;
    for (int k = n; k >= 1; k--) {
      res[k] = best;
      int x = p[k];
      on[x] = true;
      int l = x, r = x, sum = a[x];
      if (on[x - 1]) l = L[x - 1], sum += s[x - 1];
      if (on[x + 1]) r = R[x + 1], sum += s[x + 1];
      R[l] = r, L[r] = l, s[l] = s[r] = sum;
      if (sum > best) best = sum;
    }
    for (int k = 1; k <= n; k++) printf("%d\n", res[k]);
  }
}
