// Wrong: reads each line with fgets into a buffer of 10^6 bytes, one short of the longest line
// Differs from the reference on the extra test: max-sum
#include <cstdio>
#include <cstdlib>
const int N = 100005, L = 1000000;
char line[L];
long long a[N], sum[N], res[N];
int p[N], lo[N], hi[N];
bool on[N];
char *at;
void next_line() {
  if (!fgets(line, L, stdin)) line[0] = 0;
  at = line;
}
long long num() { return strtoll(at, &at, 10); }
int main() {
  next_line();
  int T = num();
  while (T--) {
    next_line();
    int n = num();
    next_line();
    for (int i = 1; i <= n; i++) a[i] = num();
    next_line();
    for (int i = 1; i <= n; i++) p[i] = num(), on[i] = false;
    on[0] = on[n + 1] = false;
    long long best = 0;
    for (int k = n; k >= 1; k--) {
      res[k] = best;
      int x = p[k];
      if (x < 1 || x > n || on[x]) continue;
      on[x] = true;
      int l = x, r = x;
      long long s = a[x];
      if (on[x - 1]) l = lo[x - 1], s += sum[x - 1];
      if (on[x + 1]) r = hi[x + 1], s += sum[x + 1];
      hi[l] = r, lo[r] = l, sum[l] = sum[r] = s;
      if (s > best) best = s;
    }
    for (int k = 1; k <= n; k++) printf("%lld\n", res[k]);
  }
}
