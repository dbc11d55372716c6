// Wrong: formats every answer into a fixed 8 MB output buffer; what does not fit is lost
// Differs from the reference on the extra test: most-queries
#include <cstdio>
const int S = 1 << 23;
char ob[S + 64];
int op;
double a[1008];
int main() {
  a[1] = 1;
  for (int i = 2; i <= 1000; i++) {
    double x = i;
    a[i] = a[i - 1] * (x + x - 2.0) / (x + x - 1.0);
  }
  int T, n;
  if (scanf("%d", &T) != 1) return 0;
  while (T--) {
    if (scanf("%d", &n) != 1) break;
    if (op < S) op += snprintf(ob + op, 64, "%.10f\n", a[n]);
  }
  fwrite(ob, 1, op < S ? op : S, stdout);
}
