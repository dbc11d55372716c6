// Wrong: reads each case's line into 64 bytes, short of the longest line (72 characters)
// Input on which it differs from the reference:
//   1
//   1000000000 999999999.999999 1.999999 999999999.999999 1000000000
#include <cstdio>
char line[64];
int main() {
  int T = 0;
  if (fgets(line, sizeof line, stdin)) sscanf(line, "%d", &T);
  while (T--) {
    long long n = 1, k = 1;
    double l = 0, vw = 1, vs = 1;
    if (!fgets(line, sizeof line, stdin)) break;
    sscanf(line, "%lld %lf %lf %lf %lld", &n, &l, &vw, &vs, &k);
    if (vw >= vs) {
      printf("%.10f\n", l / vw);
      continue;
    }
    long long g = (n + k - 1) / k;
    double x = l / (1 + 2.0 * (g - 1) * vw / (vs + vw));
    printf("%.10f\n", x / vs + (l - x) / vw);
  }
}
