// Too slow: clears a buffer of 10^6 bytes before every word, whatever the word's length
#include <cstdio>
#include <cstring>

const int N = 1000005;
char s[N];

int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    memset(s, 0, sizeof s); // no letter of the last word may stay behind
    scanf("%s", s);
    int n = strlen(s);
    bool ok = true;
    for (int i = 0, j = n - 2; i < j; i += 2, j -= 2)
      if (s[i] != s[j] || s[i + 1] != s[j + 1]) ok = false;
    puts(ok ? "Yes" : "No");
  }
}
