// Too slow: sums the logarithms of the factors for every query (to stay clear of overflow), two logarithms per step, up to 999 steps a query
#include <cmath>
#include <cstdio>

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        int n;
        scanf("%d", &n);
        long double s = 0;
        for (int i = 2; i <= n; i++) s += logl(2.0L * i - 2) - logl(2.0L * i - 1);
        printf("%.10Lf\n", expl(s));
    }
}
