// rings_input_check: input validator of Ring count (exit 42 valid, 43 invalid).
// Input: T on a line; per case one line "x y", decimal numbers in plain form (an optional point
// and digits, no exponent) without a trailing zero after the point. Limits from problem.toml:
// T; x and y; digits, the digits after a coordinate's point; distance, how far the point lies
// from the origin (reported rounded down), within which the ring index still fits 32 bits.
// O(size of the input).
#include <cmath>
#include <cstring>

#include "input_check.h"
#include "problem_limits.h"

// Reads a coordinate within lo..hi and counts the digits after its point.
double coord(const char *name, double lo, double hi) {
  double v = chk::real(name, lo, hi);
  const char *s = chk::buf + chk::tok, *end = chk::buf + chk::pos;
  const char *point = (const char *)memchr(s, '.', end - s);
  long long digits = point ? end - point - 1 : 0;
  if (point && end[-1] == '0')
    chk::fail("%s: '%s' has a trailing zero after its point", name, chk::shown());
  if (digits > bound::digits_max)
    chk::fail("%s: '%s' has %lld digits after its point, more than %lld", name, chk::shown(),
              digits, bound::digits_max);
  chk::note("digits", (double)digits, false);
  return v;
}

int main() {
  long long T = chk::num("T", bound::T_min, bound::T_max);
  chk::eol();
  const double R = bound::distance_max;
  while (T--) {
    double x = coord("x", bound::x_min, bound::x_max);
    chk::blank();
    double y = coord("y", bound::y_min, bound::y_max);
    if (x * x + y * y > R * R) chk::fail("the point lies farther than %.0f from the origin", R);
    chk::note("distance", std::floor(std::sqrt(x * x + y * y)), false);
    chk::eol();
  }
  chk::accept();
}
