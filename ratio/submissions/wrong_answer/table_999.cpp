// Wrong: the table loop stops at i < 1000, so n = 1000 is answered from an unfilled slot
// Input on which it differs from the reference:
//   1
//   1000
#include <bits/stdc++.h>
using namespace std;

const int MAXN = 1000;
double dp[MAXN + 1];

int main() {
    dp[1] = 1.0;
    for (int i = 2; i < MAXN; i++) dp[i] = dp[i - 1] * (2.0 * i - 2) / (2.0 * i - 1);
    int T;
    scanf("%d", &T);
    while (T--) {
        int n;
        scanf("%d", &n);
        printf("%.10lf\n", dp[n]);
    }
    return 0;
}
