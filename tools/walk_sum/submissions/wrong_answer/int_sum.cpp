// Wrong: adds in 32-bit int, which overflows past 2147483647
// Input on which it differs from the reference:
//   1
//   2000000000 2000000000
#include <cstdio>

int main() {
  int T, a, b;
  scanf("%d", &T);
  while (T--) {
    scanf("%d %d", &a, &b);
    printf("%d\n", a + b);
  }
}
