// Wrong: reads the coordinates as integers, as in the sample, so a decimal point stops the reads
// Input on which it differs from the reference:
//   1
//   10.5 10
#include <cstdio>

int main() {
    int t, x = 0, y = 0;
    scanf("%d", &t);
    while (t--) {
        scanf("%d %d", &x, &y);
        if (y < 0) {
            puts("inf");
            continue;
        }
        double v = ((double)x * x + (double)y * y) * 3.141592653589793 / 100;
        int k = (int)(v - 1e-10) + 1;
        if (k > 730)
            puts("inf");
        else
            printf("%d\n", k);
    }
}
