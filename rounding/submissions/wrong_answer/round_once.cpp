// Wrong: rounds once, at the first digit of 5 or more, and never goes on along a chain of fours
// Input on which it differs from the reference:
//   1
//   2
//   0.45
#include <bits/stdc++.h>
using namespace std;
int main() {
  int T;
  scanf("%d", &T);
  static char buf[200010];
  while (T--) {
    int m;
    scanf("%d %s", &m, buf);
    string s = buf;
    size_t d = s.find('.');
    if (d != string::npos) {
      size_t q = d + 1;
      while (q < s.size() && s[q] < '5') q++;
      if (m > 0 && q < s.size()) {
        s.resize(q);
        if (q == d + 1) {
          s.pop_back(); // the point
          int i = (int)s.size() - 1;
          while (i >= 0 && s[i] == '9') s[i--] = '0';
          if (i < 0) s.insert(s.begin(), '1');
          else s[i]++;
        } else {
          s[q - 1]++;
        }
      }
      if (s.find('.') != string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
      }
      if (s.empty()) s = "0";
    }
    puts(s.c_str());
  }
}
