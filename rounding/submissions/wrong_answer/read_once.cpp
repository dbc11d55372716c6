// Wrong: reads the input once into a 4 MB buffer and never refills it, so a larger file is cut
// Differs from the reference on the extra test: many-short
#include <cstdio>
#include <cstdlib>
#include <cstring>
const int B = 1 << 22, N = 200010;
char buf[B], a[N];
int len, at;
// the next token, or an empty one past the end of what was read
int token(char *s) {
  while (at < len && buf[at] <= ' ') at++;
  int k = 0;
  while (at < len && buf[at] > ' ' && k < N - 2) s[k++] = buf[at++];
  s[k] = 0;
  return k;
}
int main() {
  static char t[32];
  len = fread(buf, 1, B, stdin);
  token(t);
  int T = atoi(t);
  while (T--) {
    token(t);
    int m = atoi(t);
    int n = token(a + 1);
    a[0] = '0';
    int p = 1;
    while (p <= n && a[p] != '.') p++;
    int q = p + 1;
    while (q <= n && a[q] <= '4') q++;
    if (q <= n) {
      while (m--) {
        while (q > p && a[q] <= '4') q--;
        if (q == p) break;
        if (q == p + 1) {
          a[p - 1]++;
          a[q] = 0;
          for (int k = p - 1; k > 0 && a[k] > '9'; k--) a[k] = '0', a[k - 1]++;
        } else {
          a[q - 1]++;
          a[q] = 0;
        }
        n = --q;
      }
    }
    while (n > p && a[n] == '0') a[n--] = 0;
    if (n == p) a[n--] = 0;
    const char *s = a[0] != '0' ? a : a + 1;
    puts(*s ? s : "0");
  }
}
