// Wrong: gathers the answers in a fixed 4 MB output buffer; what does not fit is lost
// Differs from the reference on the extra test: most-cases
#include <cstdio>
const int S = 1 << 22;
char ob[S + 16];
int op, a[128];
int main() {
  int T, n;
  if (scanf("%d", &T) != 1) return 0;
  while (T--) {
    if (scanf("%d", &n) != 1) break;
    for (int i = 1; i <= n; i++) scanf("%d", &a[i]);
    int cnt = 0;
    for (int i = 2; i < n; i++)
      if ((a[i] > a[i - 1] && a[i] > a[i + 1]) || (a[i] < a[i - 1] && a[i] < a[i + 1])) cnt++;
    if (op < S) op += snprintf(ob + op, 16, "%d\n", cnt);
  }
  fwrite(ob, 1, op < S ? op : S, stdout);
}
