// collider_input_check: input validator of Collider (exit 42 valid, 43 invalid).
// Input: T on a line; per case N on a line, a line of N letters L or R without separators,
// a line of N positions with single blanks between. Limits from problem.toml: T, N, position
// (even, non-decreasing within a case) and sum_N, the particles of all the cases together.
// O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  long long sum = 0;
  while (T--) {
    long long n = chk::num("N", bound::N_min, bound::N_max);
    if ((sum += n) > bound::sum_N_max)
      chk::fail("the cases so far hold %lld particles, more than %lld", sum, bound::sum_N_max);
    chk::eol();
    long long d = chk::word("the directions", "directions", 1, 1LL << 62, "LR", "L or R", false);
    if (d != n) chk::fail("expected N = %lld directions, found %lld", n, d);
    chk::eol();
    long long last = 0;
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      long long x = chk::num("position", bound::position_min, bound::position_max);
      if (x % 2) chk::fail("position %lld is odd", x);
      if (x < last) chk::fail("position %lld is below the one before it, %lld", x, last);
      last = x;
    }
    chk::eol();
  }
  chk::total("sum_N", sum, bound::sum_N_min, bound::sum_N_max);
  chk::accept();
}
