// float_judge: Shuttle ride, the comparator of floating answers.
// Usage: float_judge EXPECTED ANSWERS (further arguments ignored). Reads two files of
// whitespace-separated numbers; status 0 when both hold the same count and every pair agrees
// (|a - b| <= 1e-6, or a == b for equal infinities), 1 at the first disagreement (one line on
// stderr says why), 2 when a file cannot be opened or read. Standard input is never read.
// Tokens: whatever "%lf" converts up to the next whitespace is a number, so "inf" and "nan"
// (any case) are values, "0x1p3" is 8 and "1e999" overflows to inf; any other token rejects.
// Method: one "%lf" read from each file per pair, in lockstep. O(size of the files).
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

FILE *f[2];
const char *nm[2];
double v[2]; // the number last read from each file
int st[2];   // what the last read found: 1 a number, 0 a token that is not a number, -1 the end

void stop(int status, const char *fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "float_judge: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  for (int j = 0; j < 2; j++)
    if (f[j]) fclose(f[j]);
  exit(status);
}

// Stops with status 2 on file j, which cannot be opened or read. Control characters of its
// path are written escaped, so that the message stays one line.
void unusable(const char *what, int j) {
  int e = errno;
  fprintf(stderr, "float_judge: cannot %s ", what);
  for (const unsigned char *p = (const unsigned char *)nm[j]; *p; p++)
    if (*p == '\n')
      fputs("\\n", stderr);
    else if (*p == '\t')
      fputs("\\t", stderr);
    else if (*p < 32 || *p == 127)
      fprintf(stderr, "\\x%02x", *p);
    else
      fputc(*p, stderr);
  fprintf(stderr, ": %s\n", strerror(e));
  for (int k = 0; k < 2; k++)
    if (f[k]) fclose(f[k]);
  exit(2);
}

// Reads the next token of file j. A token is a number when "%lf" converts it and it ends at
// whitespace or at the end of the file, so "1.5x" or "1-2" is not read as two numbers.
int next(int j) {
  int c;
  do c = getc(f[j]);
  while (c != EOF && isspace(c));
  if (c == EOF) {
    // A directory opens but cannot be read: that is no empty file.
    if (ferror(f[j])) unusable("read", j);
    return -1;
  }
  ungetc(c, f[j]);
  int r = fscanf(f[j], "%lf", &v[j]);
  if (r == 1) c = getc(f[j]);
  if (ferror(f[j])) unusable("read", j);
  return r == 1 && (c == EOF || isspace(c));
}

int main(int argc, char **argv) {
  if (argc < 3) {
    puts("insufficient arguments");
    if (fflush(stdout) || ferror(stdout)) {
      fprintf(stderr, "float_judge: cannot write the usage line: %s\n", strerror(errno));
      return 2;
    }
    return 1;
  }
  for (int j = 0; j < 2; j++) {
    nm[j] = argv[j + 1];
    f[j] = fopen(nm[j], "r");
    if (!f[j]) unusable("open", j);
  }
  for (long long i = 1;; i++) {
    // Both files are read before anything is judged, so the verdict does not depend on the
    // order of the two paths.
    st[0] = next(0);
    st[1] = next(1);
    for (int j = 0; j < 2; j++)
      if (st[j] == 0) stop(1, "number %lld of file %d is not a number", i, j + 1);
    if (st[0] < 0 && st[1] < 0) break;
    for (int j = 0; j < 2; j++)
      if (st[j] < 0)
        stop(1, "number %lld: file %d has ended, file %d goes on with %.17g", i, j + 1, 2 - j,
             v[1 - j]);
    // Equal infinities agree by ==; a NaN agrees with nothing, not even by <=.
    if (!(v[0] == v[1] || fabs(v[0] - v[1]) <= 1e-6))
      stop(1, "number %lld differs: %.17g in file 1, %.17g in file 2", i, v[0], v[1]);
  }
  fclose(f[0]);
  fclose(f[1]);
  return 0;
}
