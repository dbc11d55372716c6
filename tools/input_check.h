// input_check.h: the reading half of every input validator (<problem>_input_check.cpp).
// A validator reads the whole of standard input and walks it strictly: items where the format
// puts them, one blank between items, every line ended by "\n", plain integers within bounds,
// nothing after the last case. The first violation prints ONE stderr line
//   line L, column C: <what is wrong>
// (columns count bytes from 1) and exits 43. An accepted file exits 42 after writing to stdout,
// for every named limit it met, the line "NAME MIN MAX": the smallest and largest value seen.
// Usage: chk::num("n", 1, 100000) reads an integer, chk::blank() / chk::eol() / chk::end() the
// separators, chk::accept() at the end. Every read costs O(length of the item).
#ifndef INPUT_CHECK_H
#define INPUT_CHECK_H

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace chk {

inline std::string buf; // the whole input
inline size_t pos;      // the next byte to read
inline size_t tok;      // where the item read last starts: fail() points there
inline bool loaded;

// One named limit: the smallest and largest value read under its name, as numbers and as the
// text they were written in (reals keep their digits).
struct Limit {
  const char *name;
  double lo, hi;
  std::string lo_text, hi_text;
};
inline std::vector<Limit> limits;

inline void load() {
  if (loaded) return;
  loaded = true;
  char b[1 << 16];
  size_t k;
  while ((k = fread(b, 1, sizeof b, stdin)) > 0) buf.append(b, k);
  if (ferror(stdin)) {
    fprintf(stderr, "cannot read standard input\n");
    exit(1); // neither valid nor invalid: the validator could not do its work
  }
}

// Stops with the message, placed at byte `at` of the input.
[[noreturn]] inline void vfail_at(size_t at, const char *fmt, va_list ap) {
  long long line = 1;
  size_t start = 0;
  for (size_t i = 0; i < at && i < buf.size(); i++)
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
inline std::string what_at(size_t at) {
  if (at >= buf.size()) return "the end of the file";
  unsigned char c = buf[at];
  if (c == ' ') return "a blank";
  if (c == '\n') return "a line end";
  if (c == '\r') return "a carriage return";
  if (c == '\t') return "a tab";
  char s[32];
  if (c > 32 && c < 127)
    snprintf(s, sizeof s, "'%c'", c);
  else
    snprintf(s, sizeof s, "the byte 0x%02X", c);
  return s;
}

// An item: the bytes from `pos` up to a blank, a control byte or the end of the file.
inline bool item_byte(unsigned char c) { return c > 32 && c != 127; }

inline std::string_view item(const char *what) {
  load();
  tok = pos;
  while (pos < buf.size() && item_byte(buf[pos])) pos++;
  if (pos == tok) fail_at(tok, "expected %s, found %s", what, what_at(tok).c_str());
  return std::string_view(buf).substr(tok, pos - tok);
}

// An item for a message: printable, and cut when long.
inline std::string shown(std::string_view s) {
  std::string r;
  for (size_t i = 0; i < s.size() && i < 40; i++) {
    unsigned char c = s[i];
    if (c < 127)
      r += (char)c;
    else {
      char h[8];
      snprintf(h, sizeof h, "\\x%02X", c);
      r += h;
    }
  }
  if (s.size() > 40) r += "...";
  return r;
}

inline void note(const char *name, double v, std::string_view text) {
  for (auto &l : limits)
    if (l.name == name || strcmp(l.name, name) == 0) {
      if (v < l.lo) l.lo = v, l.lo_text = text;
      if (v > l.hi) l.hi = v, l.hi_text = text;
      return;
    }
  limits.push_back({name, v, v, std::string(text), std::string(text)});
}

// Reads an integer in plain form (no '+', no leading zero, no "-0") from lo to hi. With
// `limit` the value counts toward the named limit `name` in the report.
inline long long num(const char *name, long long lo, long long hi, bool limit = true) {
  std::string_view s = item(name);
  bool neg = s[0] == '-';
  std::string_view d = s.substr(neg);
  if (d.empty()) fail_at(tok, "%s: '%s' is not an integer", name, shown(s).c_str());
  for (char c : d)
    if (c < '0' || c > '9') {
      if (s[0] == '+') fail_at(tok, "%s: '%s' has a '+' sign", name, shown(s).c_str());
      fail_at(tok, "%s: '%s' is not an integer", name, shown(s).c_str());
    }
  if (d.size() > 1 && d[0] == '0')
    fail_at(tok, "%s: '%s' has a leading zero", name, shown(s).c_str());
  if (neg && d == "0") fail_at(tok, "%s: '-0' is a negative zero", name);
  // Past 18 digits the value is out of any bound a validator sets.
  long long v = 0;
  bool big = d.size() > 18;
  if (!big)
    for (char c : d) v = v * 10 + (c - '0');
  if (neg) v = -v;
  if (big || v < lo || v > hi)
    fail_at(tok, "%s = %s is outside %lld..%lld", name, shown(s).c_str(), lo, hi);
  if (limit) note(name, (double)v, s);
  return v;
}

// Reads a decimal number in plain form: an optional '-', an integer part without leading
// zeros, an optional point followed by at least one digit; no exponent, no negative zero. It
// must lie from lo to hi, or above lo when lo_open.
inline double real(const char *name, double lo, double hi, bool lo_open = false,
                   bool limit = true) {
  std::string_view s = item(name);
  size_t i = s[0] == '-';
  size_t int_start = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') i++;
  size_t int_len = i - int_start;
  size_t frac_len = 0;
  bool point = i < s.size() && s[i] == '.';
  if (point) {
    i++;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') i++, frac_len++;
  }
  if (i < s.size() || int_len == 0 || (point && frac_len == 0))
    fail_at(tok, "%s: '%s' is not a decimal number in plain form", name, shown(s).c_str());
  if (int_len > 1 && s[int_start] == '0')
    fail_at(tok, "%s: '%s' has a leading zero", name, shown(s).c_str());
  double v = strtod(buf.c_str() + tok, nullptr); // stops at the item's end: a blank or control
  if (s[0] == '-' && v == 0 && s.find_first_not_of("-0.") == std::string_view::npos)
    fail_at(tok, "%s: '%s' is a negative zero", name, shown(s).c_str());
  if (!(lo_open ? v > lo : v >= lo) || !(v <= hi))
    fail_at(tok, "%s = %s is outside %.17g..%.17g%s", name, shown(s).c_str(), lo, hi,
            lo_open ? " (the lower bound excluded)" : "");
  if (limit) note(name, v, s);
  return v;
}

// Reads a word (`what`, as "a word" in a message) of lo to hi bytes, each one of `alphabet`
// (one of them is `kind`, as "a digit"). With `limit` the length counts toward the named limit
// `name`.
inline std::string_view word(const char *what, const char *name, long long lo, long long hi,
                             const char *alphabet, const char *kind, bool limit = true) {
  std::string_view s = item(what);
  bool allowed[256] = {};
  for (const char *p = alphabet; *p; p++) allowed[(unsigned char)*p] = true;
  for (size_t i = 0; i < s.size(); i++)
    if (!allowed[(unsigned char)s[i]])
      fail_at(tok + i, "%s is not %s", what_at(tok + i).c_str(), kind);
  long long n = s.size();
  if (n < lo || n > hi) fail_at(tok, "%s = %lld is outside %lld..%lld", name, n, lo, hi);
  if (limit) {
    char t[24];
    snprintf(t, sizeof t, "%lld", n);
    note(name, (double)n, t);
  }
  return s;
}

inline void expect(char c, const char *what) {
  load();
  if (pos < buf.size() && buf[pos] == c) {
    pos++;
    return;
  }
  fail_at(pos, "expected %s, found %s", what, what_at(pos).c_str());
}

inline void blank() { expect(' ', "a blank"); }
inline void eol() { expect('\n', "a line end"); }

// Nothing may follow.
inline void end() {
  load();
  if (pos < buf.size())
    fail_at(pos, "expected the end of the file, found %s", what_at(pos).c_str());
}

// The file is valid: the limits report on stdout, then status 42.
[[noreturn]] inline void accept() {
  end();
  for (auto &l : limits) printf("%s %s %s\n", l.name, l.lo_text.c_str(), l.hi_text.c_str());
  fflush(stdout);
  exit(42);
}

} // namespace chk

#endif
