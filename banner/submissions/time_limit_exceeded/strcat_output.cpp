// Too slow: gathers the whole answer with strcat, which walks all the text gathered so far at every call
#include <cstdio>
#include <cstring>
const char *g[7][10] = {
    {" ##### ", "   #   ", " ##### ", " ##### ", "   #   ", "###### ", " ##### ", "#######", " ##### ", " ##### "},
    {"#     #", "  ##   ", "#     #", "#     #", "  #    ", "#      ", "#     #", "      #", "#     #", "#     #"},
    {"#     #", " # #   ", "     # ", "      #", " #  #  ", "#      ", "#      ", "     # ", "#     #", "#     #"},
    {"#     #", "   #   ", "    #  ", "   ### ", "#   #  ", " ##### ", "###### ", "    #  ", " ##### ", " ##### "},
    {"#     #", "   #   ", "   #   ", "      #", "#######", "      #", "#     #", "   #   ", "#     #", "      #"},
    {"#     #", "   #   ", "  #    ", "#     #", "    #  ", "#     #", "#     #", "  #    ", "#     #", "#     #"},
    {" ##### ", "#######", "#######", " ##### ", "    #  ", " ##### ", " ##### ", " #     ", " ##### ", " ##### "},
};
char s[16], out[1 << 25];
int main() {
  int T;
  scanf("%d", &T);
  for (int c = 0; c < T; c++) {
    scanf("%15s", s);
    if (c) strcat(out, "\n");
    for (int r = 0; r < 7; r++) {
      for (int j = 0; s[j]; j++) {
        if (j) strcat(out, " ");
        strcat(out, g[r][s[j] - '0']);
      }
      strcat(out, "\n");
    }
  }
  fputs(out, stdout);
}
