// Too slow: clears both of its 200010-character buffers for every case, however short the number
#include <cstdio>
#include <cstring>
char s[200010], out[200010];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    memset(s, 0, sizeof s);
    memset(out, 0, sizeof out);
    int m;
    scanf("%d %s", &m, s + 1);
    int n = strlen(s + 1);
    s[0] = '0';
    int d = n + 1;
    for (int i = 1; i <= n; i++)
      if (s[i] == '.') {
        d = i;
        break;
      }
    int q = d + 1;
    while (q <= n && s[q] < '5') q++;
    if (q <= n) {
      while (m > 0 && q > d) {
        m--;
        if (q == d + 1) { // round to an integer
          s[q] = 0;
          s[d - 1]++;
          for (int k = d - 1; k > 0 && s[k] > '9'; k--) s[k] = '0', s[k - 1]++;
          n = d;
          break;
        }
        s[q] = 0;
        s[q - 1]++;
        n = --q;
        if (s[q] != '5') break;
      }
    }
    if (d <= n) {
      while (n > d && s[n] == '0') s[n--] = 0;
      if (n == d) s[n--] = 0;
    }
    strcpy(out, s[0] != '0' ? s : s + 1);
    puts(out[0] ? out : "0");
  }
}
