// Wrong: always uses the shuttle, even when walking is as fast or faster
// Input on which it differs from the reference:
//   1
//   7 50 3 1 3
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  cin >> T;
  while (T--) {
    long long n, k;
    double l, vw, vs;
    cin >> n >> l >> vw >> vs >> k;
    long long g = (n + k - 1) / k;
    double x = l / (1 + 2.0 * (g - 1) * vw / (vs + vw));
    printf("%.10f\n", x / vs + (l - x) / vw);
  }
}
