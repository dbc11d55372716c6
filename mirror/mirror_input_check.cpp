// mirror_input_check: input validator of Pair mirror (exit 42 valid, 43 invalid).
// Input: T on a line, then T lines of one word each: the letters a to z, of even length.
// Limits from problem.toml: T, length (a word's letters), sum_length (the letters of all the
// words, computed here). O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  long long sum = 0;
  while (T--) {
    long long n = chk::word("a word", "length", bound::length_min, bound::length_max,
                            "abcdefghijklmnopqrstuvwxyz", "a lower-case letter");
    if (n % 2) chk::fail("a word of %lld letters: the length must be even", n);
    sum += n;
    if (sum > bound::sum_length_max)
      chk::fail("the words so far hold %lld letters, more than %lld", sum, bound::sum_length_max);
    chk::eol();
  }
  chk::total("sum_length", sum, bound::sum_length_min, bound::sum_length_max);
  chk::accept();
}
