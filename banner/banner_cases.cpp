// banner_cases: Banner digits, random test generator, seeded from the clock.
// Output: the count 100, then 100 lines of 1 to 6 random digits (leading zeros included).
// Method: per case one draw for the length, then one draw per digit, left to right.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

int T, n, i;

int main() {
  srand((unsigned)time(0));
  T = 100;
  printf("%d\n", T);
  while (T--) {
    int r = rand();
    n = r % 6 + 1;
    for (i = 0; i < n; i++) {
      r = rand();
      putchar(r % 10 + '0');
    }
    puts("");
  }
  // A file that could not be written in full is no test file.
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "banner_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
