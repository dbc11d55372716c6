// Too slow: clears a table sized for a million values before every case, 4 MB of work for a case of a few values
#include <cstdio>
#include <cstring>

const int MAXN = 1000000;
int a[MAXN];

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        memset(a, 0, sizeof a);
        int n;
        scanf("%d", &n);
        for (int i = 0; i < n; i++) scanf("%d", &a[i]);
        int c = 0;
        for (int i = 1; i + 1 < n; i++)
            if ((a[i] > a[i - 1] && a[i] > a[i + 1]) || (a[i] < a[i - 1] && a[i] < a[i + 1])) c++;
        printf("%d\n", c);
    }
}
