// Wrong: the point's index is global and not reset, so a number without a point reuses the last one
// Input on which it differs from the reference:
//   2
//   1
//   0.5
//   1
//   7555
#include <cstdio>
#include <cstring>
char s[200010];
int dot;
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int m;
    scanf("%d %s", &m, s + 1);
    int n = strlen(s + 1);
    s[0] = '0';
    for (int i = 1; i <= n; i++)
      if (s[i] == '.') dot = i;
    if (dot == 0) dot = n + 1;
    int q = dot + 1;
    while (q <= n && s[q] < '5') q++;
    if (q <= n) {
      while (m > 0 && q > dot) {
        m--;
        if (q == dot + 1) {
          s[dot - 1]++;
          s[q] = 0;
          for (int k = dot - 1; k > 0 && s[k] > '9'; k--) s[k] = '0', s[k - 1]++;
          n = dot;
          break;
        }
        s[q - 1]++;
        s[q] = 0;
        n = --q;
        if (s[q] < '5') break;
      }
    }
    if (dot <= n) {
      while (n > dot && s[n] == '0') s[n--] = 0;
      if (n == dot) s[n--] = 0;
    }
    char *out = s[0] != '0' ? s : s + 1;
    puts(*out ? out : "0");
  }
}
