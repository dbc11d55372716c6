// Wrong: keeps the products in float, which holds only about seven digits
// Input on which it differs from the reference:
//   1
//   2
#include <cstdio>

float a[1001];

int main() {
    a[1] = 1;
    for (int i = 2; i <= 1000; i++) a[i] = a[i - 1] * (2 * i - 2) / (2 * i - 1);
    int t, n;
    scanf("%d", &t);
    while (t--) {
        scanf("%d", &n);
        printf("%.10f\n", a[n]);
    }
}
