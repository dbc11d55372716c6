// demolition_input_check: input validator of Segment demolition (exit 42 valid, 43 invalid).
// Input: T on a line; per case n on a line, the n values on a line, the n destruction
// positions on a line, single blanks between items. Limits: T 0..200000, n 1..100000, values
// 0..999999999, the positions a permutation of 1..n. O(size of the input).
#include "input_check.h"

const int N = 100008;
int seen[N]; // seen[p] = the case in which position p was last read, to catch repeats

int main() {
  long long T = chk::num("T", 0, 200000);
  chk::eol();
  for (int cs = 1; cs <= T; cs++) {
    long long n = chk::num("n", 1, 100000);
    chk::eol();
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      chk::num("value", 0, 999999999);
    }
    chk::eol();
    for (long long i = 0; i < n; i++) {
      if (i) chk::blank();
      long long p = chk::num("position", 1, n, false);
      // n positions from 1..n, none twice: a permutation.
      if (seen[p] == cs) chk::fail("position %lld is destroyed twice", p);
      seen[p] = cs;
    }
    chk::eol();
  }
  chk::accept();
}
