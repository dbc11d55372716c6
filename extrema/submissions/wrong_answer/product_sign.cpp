// Wrong: tests (a[i]-a[i-1])*(a[i]-a[i+1]) > 0 in 32-bit ints, which overflows for large values
// Input on which it differs from the reference:
//   1
//   3 0 50000 0
#include <cstdio>

int a[110];

int main() {
    int T;
    scanf("%d", &T);
    while (T--) {
        int n;
        scanf("%d", &n);
        for (int i = 0; i < n; i++) scanf("%d", &a[i]);
        int cnt = 0;
        for (int i = 1; i + 1 < n; i++)
            if ((a[i] - a[i - 1]) * (a[i] - a[i + 1]) > 0) cnt++;
        printf("%d\n", cnt);
    }
    return 0;
}
