// Wrong: takes the ring as (int)v + 1 with no tolerance, so a point on a ring's outer edge goes one ring out
// Input on which it differs from the reference:
//   1
//   76.113336075519584 0
#include <cmath>
#include <cstdio>

int main() {
    int t;
    scanf("%d", &t);
    const double PI = acos(-1.0);
    while (t--) {
        double x, y;
        scanf("%lf %lf", &x, &y);
        if (y < -1e-10) {
            puts("inf");
            continue;
        }
        double v = (x * x + y * y) * PI / 100;
        int k = (int)v + 1;
        if (k > 730)
            puts("inf");
        else
            printf("%d\n", k);
    }
    return 0;
}
