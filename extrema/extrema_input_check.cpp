// extrema_input_check: input validator of Local extrema (exit 42 valid, 43 invalid).
// Input: T on a line; per case one line: n, then the n values, single blanks between (n = 0 is
// the line "0"). Limits: T 0..2000000, n 0..107, values -2147483648..2147483647.
// O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 2000000);
  chk::eol();
  while (T--) {
    long long n = chk::num("n", 0, 107);
    for (long long i = 0; i < n; i++) {
      chk::blank();
      chk::num("value", -2147483648LL, 2147483647);
    }
    chk::eol();
  }
  chk::accept();
}
