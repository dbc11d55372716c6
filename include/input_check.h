// input_check.h: the reading half of every input validator (<problem>/<validator>.cpp, the
// input_check its problem.toml names). A validator reads the whole of standard input and
// walks it strictly, item by item, exactly as the problem's format lays it out.
//
// The protocol. Valid: exit 42, after writing to stdout one line "NAME MIN MAX" for every named
// limit the file touched, the smallest and largest value seen (as written in the file; for a
// length or a total, the number). Invalid: exit 43 at the first violation, nothing on stdout
// and ONE stderr line "line L, column C: <what is wrong>" (lines and columns count from 1,
// columns in bytes). Exit 1: standard input could not be read.
//
// What every read accepts: items separated by exactly one blank, each line ended by "\n" (no
// CR), no blank at a line's start or end, no empty line; the blank and the line end are not
// read for you: call blank() and eol() where the format puts them. An item is the bytes up to a
// blank, a control byte or the end of the file. The first rule broken stops the validator at
// once (exit 43); where the message points is said per function below.
//
// The functions, all in namespace chk:
//   long long num(name, lo, hi, limit = true)
//       An integer in plain form: an optional '-', digits, no '+', no leading zero, no "-0";
//       from lo to hi. Fails at the item's first byte: "expected NAME, found a blank", "NAME:
//       '5x' is not an integer", "... has a leading zero", "NAME = 7 is outside 1..5". With
//       `limit` the value counts toward the limit NAME in the report.
//   double real(name, lo, hi, lo_open = false, limit = true)
//       A decimal in plain form: an optional '-', an integer part without leading zeros, then
//       optionally a point and at least one digit; no exponent, no "inf", no negative zero.
//       From lo (above lo when lo_open) to hi. Fails at the item's first byte.
//   long long word(what, name, lo, hi, alphabet, kind, limit = true)
//       An item of lo to hi bytes, each one of `alphabet` (`kind` says which in words, such as
//       "a digit"); returns its length, its text at buf + tok. A byte outside the alphabet
//       fails at that byte ("'x' is not a digit"), a length outside lo..hi at the item's first
//       byte ("NAME = 12 is outside 1..9"). With `limit` the length counts toward NAME.
//   void total(name, v, lo, hi)
//       A quantity the validator computes (the sum of n over the cases): checks lo <= v <= hi
//       and counts it toward the limit NAME. Call it once v is known; it fails at the byte read
//       next ("sum_n = 400001 is outside 1..400000").
//   void blank(), void eol()
//       Exactly one ' ', exactly one '\n'. Fail at that byte: "expected a line end, found a
//       blank", "... found a carriage return", "... found the end of the file".
//   void end()
//       Nothing may follow: fails at the first byte left ("expected the end of the file, found
//       '7'"). accept() calls it.
//   [[noreturn]] void accept()
//       The file is valid: end(), then the limits report on stdout, then exit 42.
//   [[noreturn]] void fail(fmt, ...)
//       A rule between items (a permutation, an order, a count that disagrees): the printf-style
//       message, placed at the first byte of the item read last.
//   [[noreturn]] void fail_at(at, fmt, ...)
//       The same, placed at byte `at` of the input (buf[at]; pos is the next byte to read).
// Below these, item() reads the next item, note() counts a value toward a limit, what_at() and
// shown() put a byte and the item read last into words. At most 16 named limits a validator;
// a read costs O(its length).
//
// The bounds come from the problem's [limits] in problem.toml, through the header
// problem_limits.h that the build writes: bound::NAME_min, bound::NAME_max (long long, or
// double where a bound is not whole) and bound::NAME_min_excluded. Report a limit under the
// name [limits] gives it, so that pset can tell which ends no test reaches.
//
// An example: T cases, each n on a line and then n values on a line.
//
//   #include "input_check.h"
//   #include "problem_limits.h"
//
//   int main() {
//     long long T = chk::num("T", bound::T_min, bound::T_max), sum = 0;
//     chk::eol();
//     while (T--) {
//       long long n = chk::num("n", bound::n_min, bound::n_max);
//       chk::eol();
//       for (long long i = 0; i < n; i++) {
//         if (i) chk::blank();
//         chk::num("value", bound::value_min, bound::value_max);
//       }
//       chk::eol();
//       sum += n;
//     }
//     chk::total("sum_n", sum, bound::sum_n_min, bound::sum_n_max);
//     chk::accept();
//   }
#ifndef INPUT_CHECK_H
#define INPUT_CHECK_H

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace chk {

inline char *buf;  // the whole input, with a 0 byte after it
inline size_t len; // its length
inline size_t pos; // the next byte to read
inline size_t tok; // where the item read last starts: fail() points there
inline bool loaded;

// A named limit: the smallest and largest value read under its name, and where their texts
// stand in the input (a word's length has no text: lo_n and hi_n are 0).
struct Limit {
  const char *name;
  double lo, hi;
  size_t lo_at, lo_n, hi_at, hi_n;
};
inline Limit lim[16];
inline int nlim;

inline void load() {
  if (loaded) return;
  loaded = true;
  size_t cap = 1 << 16, k;
  buf = (char *)malloc(cap + 1);
  while (buf && (k = fread(buf + len, 1, cap - len, stdin)) > 0)
    if ((len += k) == cap) buf = (char *)realloc(buf, (cap *= 2) + 1);
  if (!buf || ferror(stdin)) {
    fprintf(stderr, "cannot read standard input\n");
    exit(1); // neither valid nor invalid: the validator could not do its work
  }
  buf[len] = 0;
}

// Stops with the message, placed at byte `at` of the input.
[[noreturn]] inline void vfail_at(size_t at, const char *fmt, va_list ap) {
  long long line = 1;
  size_t start = 0;
  for (size_t i = 0; i < at && i < len; i++)
    if (buf[i] == '\n') line++, start = i + 1;
  fprintf(stderr, "line %lld, column %zu: ", line, at - start + 1);
  vfprintf(stderr, fmt, ap);
  fputc('\n', stderr);
  exit(43);
}

[[noreturn]] __attribute__((format(printf, 2, 3))) inline void fail_at(size_t at, const char *fmt,
                                                                       ...) {
  va_list ap;
  va_start(ap, fmt);
  vfail_at(at, fmt, ap);
}

// Stops with the message, placed at the start of the item read last (for rules between items).
[[noreturn]] __attribute__((format(printf, 1, 2))) inline void fail(const char *fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  vfail_at(tok, fmt, ap);
}

// The byte at `at` in words: "a blank", "a line end", "'x'", "the end of the file", ...
// The text lives in a static buffer, good until the next call.
inline const char *what_at(size_t at) {
  static char s[32];
  if (at >= len) return "the end of the file";
  unsigned char c = buf[at];
  if (c == ' ') return "a blank";
  if (c == '\n') return "a line end";
  if (c == '\r') return "a carriage return";
  if (c == '\t') return "a tab";
  if (c > 32 && c < 127)
    snprintf(s, sizeof s, "'%c'", c);
  else
    snprintf(s, sizeof s, "the byte 0x%02X", c);
  return s;
}

// The item read last, for a message: bytes past ASCII escaped, cut after 40 bytes.
inline const char *shown() {
  static char s[200];
  size_t k = 0;
  for (size_t i = tok; i < pos && i < tok + 40; i++) {
    unsigned char c = buf[i];
    if (c < 127)
      s[k++] = c;
    else
      k += snprintf(s + k, 8, "\\x%02X", c);
  }
  if (pos - tok > 40) s[k++] = '.', s[k++] = '.', s[k++] = '.';
  s[k] = 0;
  return s;
}

// The next item: the bytes from `pos` up to a blank, a control byte or the end of the file.
// Returns its length; it starts at `tok`.
inline size_t item(const char *what) {
  load();
  tok = pos;
  while (pos < len && (unsigned char)buf[pos] > 32 && buf[pos] != 127) pos++;
  if (pos == tok) fail_at(tok, "expected %s, found %s", what, what_at(tok));
  return pos - tok;
}

// Counts a value toward the named limit; its text is the item read last (text false: none).
inline void note(const char *name, double v, bool text) {
  int i = 0;
  while (i < nlim && lim[i].name != name && strcmp(lim[i].name, name)) i++;
  Limit &l = lim[i];
  size_t n = text ? pos - tok : 0;
  if (i == nlim) {
    if (nlim == 16) fail_at(tok, "too many named limits"); // a validator's own fault
    nlim++;
    l = {name, v, v, tok, n, tok, n};
  }
  if (v < l.lo) l.lo = v, l.lo_at = tok, l.lo_n = n;
  if (v > l.hi) l.hi = v, l.hi_at = tok, l.hi_n = n;
}

// Reads an integer in plain form (no '+', no leading zero, no "-0") from lo to hi. With
// `limit` the value counts toward the named limit `name` in the report.
inline long long num(const char *name, long long lo, long long hi, bool limit = true) {
  size_t n = item(name);
  const char *s = buf + tok;
  bool neg = s[0] == '-';
  if (n == (size_t)neg) fail_at(tok, "%s: '%s' is not an integer", name, shown());
  for (size_t i = neg; i < n; i++)
    if (s[i] < '0' || s[i] > '9') {
      if (s[0] == '+') fail_at(tok, "%s: '%s' has a '+' sign", name, shown());
      fail_at(tok, "%s: '%s' is not an integer", name, shown());
    }
  if (n - neg > 1 && s[neg] == '0') fail_at(tok, "%s: '%s' has a leading zero", name, shown());
  if (neg && n == 2 && s[1] == '0') fail_at(tok, "%s: '-0' is a negative zero", name);
  // Past 18 digits the value is out of any bound a validator sets.
  long long v = 0;
  bool big = n - neg > 18;
  for (size_t i = neg; i < n && !big; i++) v = v * 10 + (s[i] - '0');
  if (neg) v = -v;
  if (big || v < lo || v > hi) fail_at(tok, "%s = %s is outside %lld..%lld", name, shown(), lo, hi);
  if (limit) note(name, (double)v, true);
  return v;
}

// Reads a decimal number in plain form: an optional '-', an integer part without leading
// zeros, an optional point followed by at least one digit; no exponent, no negative zero. It
// lies from lo to hi, or above lo when lo_open.
inline double real(const char *name, double lo, double hi, bool lo_open = false,
                   bool limit = true) {
  size_t n = item(name);
  const char *s = buf + tok;
  size_t i = s[0] == '-', int_start = i;
  while (i < n && s[i] >= '0' && s[i] <= '9') i++;
  size_t int_len = i - int_start, frac_len = 0;
  bool point = i < n && s[i] == '.';
  if (point)
    for (i++; i < n && s[i] >= '0' && s[i] <= '9'; i++) frac_len++;
  if (i < n || int_len == 0 || (point && frac_len == 0))
    fail_at(tok, "%s: '%s' is not a decimal number in plain form", name, shown());
  if (int_len > 1 && s[int_start] == '0')
    fail_at(tok, "%s: '%s' has a leading zero", name, shown());
  bool zero = true;
  for (size_t j = int_start; j < n; j++) zero &= s[j] == '0' || s[j] == '.';
  if (s[0] == '-' && zero) fail_at(tok, "%s: '%s' is a negative zero", name, shown());
  double v = strtod(s, nullptr); // stops at the item's end: a blank, a control byte or the 0
  if (!(lo_open ? v > lo : v >= lo) || !(v <= hi))
    fail_at(tok, "%s = %s is outside %.17g..%.17g%s", name, shown(), lo, hi,
            lo_open ? " (the lower bound excluded)" : "");
  if (limit) note(name, v, true);
  return v;
}

// Reads a word (`what`, as "a word" in a message) of lo to hi bytes, each one of `alphabet`
// (one of them is `kind`, as "a digit"). Returns its length; it starts at buf + tok. With
// `limit` the length counts toward the named limit `name`.
inline long long word(const char *what, const char *name, long long lo, long long hi,
                      const char *alphabet, const char *kind, bool limit = true) {
  long long n = item(what);
  static const char *last; // the alphabet of `allowed`, kept from the call before
  static bool allowed[256];
  if (alphabet != last) {
    memset(allowed, 0, sizeof allowed);
    for (const char *p = alphabet; *p; p++) allowed[(unsigned char)*p] = true;
    last = alphabet;
  }
  for (size_t i = tok; i < pos; i++)
    if (!allowed[(unsigned char)buf[i]]) fail_at(i, "%s is not %s", what_at(i), kind);
  if (n < lo || n > hi) fail_at(tok, "%s = %lld is outside %lld..%lld", name, n, lo, hi);
  if (limit) note(name, (double)n, false);
  return n;
}

// Counts a quantity the validator computes (a total over the file, such as the sum of the
// case sizes) toward the named limit `name`, checking that it lies from lo to hi; a value
// outside stops at the byte read next. Call it once the quantity is known.
inline void total(const char *name, long long v, long long lo, long long hi) {
  load();
  if (v < lo || v > hi) fail_at(pos, "%s = %lld is outside %lld..%lld", name, v, lo, hi);
  size_t at = tok;
  tok = pos;
  note(name, (double)v, false);
  tok = at;
}

inline void expect(char c, const char *what) {
  load();
  if (pos < len && buf[pos] == c) {
    pos++;
    return;
  }
  fail_at(pos, "expected %s, found %s", what, what_at(pos));
}

inline void blank() { expect(' ', "a blank"); }
inline void eol() { expect('\n', "a line end"); }

// Nothing may follow.
inline void end() {
  load();
  if (pos < len) fail_at(pos, "expected the end of the file, found %s", what_at(pos));
}

// The file is valid: the limits report on stdout, then status 42.
[[noreturn]] inline void accept() {
  end();
  for (int i = 0; i < nlim; i++) {
    Limit &l = lim[i];
    if (l.lo_n)
      printf("%s %.*s %.*s\n", l.name, (int)l.lo_n, buf + l.lo_at, (int)l.hi_n, buf + l.hi_at);
    else
      printf("%s %.0f %.0f\n", l.name, l.lo, l.hi);
  }
  fflush(stdout);
  exit(42);
}

} // namespace chk

#endif
