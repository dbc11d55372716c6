// Wrong: answers "inf" from ring 730 on instead of after it
// Input on which it differs from the reference:
//   1
//   150 27
#include <cmath>
#include <cstdio>

int main() {
    int n;
    scanf("%d", &n);
    for (int i = 0; i < n; i++) {
        double x, y;
        scanf("%lf%lf", &x, &y);
        double v = (x * x + y * y) * M_PI / 100 - 1e-10;
        if (y < -1e-10 || v >= 729) {
            puts("inf");
            continue;
        }
        printf("%d\n", (int)v + 1);
    }
}
