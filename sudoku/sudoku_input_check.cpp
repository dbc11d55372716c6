// sudoku_input_check: input validator of Sudoku validation (exit 42 valid, 43 invalid).
// Input: T on a line; per case a grid of 81 values, nine lines of nine with single blanks
// between. Limits from problem.toml (T, value). O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  while (T--)
    for (int r = 0; r < 9; r++) {
      for (int c = 0; c < 9; c++) {
        if (c) chk::blank();
        chk::num("value", bound::value_min, bound::value_max);
      }
      chk::eol();
    }
  chk::accept();
}
