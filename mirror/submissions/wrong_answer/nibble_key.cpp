// Wrong: packs each block into a byte, four bits a letter, but 26 letters need five: aq and ba collide
// Input on which it differs from the reference:
//   1
//   aqba
#include <cstdio>
#include <cstring>

char s[10005];
unsigned char key[5005];

int main() {
  int T;
  scanf("%d", &T);
  while (T--) {
    scanf("%s", s);
    int n = strlen(s), h = n / 2;
    for (int i = 0; i < h; i++) key[i] = (s[2 * i] - 'a') << 4 | (s[2 * i + 1] - 'a');
    bool ok = true;
    for (int i = 0, j = h - 1; i < j; i++, j--)
      if (key[i] != key[j]) ok = false;
    puts(ok ? "Yes" : "No");
  }
}
