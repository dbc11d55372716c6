// Wrong: keeps the word's length in an unsigned char, so a word of 256 letters counts as empty
// Input on which it differs from the reference:
//   1
//   abaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa
#include <cstdio>
#include <cstring>

char s[260];

int main() {
    int t;
    scanf("%d", &t);
    while (t--) {
        scanf("%s", s);
        unsigned char n = strlen(s); // words are short
        int ok = 1;
        for (int i = 0, j = n - 2; i < j; i += 2, j -= 2)
            if (s[i] != s[j] || s[i + 1] != s[j + 1]) ok = 0;
        printf("%s\n", ok ? "Yes" : "No");
    }
}
