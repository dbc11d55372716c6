// constant_input_check: input validator of Constant answer (exit 42 valid, 43 invalid).
// Input: T on a line, then T lines of one integer n each; the answer does not depend on them.
// Limits from problem.toml: T and n. O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  while (T--) {
    chk::num("n", bound::n_min, bound::n_max);
    chk::eol();
  }
  chk::accept();
}
