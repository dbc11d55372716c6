// Wrong: reads the input once into a 4 MB buffer and never refills it, so a larger file is cut
// Differs from the reference on the extra test: largest
#include <cstdio>
#include <cstring>
const int B = 1 << 22;
char buf[B];
int len, at, g[9][9];
int num() { // past the end of what was read, every number is 0
  while (at < len && (buf[at] < '0' || buf[at] > '9')) at++;
  int v = 0;
  while (at < len && buf[at] >= '0' && buf[at] <= '9') v = v * 10 + buf[at++] - '0';
  return v;
}
int main() {
  len = fread(buf, 1, B, stdin);
  int T = num();
  while (T--) {
    for (int i = 0; i < 9; i++)
      for (int j = 0; j < 9; j++) g[i][j] = num() % 10;
    bool ok = true;
    for (int i = 0; i < 9; i++) {
      bool r[10] = {}, c[10] = {}, b[10] = {};
      for (int j = 0; j < 9; j++) {
        int x = g[i][j], y = g[j][i], z = g[i / 3 * 3 + j / 3][i % 3 * 3 + j % 3];
        if (r[x] || c[y] || b[z]) ok = false;
        r[x] = c[y] = b[z] = true;
      }
    }
    puts(ok ? "Accepted" : "Wrong Answer");
  }
}
