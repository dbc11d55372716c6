// shuttle_input_check: input validator of Shuttle ride (exit 42 valid, 43 invalid).
// Input: T on a line; per case one line "n l vw vs k", single blanks between; n and k plain
// integers, l, vw and vs plain decimal numbers in their one canonical form: digits without a
// leading zero, then optionally a point and at most `decimals` digits, the last of them not 0
// (so "2.5", never "2.50", "2.0" or "02.5"). Limits from problem.toml (T, n, l, vw, vs, k,
// decimals). O(size of the input).
#include "input_check.h"
#include "problem_limits.h"

// Reads one of l, vw, vs and counts its digits after the point toward `decimals`.
void real(const char *name, double lo, double hi, bool lo_open) {
  chk::real(name, lo, hi, lo_open);
  const char *s = chk::buf + chk::tok;
  size_t n = chk::pos - chk::tok, point = 0;
  while (point < n && s[point] != '.') point++;
  long long d = point < n ? (long long)(n - point - 1) : 0;
  if (d && s[n - 1] == '0')
    chk::fail("%s: '%s' ends in a zero after the point", name, chk::shown());
  if (d > bound::decimals_max)
    chk::fail("%s: '%s' has %lld digits after the point, more than %lld", name, chk::shown(), d,
              bound::decimals_max);
  chk::total("decimals", d, bound::decimals_min, bound::decimals_max);
}

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  while (T--) {
    chk::num("n", bound::n_min, bound::n_max);
    chk::blank();
    real("l", bound::l_min, bound::l_max, bound::l_min_excluded);
    chk::blank();
    real("vw", bound::vw_min, bound::vw_max, bound::vw_min_excluded);
    chk::blank();
    real("vs", bound::vs_min, bound::vs_max, bound::vs_min_excluded);
    chk::blank();
    chk::num("k", bound::k_min, bound::k_max);
    chk::eol();
  }
  chk::accept();
}
