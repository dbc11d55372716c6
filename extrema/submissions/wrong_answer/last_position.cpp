// Wrong: the loop runs to i <= n, so the last value is compared with a stale slot past the sequence
// Input on which it differs from the reference:
//   1
//   3 1 2 3
#include <cstdio>

int a[110];

int main() {
    int t, n;
    scanf("%d", &t);
    while (t--) {
        scanf("%d", &n);
        for (int i = 1; i <= n; i++) scanf("%d", &a[i]);
        int ans = 0;
        for (int i = 2; i <= n; i++) {
            if (a[i] > a[i - 1] && a[i] > a[i + 1]) ans++;
            if (a[i] < a[i - 1] && a[i] < a[i + 1]) ans++;
        }
        printf("%d\n", ans);
    }
}
