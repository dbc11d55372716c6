// Wrong: reads a word with a width of 511 into a buffer of 512, so a longer word is cut and judged by its first 511 letters
// Input on which it differs from the reference:
//   1
//   cdabababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababababcd
#include <cstdio>
#include <cstring>

char s[512]; // the words in the examples are short

int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    scanf("%511s", s);
    int n = strlen(s);
    bool ok = true;
    for (int i = 0, j = n - 2; i < j; i += 2, j -= 2)
      if (s[i] != s[j] || s[i + 1] != s[j + 1]) ok = false;
    puts(ok ? "Yes" : "No");
  }
}
