// constant_answer: Constant answer, the fixed-answer program.
// Input: none; standard input is never read and arguments are ignored. Output: the line "25".
// Method: one call that puts the line. O(1).
#include <cerrno>
#include <cstdio>
#include <cstring>

int main() {
  puts("25");
  // The line is buffered until here: a full disk or a closed output shows at the flush.
  if (fflush(stdout) || ferror(stdout)) {
    fprintf(stderr, "constant_answer: cannot write the answer: %s\n", strerror(errno));
    return 2;
  }
  return 0;
}
