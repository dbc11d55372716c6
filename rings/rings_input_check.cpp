// rings_input_check: input validator of Ring count (exit 42 valid, 43 invalid).
// Input: T on a line; per case one line "x y", plain decimal numbers (an optional point and
// digits, no exponent). Limits: T 0..1000000, x and y from -261450 to 261450, and the point
// at most 261450 from the origin, where the ring index still fits 32 bits. O(size of input).
#include "input_check.h"

const double R = 261450;

int main() {
  long long T = chk::num("T", 0, 1000000);
  chk::eol();
  while (T--) {
    double x = chk::real("x", -R, R);
    chk::blank();
    double y = chk::real("y", -R, R);
    if (x * x + y * y > R * R) chk::fail("the point lies farther than %.0f from the origin", R);
    chk::eol();
  }
  chk::accept();
}
