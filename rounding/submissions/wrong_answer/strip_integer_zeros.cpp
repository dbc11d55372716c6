// Wrong: strips trailing zeros even from a number without a point
// Input on which it differs from the reference:
//   1
//   3
//   120
#include <bits/stdc++.h>
using namespace std;
int main() {
  ios::sync_with_stdio(false);
  int T;
  cin >> T;
  while (T--) {
    int m;
    string s;
    cin >> m >> s;
    s = "0" + s; // room for a carry out of the integer part
    int d = s.find('.');
    if (d < 0) d = s.size();
    int q = d + 1;
    while (q < (int)s.size() && s[q] < '5') q++;
    if (q < (int)s.size()) {
      while (m-- > 0) {
        while (q > d && s[q] < '5') q--;
        if (q == d) break;
        s.resize(q);
        if (q == d + 1) {
          int k = d - 1;
          s[k]++;
          while (s[k] > '9') s[k] = '0', s[--k]++;
        } else {
          s[q - 1]++;
        }
        q--;
      }
    }
    while (s.size() > 1 && s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s[0] == '0' && s.size() > 1) s.erase(0, 1);
    cout << s << "\n";
  }
}
