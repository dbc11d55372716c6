// constant_answer: Constant answer, the fixed-answer program.
// Input: none; standard input is never read and arguments are ignored. Output: the line "25".
// Method: one call that puts the line. O(1).
#include <cstdio>

int main() {
  puts("25");
  return 0;
}
