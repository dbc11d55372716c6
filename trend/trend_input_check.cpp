// trend_input_check: input validator of Trend (exit 42 valid, 43 invalid).
// Input: T on a line; per case n on a line, then the n values on a line, single blanks
// between. Limits from problem.toml: T, n, value, and sum_n, the values of all the cases
// together. Neighbouring values follow the cycle 1, 2, ..., 30, 29, ..., 1, so they differ by
// exactly one. O(size of the input).
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
    chk::eol();
    long long last = 0;
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      long long v = chk::num("value", bound::value_min, bound::value_max);
      if (i && v != last + 1 && v != last - 1)
        chk::fail("value %lld cannot follow %lld in the cycle", v, last);
      last = v;
    }
    chk::eol();
  }
  chk::total("sum_n", sum, bound::sum_n_min, bound::sum_n_max);
  chk::accept();
}
