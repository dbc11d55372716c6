// Wrong: computes in float, whose 24-bit mantissa loses far more than 1e-6 on large distances
// Input on which it differs from the reference:
//   1
//   3 123456789 7 11 1
#include <cstdio>
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n, k;
    float l, vw, vs;
    scanf("%d %f %f %f %d", &n, &l, &vw, &vs, &k);
    if (vw >= vs) {
      printf("%.10f\n", l / vw);
      continue;
    }
    int g = (n + k - 1) / k;
    float x = l / (1 + 2.0f * (g - 1) * vw / (vs + vw));
    printf("%.10f\n", x / vs + (l - x) / vw);
  }
}
