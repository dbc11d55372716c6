// rounding_input_check: input validator of Grade rounding (exit 42 valid, 43 invalid).
// Input: T on a line; per case m on a line, then the number on a line: digits with at most one
// point among them and at least one digit (".5" and "7." are numbers; leading zeros and
// trailing zeros after the point are digits). Limits from problem.toml: T, m, length (the
// characters of a number) and sum_length, their sum over the file (checked as each number is
// read, reported at the end). O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  long long sum = 0; // characters of the numbers read so far
  while (T--) {
    chk::num("m", bound::m_min, bound::m_max);
    chk::eol();
    long long n = chk::word("the number", "length", bound::length_min, bound::length_max,
                            "0123456789.", "a digit or a point");
    int points = 0;
    for (long long i = 0; i < n; i++)
      if (chk::buf[chk::tok + i] == '.' && ++points == 2)
        chk::fail_at(chk::tok + i, "the number has a second point");
    if (n == points) chk::fail("the number '.' has no digit");
    sum += n;
    if (sum > bound::sum_length_max)
      chk::fail("sum_length = %lld is outside %lld..%lld", sum, bound::sum_length_min,
                bound::sum_length_max);
    chk::eol();
  }
  chk::total("sum_length", sum, bound::sum_length_min, bound::sum_length_max);
  chk::accept();
}
