// collider_cases: Collider, random test generator, seeded from the clock.
// Output: 5 cases, each N on a line, N direction letters "L"/"R" on a line, N even
// non-decreasing positions on a line. Cases 1-3 random (N 2..200000, strictly increasing),
// case 4 every "L" left of every "R" (N 10..20), case 5 one direction for all (N 2..21).
// Method: positions grow by drawn even gaps; about 5 draws a particle in the random kind.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

int T, N, i, d;

// Random kind: gaps of ((four draws % m) summed + 1) * 2, m 16 or 256, so 2..122 or
// 2..2042; the largest case ends at 200000 * 2042 = 408400000, within 32 bits.
void gen_rand() {
  int r = rand();
  int m = (r & 3) ? 16 : 256;
  r = rand();
  N = r % 199999 + 2;
  printf("%d\n", N);
  int p = 1; // the first position is drawn before the directions
  for (int j = 0; j < 4; j++) {
    r = rand();
    p += r % m;
  }
  p *= 2;
  for (i = 0; i < N; i++) {
    r = rand();
    putchar((r & 1) ? 'L' : 'R');
  }
  puts("");
  printf("%d", p);
  for (i = 1; i < N; i++) {
    int g = 1;
    for (int j = 0; j < 4; j++) {
      r = rand();
      g += r % m;
    }
    p += g * 2;
    printf(" %d", p);
  }
  puts("");
}

// Impossible kind: d is an odd threshold no position can equal; positions never fall, so the
// "L" particles (below d) all stand left of the "R" ones. The first position is at most 98 and
// d at least 181, so the "L" block is never empty.
void gen_impossible() {
  int pos[21];
  int r = rand();
  N = r % 11 + 10;
  printf("%d\n", N);
  r = rand();
  d = (r % 8 + 18) * N | 1;
  pos[0] = 0;
  for (i = 1; i <= N; i++) {
    r = rand();
    pos[i] = pos[i - 1] + (r % 50) * 2;
    putchar(pos[i] < d ? 'L' : 'R');
  }
  puts("");
  printf("%d", pos[1]);
  for (i = 2; i <= N; i++) printf(" %d", pos[i]);
  puts("");
}

// Biased kind: one direction for all; d holds the letter, then the running position.
void gen_biased() {
  int r = rand();
  N = r % 20 + 2;
  printf("%d\n", N);
  r = rand();
  d = (r & 1) ? 'L' : 'R';
  for (i = 0; i < N; i++) putchar(d);
  puts("");
  r = rand();
  d = (r % 20) * 2;
  printf("%d", d);
  for (i = 1; i < N; i++) {
    r = rand();
    d += (r % 20) * 2;
    printf(" %d", d);
  }
  puts("");
}

int main() {
  srand((unsigned)time(0));
  T = 5;
  printf("%d\n", T);
  while (T--) {
    if (T == 0)
      gen_biased();
    else if (T == 1)
      gen_impossible();
    else
      gen_rand();
  }
  // A file that could not be written in full is no test file.
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "collider_cases: cannot write the file: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
