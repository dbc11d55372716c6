// trend_input_check: input validator of Trend (exit 42 valid, 43 invalid).
// Input: T on a line; per case n on a line, then the n values on a line, single blanks
// between. Limits: T 0..5000000, n 1..201, values 1..30; neighbouring values follow the cycle
// 1, 2, ..., 30, 29, ..., 1, so they differ by exactly one. O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 5000000);
  chk::eol();
  while (T--) {
    long long n = chk::num("n", 1, 201);
    chk::eol();
    long long last = 0;
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      long long v = chk::num("value", 1, 30);
      if (i && v != last + 1 && v != last - 1)
        chk::fail("value %lld cannot follow %lld in the cycle", v, last);
      last = v;
    }
    chk::eol();
  }
  chk::accept();
}
