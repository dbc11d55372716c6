// Too slow: counts the groups by stepping over the walkers k at a time, 10^9 passes for k = 1
#include <cstdio>
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    long long n, k;
    double l, vw, vs;
    scanf("%lld %lf %lf %lf %lld", &n, &l, &vw, &vs, &k);
    if (vw >= vs) {
      printf("%.10f\n", l / vw);
      continue;
    }
    long long g = 0;
    for (long long i = 0; i < n; i += k) g++; // one more group for every k walkers
    double x = l / (1 + 2.0 * (g - 1) * vw / (vs + vw));
    printf("%.10f\n", x / vs + (l - x) / vw);
  }
}
