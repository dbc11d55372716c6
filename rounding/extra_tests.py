"""Extra tests of Grade rounding, made the same way on every run: the smallest file, numbers
without an integer part or without a fraction, numbers of the greatest length (200006
characters) with long chains, carries and tails, and the most cases a file holds. tests()
returns (name, input text) pairs in a fixed order.

Wrong approaches a contestant may try, and the test that kills each (the submission that
stands for it in submissions/):
- Rounding once and stopping, never going on along a chain of fours: the worked example
  (wrong_answer/round_once).
- The integer part carried in a 64-bit number: the example of carries, longest-integer
  (wrong_answer/long_integer_part).
- Trailing zeros stripped from a number without a point too: the worked example (120 stays
  120), long-tails (wrong_answer/strip_integer_zeros).
- The place of the point kept from the case before: the worked example, many-short
  (wrong_answer/stale_point).
- A number with an empty integer part written with a 0 in front (".1" as "0.1"), or a bare
  point: empty-parts, with .1, .0, .05, .45 under every count (wrong_answer/empty_integer_part;
  .5 alone, rounded to 1, does not show it).
- A point assumed in every number: the worked example, 120 (run_time_error/assumes_point).
- Every rounding step searching again from the point for the first digit of 5 or more,
  O(length^2) on a long chain of fours: longest-chain (time_limit_exceeded/rescan).
- Trailing zeros trimmed one at a time by copying the number, O(length^2) on a long tail of
  zeros: long-tails (time_limit_exceeded/trim_by_copy).
- The number's buffer cleared over its whole capacity for every case: many-short, a million
  cases (time_limit_exceeded/clear_every_case).
- A carry through the nines of the integer part made by rebuilding the number, O(length^2) on
  a long run of nines: chain-and-carry, longest-integer, long-tails.
- m in 32 bits counted past its end (m + 1 or a step count that wraps): the counts 2147483647
  and 2147483646 in empty-parts, longest-chain and many-short.
- A buffer one short of 200006 characters and its terminator: every longest-* test.
- One fixed read of 4 MB that is never refilled: many-short's input is about 8 MB
  (wrong_answer/read_once).
"""

import random

L = 200006         # the longest number
M = 2147483647     # the largest count
T_MAX = 1000000    # the most cases in a file
SUM = 4000000      # the most characters of all numbers of a file


def _file(cases):
    """The file of these (m, number) cases, each on two lines."""
    return f"{len(cases)}\n" + "".join(f"{m}\n{num}\n" for m, num in cases)


def _empty_parts():
    """Numbers that begin with the point or end with it, under counts from 0 to the largest."""
    fronts = [".0", ".00", ".000", ".1", ".10", ".5", ".50", ".05", ".45", ".445", ".4445",
              ".49", ".9", ".95", ".99", ".04", ".0449", ".4", ".44", ".01", ".001", ".0005",
              ".4449", ".0045"]
    ends = ["0.", "7.", "9.", "99.", "00.", "007.", "10.", "100.", "4.", "5."]
    return [(m, num) for num in fronts + ends for m in (0, 1, 2, 3, M - 1, M)]


def _long_tails():
    """Numbers of the greatest length with long tails of zeros and of nines, long runs of
    zeros and nines before the point, SUM characters in all."""
    half = 100000
    cases = [
        (0, "1." + "0" * (L - 2)),                     # 1
        (0, "1.5" + "0" * (L - 3)),                    # 1.5
        (M, "." + "0" * (L - 1)),                      # 0
        (M, "." + "4" * (L - 2) + "5"),                # 1: the carry lands before the point
        (1, "0.4" + "9" * (L - 3)),                    # 0.5
        (2, "0.4" + "9" * (L - 3)),                    # 1
        (1, "0." + "9" * (L - 2)),                     # 1
        (1, "." + "9" * (L - 1)),                      # 1
        (1, "9" * half + "." + "9" * (L - half - 1)),  # 1 and 100000 zeros
        (0, "1" + "0" * (L - 1)),                      # no point: written back whole
        (3, "0." + "1" * half + "0" * (L - half - 2)),
        (M, "0." + "4" * half + "0" * (L - half - 2)),  # nothing from 5 up: only the tail goes
        (1, "0." + "0" * (L - 3) + "5"),               # 0.00...01
        (M, "0." + "0" * (L - 3) + "5"),               # the same: a 1 does not go on
        (1, "0" * (L - 2) + ".5"),                     # leading zeros stay, the last becomes 1
        (M, "0" * (L - 1) + "."),                      # zeros and a bare point
        (0, ".9" + "0" * (L - 2)),                     # .9
        (M - 1, "9" * (L - 2) + ".4"),                 # nothing to round, nothing to trim
        (2, "12.44" + "0" * (L - 6) + "5"),            # one rounding at the end: 12.440...01
    ]
    used = sum(len(num) for _, num in cases)
    # the last one fills the file up to SUM characters: a tail of zeros behind a chain
    rest = SUM - used
    cases.append((M, "3.1" + "4" * (rest // 2 - 3) + "5" + "0" * (rest - rest // 2 - 1)))
    assert sum(len(num) for _, num in cases) == SUM and all(len(n) <= L for _, n in cases)
    return cases


def _many_short(rng):
    """T_MAX short cases drawn from a pool of short numbers: chains, carries, trailing zeros,
    no point, a point first or last; counts from 0 up to the largest."""
    heads = ["", "0", "0", "9", "99", "1", "19", "09", "4", "7", "00"]
    tails = ["", "5", "45", "0", "50", "4", "9", "05", "445", "1", "00", "49"]
    pool = set()
    for h in heads:
        for t in tails:
            pool.add(h + "." + t)
            if h:
                pool.add(h + t)
    pool.discard(".")
    pool = sorted(pool)
    counts = [0, 0, 1, 1, 2, 3, 4, 9, M - 1, M]
    nums = rng.choices(pool, k=T_MAX)
    ms = rng.choices(counts, k=T_MAX)
    assert sum(map(len, nums)) <= SUM
    return list(zip(ms, nums))


def tests():
    rng = random.Random(14002)
    out = [("smallest", "1\n0\n7\n"),  # T = 1, m = 0, a number of one character
           ("empty-parts", _file(_empty_parts()))]
    # One chain of fours as long as it can be, and every step allowed: the answer is 1.
    out.append(("longest-chain", _file([(M, "0." + "4" * (L - 3) + "5")])))
    # The chain runs to the point and the carry runs through 100000 nines.
    chain = "9" * 100000 + "." + "4" * (L - 100002) + "5"
    out.append(("chain-and-carry", _file([(200000, chain), (100003, chain)])))
    # An integer part of 200004 digits: nines to carry through, then random digits.
    digits = "".join(rng.choices("0123456789", k=L - 3))
    out.append(("longest-integer", _file([(1, "9" * (L - 2) + ".5"), (1, f"1{digits}.7")])))
    # m = 0 on the longest number: only the trailing zeros and no point go; and the longest
    # number without a point, written back as it is.
    frac = "".join(rng.choices("0123456789", k=L - 1002 - 3)) + "1" + "0" * 1000
    out.append(("longest-unrounded", _file([(0, f"7.{frac}"), (M, f"{digits}990")])))
    out.append(("long-tails", _file(_long_tails())))
    out.append(("many-short", _file(_many_short(rng))))
    return out
