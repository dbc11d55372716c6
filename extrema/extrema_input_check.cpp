// extrema_input_check: input validator of Local extrema (exit 42 valid, 43 invalid).
// Input: T on a line; per case one line: n, then the n values, single blanks between (n = 0 is
// the line "0"). Limits from problem.toml: T, n, value, and sum_n, the values of all the cases
// together. O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  long long sum = 0;
  while (T--) {
    long long n = chk::num("n", bound::n_min, bound::n_max);
    if ((sum += n) > bound::sum_n_max)
      chk::fail("the cases so far hold %lld values, more than %lld", sum, bound::sum_n_max);
    for (long long i = 0; i < n; i++) {
      chk::blank();
      chk::num("value", bound::value_min, bound::value_max);
    }
    chk::eol();
  }
  chk::total("sum_n", sum, bound::sum_n_min, bound::sum_n_max);
  chk::accept();
}
