// Too slow: drops the trailing zeros one at a time, each time copying the whole number, O(length^2)
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
      while (m > 0) {
        m--;
        if (q == 0) {
          fr = "";
          int i = (int)ip.size() - 1;
          while (i >= 0 && ip[i] == '9') ip[i--] = '0';
          if (i < 0) ip = "1" + ip;
          else ip[i]++;
          break;
        }
        fr = fr.substr(0, q);
        fr[q - 1]++;
        q--;
        if (fr[q] != '5') break;
      }
    }
    while (fr.size() > 0 && fr[fr.size() - 1] == '0') fr = fr.substr(0, fr.size() - 1);
    if (ip.empty() && fr.empty()) ip = "0";
    cout << ip << (fr.empty() ? "" : ".") << fr << "\n";
  }
}
