// demolish_solver: Segment demolition, reference solver.
// Input: T, then per case n, n non-negative values, n destruction positions (a permutation).
// Output: per case n lines, the largest sum of a run of survivors after each destruction.
// Method: revive the positions in reverse order; every live run keeps its endpoints (lef, rig)
// and its sum at both ends (a), so each revival joins its neighbours in O(1). O(n) a case.
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const int N = 100008;
long long T, n, a[N], b[N], lef[N], rig[N], f[N], ans[N];
long long cs;   // number of the case being read, from 1
long long u[N]; // u[p] = the case in which position p was last destroyed, to catch repeats

[[noreturn]] void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "demolish_solver: ");
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  va_end(ap);
  exit(2);
}

// Stops the program when standard output has failed: the answers would be lost unseen.
void written() {
  int e = errno; // set by a write that failed before
  int r = fflush(stdout);
  if (r == 0 && !ferror(stdout)) return;
  fprintf(stderr, "demolish_solver: cannot write the answers: %s\n", strerror(r ? errno : e));
  exit(2);
}

// Whether the token just read ends there: "%lld" stops at the first byte that is not a digit,
// so "5x" or "2.5" would leave the rest for the next read.
bool ends() {
  int c = getchar();
  return c == EOF || isspace(c);
}

// The case count, read as a token and converted whole, so that a refusal quotes it as it
// stood. A NUL byte inside the token makes it longer than its string.
char tk[64];
long long count() {
  int p0 = 0, p1 = 0;
  if (scanf(" %n%63s%n", &p0, tk, &p1) != 1) fail("input ends before the case count");
  if (!ends()) fail("case count is longer than 63 characters");
  long long v;
  int k = 0;
  errno = 0;
  if (p1 - p0 != (int)strlen(tk) || sscanf(tk, "%lld%n", &v, &k) != 1 || tk[k])
    fail("case count is not a number");
  if (errno == ERANGE && tk[0] != '-') fail("case count %s does not fit", tk);
  if (errno == ERANGE || v < 0) fail("case count %s is negative", tk);
  return v;
}

// Reads one integer; stops the program when the input ends or holds something else there.
// A number past 64 bits reads as the nearest 64-bit one, with errno set to ERANGE.
long long item(const char *what, long long i) {
  long long v;
  errno = 0;
  int r = scanf("%lld", &v);
  if (r == EOF) fail("case %lld: input ends before %s %lld of %lld", cs, what, i, n);
  if (r != 1 || !ends()) fail("case %lld: %s %lld is not a number", cs, what, i);
  if (errno == ERANGE) fail("case %lld: %s %lld does not fit 64 bits", cs, what, i);
  return v;
}

long long maxx(long long x, long long y) { return x > y ? x : y; }

int main() {
  T = count();
  while (T--) {
    cs++;
    errno = 0;
    int r = scanf("%lld", &n);
    if (r == EOF) fail("case %lld: input ends before n", cs);
    if (r != 1 || !ends()) fail("case %lld: n is not a number", cs);
    if (errno == ERANGE) fail("case %lld: n does not fit 64 bits", cs);
    if (n < 1 || n > 100000) fail("case %lld: n = %lld is outside 1..100000", cs, n);
    // Values must be non-negative and their total must fit 64 bits: every run sum is then
    // at most the total.
    long long tot = 0;
    for (long long i = 1; i <= n; i++) {
      a[i] = item("value", i);
      if (a[i] < 0) fail("case %lld: value %lld = %lld is negative", cs, i, a[i]);
      if (a[i] > 0x7fffffffffffffffLL - tot)
        fail("case %lld: the values add up past 64 bits at value %lld", cs, i);
      tot += a[i];
    }
    for (long long i = 1; i <= n; i++) {
      b[i] = item("destruction", i);
      if (b[i] < 1 || b[i] > n)
        fail("case %lld: destruction %lld = %lld is outside 1..%lld", cs, i, b[i], n);
      if (u[b[i]] == cs)
        fail("case %lld: destruction %lld = %lld repeats an earlier position", cs, i, b[i]);
      u[b[i]] = cs;
    }

    // Reset what this case can touch: borders 0 and n+1 included.
    for (long long x = 0; x <= n + 1; x++) ans[x] = f[x] = 0;
    for (long long x = 1; x <= n; x++) lef[x] = rig[x] = x;

    for (long long k = n; k >= 1; k--) {
      long long d = b[k];
      f[d] = 1;
      // A live d-1 is the right end of its run and a live d+1 the left end of its run, so
      // a[] there holds each run's sum; the flags zero out dead neighbours and borders.
      long long e = a[d] + f[d - 1] * a[d - 1] + f[d + 1] * a[d + 1];
      ans[k - 1] = maxx(ans[k], e);
      if (f[d - 1] && f[d + 1]) {
        long long L = lef[d - 1], R = rig[d + 1];
        a[R] = e, a[L] = e, rig[L] = R, lef[R] = L;
      } else if (f[d - 1]) {
        long long L = lef[d - 1];
        a[d] = e, a[L] = e, rig[L] = d, lef[d] = L;
      } else if (f[d + 1]) {
        long long R = rig[d + 1];
        a[d] = e, a[R] = e, lef[R] = d, rig[d] = R;
      }
    }
    for (long long k = 1; k <= n; k++) printf("%lld\n", ans[k]);
    if (ferror(stdout)) written();
  }
  written();
  return 0;
}
