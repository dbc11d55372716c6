// Wrong: no special case for one value: it is compared with a[0] = 0 and answered "Heavy"
// Input on which it differs from the reference:
//   1
//   1
//   15
#include <cstdio>
int a[202];
int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%d", &a[i]);
    if (a[n] == 30) puts("Light");
    else if (a[n] == 1) puts("Heavy");
    else if (a[n] > a[n - 1]) puts("Heavy");
    else puts("Light");
  }
}
