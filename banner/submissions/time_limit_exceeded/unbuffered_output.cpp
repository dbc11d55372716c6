// Too slow: a template made for interactive problems leaves standard output unbuffered, one write a character
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
char s[16];
int main() {
  setvbuf(stdout, NULL, _IONBF, 0); // every answer goes out at once
  int T;
  scanf("%d", &T);
  for (int c = 0; c < T; c++) {
    scanf("%15s", s);
    if (c) putchar('\n');
    for (int r = 0; r < 7; r++) {
      for (int j = 0; s[j]; j++) {
        if (j) putchar(' ');
        for (const char *p = g[r][s[j] - '0']; *p; p++) putchar(*p);
      }
      putchar('\n');
    }
  }
}
