// shuttle_input_check: input validator of Shuttle ride (exit 42 valid, 43 invalid).
// Input: T on a line; per case one line "n l vw vs k", single blanks between; n and k plain
// integers, l, vw and vs plain decimal numbers (an optional point and digits, no exponent).
// Limits: T 0..2000000, n and k 1..1000000000, l, vw and vs above 0 and at most 1000000000.
// O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 2000000);
  chk::eol();
  while (T--) {
    chk::num("n", 1, 1000000000);
    chk::blank();
    chk::real("l", 0, 1e9, true);
    chk::blank();
    chk::real("vw", 0, 1e9, true);
    chk::blank();
    chk::real("vs", 0, 1e9, true);
    chk::blank();
    chk::num("k", 1, 1000000000);
    chk::eol();
  }
  chk::accept();
}
