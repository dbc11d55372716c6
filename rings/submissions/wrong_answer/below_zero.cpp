// Wrong: turns away every y < 0, without the 1e-10 tolerance below the axis
// Input on which it differs from the reference:
//   1
//   3 -0.00000000005
#include <cmath>
#include <cstdio>

int main() {
    int T;
    scanf("%d", &T);
    while (T--) {
        double x, y;
        scanf("%lf %lf", &x, &y);
        if (y < 0) {
            puts("inf");
        } else {
            double v = (x * x + y * y) * 3.141592653589793 / 100;
            int k = (int)(v - 1e-10) + 1;
            if (k > 730) puts("inf");
            else printf("%d\n", k);
        }
    }
}
