// constant_input_check: input validator of Constant answer (exit 42 valid, 43 invalid).
// Input: none; the only valid file is the empty one. No limits to report. O(1).
#include "input_check.h"

int main() { chk::accept(); }
