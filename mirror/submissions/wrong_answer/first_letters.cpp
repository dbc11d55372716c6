// Wrong: compares only the first letter of each block with its partner's first letter
// Input on which it differs from the reference:
//   1
//   abac
#include <cstdio>
#include <cstring>

char s[300];

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        scanf("%s", s);
        int n = strlen(s);
        bool ok = true;
        for (int i = 0; i < n / 2; i += 2)
            if (s[i] != s[n - 2 - i]) ok = false;
        puts(ok ? "Yes" : "No");
    }
    return 0;
}
