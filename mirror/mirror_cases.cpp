// mirror_cases: Pair mirror, test generator; it never seeds, so every run writes the same file.
// Output: 100, then 100 words of 2..256 lower-case letters, one a line; each is built as a pair
// mirror and about half are then spoiled by random single-letter rewrites.
// Method: the front half of the blocks is drawn and copied to the partner blocks; an odd block
// count draws the middle block again; a coin decides the spoiling. O(length) a word.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int T, L, i;
char c[257]; // the word at c[0..L-1], its terminator at c[L]

int main() {
  T = 100;
  printf("%d\n", T);
  while (T--) {
    int r = rand();
    L = r % 128 + 1; // blocks
    L *= 2;          // letters
    for (i = 0; i < L / 2; i += 2) {
      int x = rand();
      c[i] = 'a' + x % 26;
      int y = rand();
      c[i + 1] = 'a' + y % 26;
      c[L - i - 2] = c[i];
      c[L - i - 1] = c[i + 1];
    }
    // An odd block count: the middle block, at L/2 - 1 and L/2, is drawn a second time.
    if (L & 2) {
      int x = rand();
      c[L / 2 - 1] = 'a' + x % 26;
      int y = rand();
      c[L / 2] = 'a' + y % 26;
    }
    c[L] = 0;
    r = rand();
    if (r & 1) {
      int p = rand();
      for (i = p % L; i > 0; i--) {
        int k = rand();
        int x = rand();
        c[k % L] = 'a' + x % 26;
      }
    }
    puts(c);
  }
  // The file must have reached the output (a full disk or a closed stdout fails here).
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "mirror_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
