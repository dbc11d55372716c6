// Wrong: works in float, whose 24-bit mantissa puts a point near a ring's edge into the wrong ring
// Input on which it differs from the reference:
//   1
//   112.126 1
#include <bits/stdc++.h>
using namespace std;

int main() {
    int T;
    scanf("%d", &T);
    while (T--) {
        float x, y;
        scanf("%f %f", &x, &y);
        if (y < -1e-10f) {
            printf("inf\n");
            continue;
        }
        float area = (x * x + y * y) * 3.14159265f / 100.0f;
        int k = (int)(area - 1e-10f) + 1;
        if (k > 730)
            printf("inf\n");
        else
            printf("%d\n", k);
    }
}
