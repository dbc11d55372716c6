// Wrong: the number of groups is n / k rounded down instead of up
// Input on which it differs from the reference:
//   1
//   7 100 1 3 3
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
    int g = n / k;
    if (g < 1) g = 1;
    // each group rides x; between two pickups the walkers gain 2 x vw / (vs + vw)
    double x = l / (1 + 2.0 * (g - 1) * vw / (vs + vw));
    printf("%.10f\n", x / vs + (l - x) / vw);
  }
}
