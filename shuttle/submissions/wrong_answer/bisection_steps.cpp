// Wrong: bisects the ride distance over [0, l] 45 times, 2.8e-5 short of the answer at l = 10^9
// Input on which it differs from the reference:
//   1
//   2 1000000000 1 1000000000 1
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    long long n, k;
    double l, v1, v2;
    scanf("%lld %lf %lf %lf %lld", &n, &l, &v1, &v2, &k);
    if (v1 >= v2) {
      printf("%.10f\n", l / v1);
      continue;
    }
    long long g = (n + k - 1) / k;
    // every group rides x; the bus then drives back to the next group, walking towards it
    double lo = 0, hi = l;
    for (int it = 0; it < 45; it++) {
      double x = (lo + hi) / 2;
      double cycle = x / v2 + (x - x / v2 * v1) / (v1 + v2);
      if ((g - 1) * cycle * v1 + x > l)
        hi = x;
      else
        lo = x;
    }
    double x = (lo + hi) / 2;
    printf("%.10f\n", x / v2 + (l - x) / v1);
  }
}
