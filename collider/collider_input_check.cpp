// collider_input_check: input validator of Collider (exit 42 valid, 43 invalid).
// Input: T on a line; per case N on a line, a line of N letters L or R without separators,
// a line of N positions with single blanks between. Limits: T 0..10, N 2..200000, positions
// even, from 0 to 2147483646 (below 2^31), non-decreasing. O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 10);
  chk::eol();
  while (T--) {
    long long n = chk::num("N", 2, 200000);
    chk::eol();
    long long d = chk::word("the directions", "directions", 1, 1LL << 62, "LR", "L or R", false);
    if (d != n) chk::fail("expected N = %lld directions, found %lld", n, d);
    chk::eol();
    long long last = 0;
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      long long x = chk::num("position", 0, 2147483646);
      if (x % 2) chk::fail("position %lld is odd", x);
      if (x < last) chk::fail("position %lld is below the one before it, %lld", x, last);
      last = x;
    }
    chk::eol();
  }
  chk::accept();
}
