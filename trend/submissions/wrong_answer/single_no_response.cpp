// Wrong: a single observation always answers "No Response", even at 1 or 30
// Input on which it differs from the reference:
//   1
//   1
//   30
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  cin >> T;
  while (T--) {
    int n;
    cin >> n;
    vector<int> v(n);
    for (auto &x : v) cin >> x;
    if (n == 1) cout << "No Response\n";
    else if (v[n - 1] == 30) cout << "Light\n";
    else if (v[n - 1] == 1) cout << "Heavy\n";
    else cout << (v[n - 1] > v[n - 2] ? "Heavy" : "Light") << "\n";
  }
}
