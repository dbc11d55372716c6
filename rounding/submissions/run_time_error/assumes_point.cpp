// Crashes: assumes every number has a point; without one, cutting the text at the point (npos) throws
// Input on which it differs from the reference:
//   1
//   1
//   7555
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
    size_t q = d + 1; // the first digit after the point
    while (q < s.size() && s.at(q) < '5') q++;
    bool top = false; // a carry out of the leftmost digit
    if (q < s.size()) {
      while (m-- > 0) {
        if (q == d + 1) {
          // round to an integer: drop the fraction, carry through the integer part
          s.resize(d);
          size_t i = d - 1;
          s.at(i)++;
          while (s.at(i) > '9') {
            s.at(i) = '0';
            if (i == 0) {
              top = true;
              break;
            }
            s.at(--i)++;
          }
          break;
        }
        s.resize(q);
        s.at(q - 1)++;
        q--;
        if (s.at(q) != '5') break;
      }
    }
    if (s.find('.') != string::npos) {
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    }
    if (s.empty()) s = "0";
    cout << (top ? "1" : "") << s << "\n";
  }
}
