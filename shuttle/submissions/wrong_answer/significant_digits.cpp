// Wrong: prints ten significant digits, not ten decimals, so a time of 10^4 or more loses them
// Input on which it differs from the reference:
//   1
//   1 123456789 7 11 1
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  cin >> T;
  cout << setprecision(10);
  while (T--) {
    long long n, k;
    double l, vw, vs;
    cin >> n >> l >> vw >> vs >> k;
    if (vw >= vs) {
      cout << l / vw << "\n";
      continue;
    }
    long long g = (n + k - 1) / k;
    double x = l * (vs + vw) / (vs + (2 * g - 1) * vw);
    cout << x / vs + (l - x) / vw << "\n";
  }
}
