// Wrong: the groups do not walk: the shuttle carries each group the whole way and drives back
// Input on which it differs from the reference:
//   1
//   3 6 1 2 1
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n, k;
    double l, vw, vs;
    scanf("%d %lf %lf %lf %d", &n, &l, &vw, &vs, &k);
    int g = (n + k - 1) / k;
    printf("%.10f\n", min(l / vw, (2 * g - 1) * l / vs));
  }
}
