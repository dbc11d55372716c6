// Wrong: looks only at the last two values and forgets that the cycle turns at 30 and at 1
// Input on which it differs from the reference:
//   1
//   2
//   29 30
#include <cstdio>
int a[205];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%d", &a[i]);
    if (n == 1) {
      if (a[1] == 30) puts("Light");
      else if (a[1] == 1) puts("Heavy");
      else puts("No Response");
    } else if (a[n] > a[n - 1]) puts("Heavy");
    else puts("Light");
  }
}
