// Too slow: seats the walkers one by one, n passes a case even when one group takes them all
#include <cstdio>
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n, k;
    double l, vw, vs;
    scanf("%d %lf %lf %lf %d", &n, &l, &vw, &vs, &k);
    int groups = 0, seated = 0;
    for (int i = 0; i < n; i++) { // the next walker boards, or a new group starts
      if (seated == 0) groups++;
      seated = (seated + 1) % k;
    }
    if (vw >= vs) {
      printf("%.10f\n", l / vw);
      continue;
    }
    double x = l / (1 + 2.0 * (groups - 1) * vw / (vs + vw));
    printf("%.10f\n", x / vs + (l - x) / vw);
  }
}
