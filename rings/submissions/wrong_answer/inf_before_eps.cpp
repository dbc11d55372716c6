// Wrong: answers "inf" as soon as the area passes 730, before the tolerance that keeps a point on ring 730's edge in ring 730
// Input on which it differs from the reference:
//   1
//   0 152.43563130521
#include <cstdio>

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        double x, y;
        scanf("%lf %lf", &x, &y);
        double v = (x * x + y * y) * 3.141592653589793 / 100;
        if (y < -1e-10 || v > 730) {
            puts("inf");
            continue;
        }
        printf("%d\n", (int)(v - 1e-10) + 1);
    }
}
