// Too slow: clears a table sized for a million values before every case, 4 MB of work for a case of a few values
#include <cstdio>
#include <cstring>

const int MAXN = 1000000;
int a[MAXN + 5];

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        memset(a, 0, sizeof a);
        int n;
        scanf("%d", &n);
        for (int i = 1; i <= n; i++) scanf("%d", &a[i]);
        if (a[n] == 30) puts("Light");
        else if (a[n] == 1) puts("Heavy");
        else if (n == 1) puts("No Response");
        else puts(a[n] > a[n - 1] ? "Heavy" : "Light");
    }
}
