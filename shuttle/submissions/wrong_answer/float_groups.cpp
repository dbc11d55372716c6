// Wrong: the group count goes through a float, which holds whole numbers exactly only up to 2^24
// Input on which it differs from the reference:
//   1
//   16777217 1000000000 1 1000000000 1
#include <cmath>
#include <cstdio>
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n, k;
    double l, vw, vs;
    scanf("%d %lf %lf %lf %d", &n, &l, &vw, &vs, &k);
    if (vw >= vs) {
      printf("%.10f\n", l / vw);
      continue;
    }
    float g = ceilf((float)n / k);
    // each group rides x; between two pickups the walkers gain 2 x vw / (vs + vw)
    double x = l / (1 + 2 * (g - 1) * vw / (vs + vw));
    printf("%.10f\n", x / vs + (l - x) / vw);
  }
}
