// Wrong: allows the 1e-10 on the distance against each ring's radius instead of on the area, nearly ten times the slack at ring 730
// Input on which it differs from the reference:
//   1
//   0 152.43563130526
#include <cmath>
#include <cstdio>

const double PI = 3.141592653589793;

double radius(long long k) { return sqrt(100.0 * k / PI); } // the outer edge of ring k

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
        double d = sqrt(x * x + y * y);
        long long k = (long long)ceil(d * d * PI / 100);
        if (k < 1) k = 1;
        while (k > 1 && d <= radius(k - 1) + 1e-10) k--;
        while (d > radius(k) + 1e-10) k++;
        if (k > 730) puts("inf");
        else printf("%lld\n", k);
    }
}
