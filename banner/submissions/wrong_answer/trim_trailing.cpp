// Wrong: trailing spaces are trimmed from every banner line
// Input on which it differs from the reference:
//   1
//   0
#include <bits/stdc++.h>
using namespace std;
const char *g[7][10] = {
    {" ##### ", "   #   ", " ##### ", " ##### ", "   #   ", "###### ", " ##### ", "#######", " ##### ", " ##### "},
    {"#     #", "  ##   ", "#     #", "#     #", "  #    ", "#      ", "#     #", "      #", "#     #", "#     #"},
    {"#     #", " # #   ", "     # ", "      #", " #  #  ", "#      ", "#      ", "     # ", "#     #", "#     #"},
    {"#     #", "   #   ", "    #  ", "   ### ", "#   #  ", " ##### ", "###### ", "    #  ", " ##### ", " ##### "},
    {"#     #", "   #   ", "   #   ", "      #", "#######", "      #", "#     #", "   #   ", "#     #", "      #"},
    {"#     #", "   #   ", "  #    ", "#     #", "    #  ", "#     #", "#     #", "  #    ", "#     #", "#     #"},
    {" ##### ", "#######", "#######", " ##### ", "    #  ", " ##### ", " ##### ", " #     ", " ##### ", " ##### "},
};
int main() {
  int T;
  cin >> T;
  for (int c = 0; c < T; c++) {
    string s;
    cin >> s;
    if (c) cout << "\n";
    for (int r = 0; r < 7; r++) {
      string line;
      for (size_t j = 0; j < s.size(); j++) {
        if (j) line += ' ';
        line += g[r][s[j] - '0'];
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      cout << line << "\n";
    }
  }
}
