// Wrong: gathers the whole output in a fixed 16 MB buffer; what does not fit is lost
// Differs from the reference on the extra test: max
#include <cstdio>
#include <cstring>
const int S = 1 << 24;
char ob[S], b[16];
int op;
const char *g[7] = {
    " #####    #    #####  #####    #   ######  ##### ####### #####  ##### ",
    "#     #  ##   #     ##     #  #    #      #     #      ##     ##     #",
    "#     # # #        #       # #  #  #      #           # #     ##     #",
    "#     #   #       #     ### #   #   ##### ######     #   #####  ##### ",
    "#     #   #      #         ########      ##     #   #   #     #      #",
    "#     #   #     #    #     #    #  #     ##     #  #    #     ##     #",
    " ##### ############## #####     #   #####  #####  #      #####  ##### ",
};
void put(char c) {
  if (op < S) ob[op++] = c;
}
int main() {
  int T;
  if (scanf("%d", &T) != 1) return 0;
  for (int cs = 0; cs < T; cs++) {
    if (scanf("%15s", b) != 1) break;
    if (cs) put('\n');
    for (int r = 0; r < 7; r++) {
      for (int j = 0; b[j]; j++) {
        if (j) put(' ');
        for (int k = 0; k < 7; k++) put(g[r][7 * (b[j] - '0') + k]);
      }
      put('\n');
    }
  }
  fwrite(ob, 1, op, stdout);
}
