// Wrong: writes "No response" with a lower-case r
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
    int x = a[n];
    if (x == 30) puts("Light");
    else if (x == 1) puts("Heavy");
    else if (n == 1) puts("No response");
    else puts(x > a[n - 1] ? "Heavy" : "Light");
  }
}
