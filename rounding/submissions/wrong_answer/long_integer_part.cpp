// Wrong: the integer part is carried as an unsigned 64-bit number, too narrow past 19 digits
// Input on which it differs from the reference:
//   1
//   1
//   99999999999999999999.5
#include <bits/stdc++.h>
using namespace std;
int main() {
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
    bool carry = false;
    if (q < fr.size()) {
      // round at q, then further left while the raised digit became 5
      while (m > 0) {
        m--;
        if (q == 0) {
          carry = true;
          fr = "";
          break;
        }
        fr.resize(q);
        fr[q - 1]++;
        q--;
        if (fr[q] != '5') break;
      }
    }
    if (carry) {
      unsigned long long v = strtoull(ip.c_str(), 0, 10);
      v++;
      char buf[64];
      snprintf(buf, sizeof buf, "%0*llu", (int)ip.size(), v);
      ip = buf;
    }
    while (!fr.empty() && fr.back() == '0') fr.pop_back();
    if (ip.empty() && fr.empty()) ip = "0";
    cout << ip << (fr.empty() ? "" : ".") << fr << "\n";
  }
}
