// Wrong: uses the tolerance 1e-9 where the problem says 1e-10, both below the axis and at a ring's edge
// Input on which it differs from the reference:
//   2
//   3 -0.0000000005
//   0 152.43563130526
#include <cstdio>

const double PI = 3.141592653589793, EPS = 1e-9;

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        double x, y;
        scanf("%lf %lf", &x, &y);
        if (y < -EPS) {
            puts("inf");
            continue;
        }
        double v = (x * x + y * y) * PI / 100;
        int k = (int)(v - EPS) + 1;
        if (k > 730) puts("inf");
        else printf("%d\n", k);
    }
}
