// Too slow: walks out from the origin past one ring's radius after another until it passes the point, two billion square roots for a point far out
#include <cmath>
#include <cstdio>

const double PI = 3.141592653589793;

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
        double v = (x * x + y * y) * PI / 100 - 1e-10; // the area inside the point, in rings
        long long k = 1;
        while (sqrt(100.0 * k / PI) < sqrt(100.0 * v / PI)) k++;
        if (k > 730) puts("inf");
        else printf("%lld\n", k);
    }
}
