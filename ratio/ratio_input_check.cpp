// ratio_input_check: input validator of Ratio product (exit 42 valid, 43 invalid).
// Input: T on a line, then T lines of one query n each. Limits: T 0..2000000, n 1..1000.
// O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 2000000);
  chk::eol();
  while (T--) {
    chk::num("n", 1, 1000);
    chk::eol();
  }
  chk::accept();
}
