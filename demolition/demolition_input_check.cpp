// demolition_input_check: input validator of Segment demolition (exit 42 valid, 43 invalid).
// Input: T on a line; per case n on a line, the n values on a line, the n destruction
// positions on a line, single blanks between items. Limits from problem.toml: T, n, value,
// and sum_n, the sum of n over the file (checked as each case's n is read, reported at the
// end); the positions a permutation of 1..n. O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

// seen[p] = the case in which position p was last read, to catch repeats
int seen[bound::n_max + 1];

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  long long sum = 0; // n over the cases read so far
  for (int cs = 1; cs <= T; cs++) {
    long long n = chk::num("n", bound::n_min, bound::n_max);
    sum += n;
    if (sum > bound::sum_n_max)
      chk::fail("sum_n = %lld is outside %lld..%lld", sum, bound::sum_n_min, bound::sum_n_max);
    chk::eol();
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      chk::num("value", bound::value_min, bound::value_max);
    }
    chk::eol();
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      long long p = chk::num("position", 1, n, false);
      // n positions from 1..n, none twice: a permutation.
      if (seen[p] == cs) chk::fail("position %lld is destroyed twice", p);
      seen[p] = cs;
    }
    chk::eol();
  }
  chk::total("sum_n", sum, bound::sum_n_min, bound::sum_n_max);
  chk::accept();
}
