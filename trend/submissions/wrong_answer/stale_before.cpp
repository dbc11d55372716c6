// Wrong: keeps the value before the last from one case to the next, so a single value after an earlier case is compared with that case's value
// Input on which it differs from the reference:
//   2
//   2
//   4 5
//   1
//   15
#include <cstdio>

int before, last; // the last two values seen

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        int n;
        scanf("%d", &n);
        for (int i = 0; i < n; i++) {
            before = last;
            scanf("%d", &last);
        }
        if (last == 30) puts("Light");
        else if (last == 1) puts("Heavy");
        else if (before == 0) puts("No Response"); // no value before this one
        else puts(last > before ? "Heavy" : "Light");
    }
}
