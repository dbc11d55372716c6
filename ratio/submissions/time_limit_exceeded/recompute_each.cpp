// Too slow: multiplies the product out again for every query, up to 999 steps each instead of one table built once
#include <cstdio>

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        int n;
        scanf("%d", &n);
        double p = 1;
        for (int i = 2; i <= n; i++) p = p * (2 * i - 2) / (2 * i - 1);
        printf("%.10f\n", p);
    }
}
