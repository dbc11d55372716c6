"""Extra tests of Shuttle ride, made the same way on every run. tests() returns (name, input
text) pairs in a fixed order.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/NAME.cpp):
- Walking and riding confused: always riding (always_ride), riding the whole way with no
  walking (no_walking), n / k rounded down (floor_groups): the worked examples and "many".
- A loop where a formula is needed: counting the groups k walkers at a time, up to 10^9 passes
  a case (time_limit_exceeded/count_groups), or walking through the walkers one by one
  (time_limit_exceeded/walker_loop, slow even when one group takes everybody): "corners", whose
  cases put n = 10^9 with k = 1 and with k = 10^9.
- Single precision: all of it in float (single_precision): the examples; only the group count
  through a float, exact up to 2^24 (float_groups): "corners", n = 16777217 = 2^24 + 1 with
  k = 1, l = 10^9, vw = 1, vs = 10^9, where one group more moves the answer by 1.87.
- Too few bisection steps: 45 halvings of [0, l] leave 2.8e-5 of l = 10^9 (bisection_steps):
  "largest-answers", every case with l near 10^9 and vw near 1 (times up to 10^9).
- Too few digits printed: ten significant digits, no fixed decimals (significant_digits): any
  answer of 10^4 and more, "largest-answers" above all.
- A fixed line buffer: a line read into 64 bytes, shorter than the longest line of 72
  characters (line_buffer): "longest-lines" and "corners".
- Not applicable at these limits: overflow in n + k - 1 (at most 1999999999, inside 32 bits);
  a flush after every case (100000 flushes cost a tenth of a second, no time-out); a fixed 4 MB
  input buffer is met by "longest-lines" (7.3 MB) but needs an input too large for a
  submission's header, so no such submission is kept.
"""

import random

MAX = 1000000000


def _int(rng, lo, hi):
    """A whole number from lo to hi (hi - lo below 2^53): one fast draw, not randint."""
    return lo + int(rng.random() * (hi - lo + 1))


def _dec(rng, lo, hi, places=6):
    """A number from lo to hi (whole numbers) in canonical form, with up to `places` decimals."""
    v = _int(rng, lo * 10**places, hi * 10**places)
    whole, frac = divmod(v, 10**places)
    frac = f"{frac:0{places}d}".rstrip("0")
    return f"{whole}.{frac}" if frac else str(whole)


def _long(rng, lo, hi):
    """A number from lo to below hi with exactly six decimals, the last one nonzero (one draw:
    this makes the largest file)."""
    v = _int(rng, lo * 10**6, hi * 10**6 - 1)
    v += v % 10 == 0
    return f"{v // 10**6}.{v % 10**6:06d}"


def _real(rng, lo, hi):
    """A number from lo to hi in plain decimal form: an integer, or up to three decimals."""
    if rng.random() < 2 / 3:
        return str(_int(rng, lo, hi))
    return f"{_int(rng, lo, hi - 1)}.{_int(rng, 1, 999):03d}".rstrip("0")


def _file(lines):
    return f"{len(lines)}\n" + "".join(line + "\n" for line in lines)


def corners():
    """Every combination of the extreme values: n and k at 1, 2, around 2^24 and 10^9; l at
    its ends; the speeds at their ends, equal, one a millionth apart, and the largest ratio."""
    ns = [1, 2, 16777216, 16777217, 999999999, MAX]
    ks = [1, 2, 16777217, MAX]
    ls = ["1", "1.000001", "999999999.999999", str(MAX)]
    speeds = [("1", "1"), ("1", "1.000001"), ("1.000001", "1"), ("1", "2"), ("1", str(MAX)),
              ("1", "999999999.999999"), (str(MAX), "1"), ("999999999.999999", str(MAX)),
              (str(MAX), str(MAX))]
    return [f"{n} {l} {vw} {vs} {k}" for n in ns for k in ks for l in ls for vw, vs in speeds]


def longest_lines(rng, count):
    """The most cases, each on the longest line: n and k of ten digits (10^9), three numbers
    of nine digits and six decimals: 72 characters. The shuttle is mostly the faster."""
    out = []
    for _ in range(count):
        a, b = _long(rng, 100000000, MAX), _long(rng, 100000000, MAX)
        if (a > b) == (rng.random() < 0.8):  # same length: text order is number order
            a, b = b, a
        out.append(f"{MAX} {_long(rng, 100000000, MAX)} {a} {b} {MAX}")
    return out


def largest_answers(rng, count):
    """The largest distances at the smallest walking speeds: times up to 10^9, groups from 1
    to 10^9, the shuttle from barely faster to 10^9."""
    out = []
    for _ in range(count):
        n = rng.choice([1, _int(rng, 1, 100), _int(rng, 1, MAX), MAX])
        k = rng.choice([1, 1, _int(rng, 1, n), n])
        l = rng.choice([str(MAX), _dec(rng, MAX - 1000, MAX - 1), _dec(rng, MAX // 2, MAX)])
        vw = rng.choice(["1", _dec(rng, 1, 2), _dec(rng, 1, 9)])
        vs = rng.choice([str(MAX), _dec(rng, 10, MAX), _dec(rng, 9, 99), vw])
        if rng.random() < 0.05:
            vs = "1"  # no faster than walking: everybody walks, 10^9 / vw
        out.append(f"{n} {l} {vw} {vs} {k}")
    return out


def many(rng, count):
    """Random cases over the whole range (one seat and more seats than walkers, equal speeds,
    walking faster, decimals)."""
    out = []
    for _ in range(count):
        n = rng.choice([1, 10000, _int(rng, 1, 100), _int(rng, 1, 10000)])
        k = rng.choice([1, n, _int(rng, 1, n), _int(rng, 1, 10000)])
        kind = _int(rng, 0, 9)
        l = _real(rng, 1, rng.choice([10, 1000, 1000000, MAX]))
        vw = _real(rng, 1, rng.choice([10, 1000, 1000000]))
        if kind == 0:
            vs = vw  # equal speeds: everybody walks
        elif kind == 1:
            vs = _real(rng, 1, max(2, int(float(vw))))  # the shuttle no faster than walking
        else:
            w = int(float(vw))
            vs = _real(rng, w + 1, min(MAX, rng.choice([10, 10000, MAX]) + w))
        out.append(f"{n} {l} {vw} {vs} {k}")
    return out


def tests():
    rng = random.Random(14006)
    return [
        ("one-case", _file([f"{MAX} 999999999.999999 1 999999999.999999 1"])),  # T = 1, g = 10^9
        ("corners", _file(corners())),
        ("longest-lines", _file(longest_lines(rng, 100000))),
        ("largest-answers", _file(largest_answers(rng, 20000))),
        ("many", _file(many(rng, 20000))),
    ]
