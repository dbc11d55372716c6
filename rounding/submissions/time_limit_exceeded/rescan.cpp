// Too slow: every rounding step searches again from the point for the first digit of 5 or more
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  scanf("%d", &T);
  static char buf[200010];
  while (T--) {
    int m;
    scanf("%d %s", &m, buf);
    string s = string("0") + buf;
    size_t d = s.find('.');
    if (d != string::npos) {
      while (m-- > 0) {
        size_t q = d + 1;
        while (q < s.size() && s[q] < '5') q++;
        if (q >= s.size()) break;
        s.resize(q);
        if (q == d + 1) {
          int k = d - 1;
          s[k]++;
          while (s[k] > '9') s[k] = '0', s[--k]++;
          break;
        }
        s[q - 1]++;
      }
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    }
    if (s[0] == '0') s.erase(0, 1);
    if (s.empty()) s = "0";
    puts(s.c_str());
  }
}
