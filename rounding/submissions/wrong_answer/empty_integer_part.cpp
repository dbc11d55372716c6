// Wrong: a number that begins with its point is written with a 0 in front, so .1 comes out as 0.1
// Input on which it differs from the reference:
//   1
//   0
//   .1
#include <bits/stdc++.h>
using namespace std;
int main() {
  ios::sync_with_stdio(false);
  int T;
  cin >> T;
  while (T--) {
    long long m;
    string s;
    cin >> m >> s;
    size_t d = s.find('.');
    if (d == string::npos) {
      cout << s << "\n";
      continue;
    }
    string ip = s.substr(0, d), fr = s.substr(d + 1);
    size_t q = 0;
    while (q < fr.size() && fr[q] < '5') q++;
    if (q < fr.size()) {
      // round at q, then one place further left while the raised digit became a 5
      while (m > 0) {
        m--;
        if (q == 0) {
          fr.clear();
          int i = (int)ip.size() - 1;
          while (i >= 0 && ip[i] == '9') ip[i--] = '0';
          if (i < 0) ip.insert(ip.begin(), '1');
          else ip[i]++;
          break;
        }
        fr.resize(q);
        fr[q - 1]++;
        q--;
        if (fr[q] != '5') break;
      }
    }
    while (!fr.empty() && fr.back() == '0') fr.pop_back();
    if (ip.empty()) ip = "0"; // a number needs its integer part
    cout << ip << (fr.empty() ? "" : ".") << fr << "\n";
  }
}
