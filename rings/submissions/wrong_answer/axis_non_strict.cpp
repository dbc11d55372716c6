// Wrong: turns a point away when y <= -1e-10, so a point exactly 1e-10 below the axis, which counts as on it, answers "inf"
// Input on which it differs from the reference:
//   1
//   3 -0.0000000001
#include <cstdio>

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        double x, y;
        scanf("%lf %lf", &x, &y);
        if (y <= -1e-10) {
            puts("inf");
            continue;
        }
        double v = (x * x + y * y) * 3.141592653589793 / 100;
        int k = (int)(v - 1e-10) + 1;
        if (k > 730) puts("inf");
        else printf("%d\n", k);
    }
}
