// banner_input_check: input validator of Banner digits (exit 42 valid, 43 invalid).
// Input: T on a line, then T lines of one digit string each (leading zeros are digits).
// Limits: T 0..100000, a string of 1..9 digits. O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 100000);
  chk::eol();
  while (T--) {
    chk::word("a digit string", "length", 1, 9, "0123456789", "a digit");
    chk::eol();
  }
  chk::accept();
}
