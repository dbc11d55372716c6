// banner_input_check: input validator of Banner digits (exit 42 valid, 43 invalid).
// Input: T on a line, then T lines of one digit string each (leading zeros are digits).
// Limits from problem.toml: T, and length, the digits of a string. O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  while (T--) {
    chk::word("a digit string", "length", bound::length_min, bound::length_max, "0123456789",
              "a digit");
    chk::eol();
  }
  chk::accept();
}
