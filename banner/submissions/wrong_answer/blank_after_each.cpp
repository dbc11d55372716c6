// Wrong: writes the empty separating line after every case, the last one too
// Input on which it differs from the reference:
//   1
//   8
#include <bits/stdc++.h>
using namespace std;
string g[7][10] = {
    {" ##### ", "   #   ", " ##### ", " ##### ", "   #   ", "###### ", " ##### ", "#######", " ##### ", " ##### "},
    {"#     #", "  ##   ", "#     #", "#     #", "  #    ", "#      ", "#     #", "      #", "#     #", "#     #"},
    {"#     #", " # #   ", "     # ", "      #", " #  #  ", "#      ", "#      ", "     # ", "#     #", "#     #"},
    {"#     #", "   #   ", "    #  ", "   ### ", "#   #  ", " ##### ", "###### ", "    #  ", " ##### ", " ##### "},
    {"#     #", "   #   ", "   #   ", "      #", "#######", "      #", "#     #", "   #   ", "#     #", "      #"},
    {"#     #", "   #   ", "  #    ", "#     #", "    #  ", "#     #", "#     #", "  #    ", "#     #", "#     #"},
    {" ##### ", "#######", "#######", " ##### ", "    #  ", " ##### ", " ##### ", " #     ", " ##### ", " ##### "},
};
int main() {
  ios::sync_with_stdio(false);
  int T;
  cin >> T;
  while (T--) {
    string s;
    cin >> s;
    for (int r = 0; r < 7; r++) {
      for (size_t j = 0; j < s.size(); j++) cout << (j ? " " : "") << g[r][s[j] - '0'];
      cout << '\n';
    }
    cout << '\n';
  }
}
