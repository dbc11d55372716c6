// Wrong: builds each row in a buffer of 71 bytes, so a nine-digit row (71 characters) loses its last one
// Input on which it differs from the reference:
//   1
//   012345678
#include <cstdio>
const char *g[7][10] = {
    {" ##### ", "   #   ", " ##### ", " ##### ", "   #   ", "###### ", " ##### ", "#######", " ##### ", " ##### "},
    {"#     #", "  ##   ", "#     #", "#     #", "  #    ", "#      ", "#     #", "      #", "#     #", "#     #"},
    {"#     #", " # #   ", "     # ", "      #", " #  #  ", "#      ", "#      ", "     # ", "#     #", "#     #"},
    {"#     #", "   #   ", "    #  ", "   ### ", "#   #  ", " ##### ", "###### ", "    #  ", " ##### ", " ##### "},
    {"#     #", "   #   ", "   #   ", "      #", "#######", "      #", "#     #", "   #   ", "#     #", "      #"},
    {"#     #", "   #   ", "  #    ", "#     #", "    #  ", "#     #", "#     #", "  #    ", "#     #", "#     #"},
    {" ##### ", "#######", "#######", " ##### ", "    #  ", " ##### ", " ##### ", " #     ", " ##### ", " ##### "},
};
char s[16], row[71]; // 9 glyphs of 7 and 8 spaces between them
int main() {
  int T;
  scanf("%d", &T);
  for (int c = 0; c < T; c++) {
    scanf("%15s", s);
    if (c) puts("");
    for (int r = 0; r < 7; r++) {
      int k = 0;
      for (int j = 0; s[j]; j++)
        k += snprintf(row + k, sizeof row - k, "%s%s", j ? " " : "", g[r][s[j] - '0']);
      puts(row);
    }
  }
}
