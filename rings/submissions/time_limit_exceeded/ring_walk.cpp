// Too slow: walks outward one ring at a time until it passes the point, about two billion steps for a point far from the origin
#include <cstdio>

const double PI = 3.141592653589793;

int main() {
    int T;
    scanf("%d", &T);
    while (T--) {
        double x, y;
        scanf("%lf %lf", &x, &y);
        if (y < -1e-10) {
            puts("inf");
            continue;
        }
        double v = (x * x + y * y) * PI / 100 - 1e-10;
        int k = 1;
        while (k <= v) k++; // the first ring whose outer edge is not inside the point
        if (k > 730)
            puts("inf");
        else
            printf("%d\n", k);
    }
}
