// Wrong: compares the signs of neighbouring differences taken in 32-bit ints, which overflow when the values lie far apart
// Input on which it differs from the reference:
//   1
//   3 -2147483648 2147483647 0
#include <cstdio>

int a[110], d[110];

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        int n;
        scanf("%d", &n);
        for (int i = 0; i < n; i++) scanf("%d", &a[i]);
        for (int i = 0; i + 1 < n; i++) d[i] = a[i + 1] - a[i]; // the steps between neighbours
        int c = 0;
        for (int i = 1; i + 1 < n; i++)
            if ((d[i - 1] > 0 && d[i] < 0) || (d[i - 1] < 0 && d[i] > 0)) c++;
        printf("%d\n", c);
    }
}
