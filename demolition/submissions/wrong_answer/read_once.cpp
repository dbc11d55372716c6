// Wrong: reads the input once into a 4 MB buffer and never refills it, so a larger file is cut
// Differs from the reference on the extra test: max-sum
#include <cstdio>
const int N = 100005, B = 1 << 22;
char buf[B];
int len, at;
long long a[N], sum[N], res[N];
int p[N], lo[N], hi[N];
bool on[N];
long long num() { // past the end of what was read, every number is 0
  while (at < len && (buf[at] < '0' || buf[at] > '9')) at++;
  long long v = 0;
  while (at < len && buf[at] >= '0' && buf[at] <= '9') v = v * 10 + buf[at++] - '0';
  return v;
}
int main() {
  len = fread(buf, 1, B, stdin);
  int T = num();
  while (T--) {
    int n = num();
    for (int i = 1; i <= n; i++) a[i] = num();
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
