"""Local extrema: tests made by this maker, in a fixed order, the same on every run.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/<name>):
- comparisons that are not strict, plateaus counted (wrong_answer/non_strict): the examples.
- a stale slot past the sequence read as a neighbour (wrong_answer/last_position), -1 taken for
  "no value" (wrong_answer/minus_one), n = 0 read as a huge unsigned length
  (run_time_error/empty_sequence): the examples.
- overflow near the largest values: the product of the two differences in 32 bits
  (wrong_answer/product_sign): 02-values and `wide-values`; the differences themselves in 32
  bits (wrong_answer/difference_sign), right by luck where both overflow: `wide-values`.
- state between cases, a longer case's tail seen by a shorter one: `most-cases`, where cases of
  0 to 3 values follow cases of 107.
- a fixed line buffer one byte short of the longest line, 107 values of 11 characters
  (wrong_answer/line_buffer): `longest-lines`, where every line is 1287 characters long.
- a fixed 4 MB input buffer read once and never refilled (time_limit_exceeded/read_once, whose
  reader then spins; a reader that stops instead gets the answers wrong): `longest-lines`
  (6 MB) and `most-cases` (7 MB).
- a flush after every case (time_limit_exceeded/flush_each): `most-cases`, 3000000 cases, a
  write to the system each, about five times the reference's time.
- a large table cleared for every case (time_limit_exceeded/clear_table): `most-cases`.
- a fixed output buffer: `most-cases` writes 6 MB of answers (wrong_answer/output_buffer).
"""

import random

LO, HI = -2147483648, 2147483647
NMAX = 107
SUM_N = 500000  # the most values a file may hold, all its cases together
T_MAX = 3000000


def sequence(rng, n):
    kind = rng.randrange(4)
    if kind == 0:  # anywhere in the 32-bit range
        return [rng.randint(LO, HI) for _ in range(n)]
    if kind == 1:  # the extremes in turn, now and then twice the same
        return [rng.choice([LO, HI, HI - 1, LO + 1, 0, -1]) for _ in range(n)]
    if kind == 2:  # far apart values whose differences' product passes 32 bits
        return [rng.choice([-1, 1]) * rng.randint(46341, 1 << 30) for _ in range(n)]
    # a walk with flat stretches around -1 and 0
    v, out = rng.randint(-3, 3), []
    for _ in range(n):
        v += rng.choice([-1, 0, 0, 1])
        out.append(v)
    return out


def line(values):
    return " ".join(map(str, [len(values)] + values)) + "\n"


def text(cases):
    return f"{len(cases)}\n" + "".join(line(c) for c in cases)


def longest_lines(rng):
    """SUM_N values in lines of 107, each value of 11 characters (-1000000000 and below), so
    every line is as long as a line may be: 1287 characters. Plateaus now and then."""
    pool = [str(rng.randint(LO, -1000000000)) for _ in range(4000)] + [str(LO)] * 40
    lines = []
    left = SUM_N
    while left:
        n = min(NMAX, left)
        vals = rng.choices(pool, k=n)
        if rng.random() < 0.2:  # a run of one value
            i = rng.randrange(n)
            vals[i:i + 5] = [vals[i]] * len(vals[i:i + 5])
        lines.append(f"{n} {' '.join(vals)}\n")
        left -= n
    return f"{len(lines)}\n" + "".join(lines)


def most_cases(rng):
    """T_MAX cases, most of them empty sequences: in each block of 3000 cases one zigzag of
    107 values between the 32-bit extremes (the largest answer, 105), 31 cases of three small
    values and 2968 empty sequences, in a shuffled order. Ten blocks, each repeated 100
    times."""
    blocks = []
    for _ in range(10):
        first, second = rng.choice([(LO, HI), (HI, LO)])
        zig = line([(first, second)[i % 2] for i in range(NMAX)])
        small = [line([rng.randint(-3, 3) for _ in range(3)]) for _ in range(31)]
        cases = [zig] + small + ["0\n"] * (3000 - 32)
        rng.shuffle(cases)
        blocks.append("".join(cases))
    return f"{T_MAX}\n" + "".join(blocks) * (T_MAX // 3000 // len(blocks))


def tests():
    rng = random.Random(14)
    return [
        ("single-case", "1\n0\n"),
        ("wide-values", text([sequence(rng, NMAX) for _ in range(1600)])),
        ("many-short", text([[rng.randint(-3, 3) for _ in range(rng.randint(0, 3))]
                             for _ in range(100000)])),
        ("longest-lines", longest_lines(rng)),
        ("most-cases", most_cases(rng)),
    ]
