// sum_input_check: input validator of Sum of two numbers (exit 42 valid, 43 invalid).
// Input: T on a line, then T lines of two integers a and b with one blank between. Limits
// from problem.toml: T, value (a and b). O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  for (long long i = 0; i < T; i++) {
    chk::num("value", bound::value_min, bound::value_max);
    chk::blank();
    chk::num("value", bound::value_min, bound::value_max);
    chk::eol();
  }
  chk::accept();
}
