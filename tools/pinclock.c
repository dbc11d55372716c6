/* Test tooling: preloaded into a generator, makes time() return the value of $PINNED_TIME
 * (seconds), so that a clock-seeded generator writes a reproducible file. Without the
 * variable it stops the process: a test must never fall back to the real clock. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

time_t time(time_t *t) {
  const char *s = getenv("PINNED_TIME");
  char *end;
  long long v;
  if (!s || !*s) {
    fputs("pinclock: PINNED_TIME is not set\n", stderr);
    abort();
  }
  v = strtoll(s, &end, 10);
  if (*end) {
    fputs("pinclock: PINNED_TIME is not a whole number\n", stderr);
    abort();
  }
  if (t) *t = (time_t)v;
  return (time_t)v;
}
