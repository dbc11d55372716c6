// rounding_input_check: input validator of Grade rounding (exit 42 valid, 43 invalid).
// Input: T on a line; per case m on a line, then the number on a line: digits with at most one
// point among them and at least one digit (".5" and "7." are numbers; leading zeros are
// digits). Limits: T 0..5000000, m 0..2147483647, the number 1..200006 characters.
// O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 5000000);
  chk::eol();
  while (T--) {
    chk::num("m", 0, 2147483647);
    chk::eol();
    long long n = chk::word("the number", "length", 1, 200006, "0123456789.", "a digit or a point");
    int points = 0;
    for (long long i = 0; i < n; i++)
      if (chk::buf[chk::tok + i] == '.' && ++points == 2)
        chk::fail_at(chk::tok + i, "the number has a second point");
    if (n == points) chk::fail("the number '.' has no digit");
    chk::eol();
  }
  chk::accept();
}
