// Too slow: flushes the output after every case, one write to the system for each of millions of cases
#include <cstdio>

int a[110];

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        int n;
        scanf("%d", &n);
        for (int i = 0; i < n; i++) scanf("%d", &a[i]);
        int c = 0;
        for (int i = 1; i + 1 < n; i++)
            if ((a[i] > a[i - 1] && a[i] > a[i + 1]) || (a[i] < a[i - 1] && a[i] < a[i + 1])) c++;
        printf("%d\n", c);
        fflush(stdout);
    }
}
