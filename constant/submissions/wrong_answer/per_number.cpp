// Wrong: answers every number of the input, writing 25 once for each, where the answer is one line for the whole input
// Input on which it differs from the reference:
//   2
//   7
//   100
#include <cstdio>

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        int n;
        scanf("%d", &n);
        puts("25");
    }
}
