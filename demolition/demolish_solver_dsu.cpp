// demolish_solver_dsu: Segment demolition, second solver (cross-checks demolish_solver).
// Input: T, then per case n, n non-negative values, n destruction positions (a permutation).
// Output: per case n lines, the largest sum of a run of survivors after each destruction.
// Method: revive the positions in reverse order as union-find sets with path compression; the
// revived position becomes the root and carries its run's sum. O(n log n) a case at worst.
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const int N = 100005;
// The case count and n are read as 64-bit numbers: "%d" would cut a larger number to its low
// 32 bits, and n = 4294967299 would pass for 3.
long long T, m;
int n;
long long a[N], des[N];
int par[N];
long long s[N];
bool vis[N];
long long ans[N];
long long cs;   // number of the case being read, from 1 (as many as the case count)
long long u[N]; // u[p] = the case in which position p was last destroyed, to catch repeats

[[noreturn]] void fail(const char *fmt, ...) {
  fflush(stdout);
  va_list ap;
  va_start(ap, fmt);
  fprintf(stderr, "demolish_solver_dsu: ");
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
  fprintf(stderr, "demolish_solver_dsu: cannot write the answers: %s\n", strerror(r ? errno : e));
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
long long item(const char *what, int i) {
  long long v;
  errno = 0;
  int r = scanf("%lld", &v);
  if (r == EOF) fail("case %lld: input ends before %s %d of %d", cs, what, i, n);
  if (r != 1 || !ends()) fail("case %lld: %s %d is not a number", cs, what, i);
  if (errno == ERANGE) fail("case %lld: %s %d does not fit 64 bits", cs, what, i);
  return v;
}

// Resets the entries this case can touch, positions 0 ... n+1.
void init() {
  for (int x = 0; x <= n + 1; x++) {
    par[x] = x;
    vis[x] = false;
    s[x] = ans[x] = des[x] = a[x] = 0;
  }
}

// Root of x's set; a loop, not recursion, since a path can be about n long. Every position
// on the walked path is then linked straight to the root.
int findx(int x) {
  int r = x;
  while (par[r] != r) r = par[r];
  while (par[x] != r) {
    int nx = par[x];
    par[x] = r;
    x = nx;
  }
  return r;
}

void unite(int x, int y) {
  int rx = findx(x);
  int ry = findx(y);
  par[ry] = rx;
  s[rx] += s[ry];
}

int main() {
  T = count();
  while (T--) {
    cs++;
    errno = 0;
    int r = scanf("%lld", &m);
    if (r == EOF) fail("case %lld: input ends before n", cs);
    if (r != 1 || !ends()) fail("case %lld: n is not a number", cs);
    if (errno == ERANGE) fail("case %lld: n does not fit 64 bits", cs);
    if (m < 1 || m > 100000) fail("case %lld: n = %lld is outside 1..100000", cs, m);
    n = (int)m;
    init();
    // Values must be non-negative and their total must fit 64 bits: every set sum is then
    // at most the total.
    long long tot = 0;
    for (int i = 1; i <= n; i++) {
      a[i] = item("value", i);
      if (a[i] < 0) fail("case %lld: value %d = %lld is negative", cs, i, a[i]);
      if (a[i] > 0x7fffffffffffffffLL - tot)
        fail("case %lld: the values add up past 64 bits at value %d", cs, i);
      tot += a[i];
    }
    for (int i = 1; i <= n; i++) {
      long long p = item("destruction", i);
      if (p < 1 || p > n) fail("case %lld: destruction %d = %lld is outside 1..%d", cs, i, p, n);
      if (u[p] == cs)
        fail("case %lld: destruction %d = %lld repeats an earlier position", cs, i, p);
      u[p] = cs;
      des[i] = p;
      s[p] = a[p];
    }
    // Revive backwards; the position destroyed first is never revived, since the answer with
    // nothing destroyed is not written. The right neighbour joins before the left one, and p,
    // revived just now, stays the root of its run.
    for (int k = n; k >= 2; k--) {
      int p = des[k];
      if (p < n && vis[p + 1]) unite(p, p + 1);
      if (p > 1 && vis[p - 1]) unite(p, p - 1);
      vis[p] = true;
      ans[k] = ans[k + 1] < s[p] ? s[p] : ans[k + 1];
    }
    for (int k = 2; k <= n + 1; k++) printf("%lld\n", ans[k]);
    if (ferror(stdout)) written();
  }
  written();
  return 0;
}
