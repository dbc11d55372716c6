// demolition_input_check: input validator of Segment demolition (exit 42 valid, 43 invalid).
// Input: T on a line; per case n on a line, the n values on a line, the n destruction
// positions on a line, single blanks between items. Limits from problem.toml (T, n, value);
// the positions a permutation of 1..n. O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

const int N = 100008;
int seen[N]; // seen[p] = the case in which position p was last read, to catch repeats

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  for (int cs = 1; cs <= T; cs++) {
    long long n = chk::num("n", bound::n_min, bound::n_max);
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
  chk::accept();
}
