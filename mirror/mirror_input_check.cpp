// mirror_input_check: input validator of Pair mirror (exit 42 valid, 43 invalid).
// Input: T on a line, then T lines of one word each. Limits: T 0..10000000, words of the
// letters a to z, of even length from 2 to 10000. O(size of the input).
#include "input_check.h"

int main() {
  long long T = chk::num("T", 0, 10000000);
  chk::eol();
  while (T--) {
    long long n = chk::word("a word", "length", 2, 10000, "abcdefghijklmnopqrstuvwxyz",
                            "a lower-case letter");
    if (n % 2) chk::fail("a word of %lld letters: the length must be even", n);
    chk::eol();
  }
  chk::accept();
}
