// Wrong: adds the tolerance instead of taking it off, so a point just inside a ring's edge goes one ring out
// Input on which it differs from the reference:
//   1
//   0 152.4356313052
#include <cstdio>

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        double x, y;
        scanf("%lf %lf", &x, &y);
        if (y < -1e-10) {
            puts("inf");
            continue;
        }
        double v = (x * x + y * y) * 3.141592653589793 / 100;
        int k = (int)(v + 1e-10) + 1;
        if (k > 730) puts("inf");
        else printf("%d\n", k);
    }
}
