"""Trend: tests made by this maker, in a fixed order, the same on every run. tests() returns
(name, input text) pairs.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/<name>):
- only the last two values looked at, the turns at 1 and 30 forgotten
  (wrong_answer/ends_ignored); one value compared with a stale or zero neighbour
  (wrong_answer/no_single_case); a single value always "No Response"
  (wrong_answer/single_no_response); "No response" misspelt (wrong_answer/response_case): the
  examples.
- state between cases, the value before the last kept from the case before
  (wrong_answer/stale_before): the examples, and `most-cases`, where single values follow
  cases of every kind in a shuffled order.
- a fixed line buffer of 512 bytes, where a line of 201 values takes up to 551 characters
  (wrong_answer/line_buffer): `longest-lines`, every line 551 characters long.
- a large table cleared for every case (time_limit_exceeded/clear_table): `many` and
  `most-cases`.
- answers gathered by copying the whole output for every case, quadratic in its size
  (time_limit_exceeded/quadratic_output): `most-cases`, 1000000 answers, 7 MB.
- a fixed 4 MB input buffer, a fixed output buffer: `most-cases` reads 7 MB and writes 7 MB.
- a flush after every case: not killed. It costs about 0.5 microseconds of system time a case
  here, 0.5 s for the most cases a file may hold, within the time limit; a file of cases
  enough to pass it (3 million, 30 MB with its answers) would be beyond the package's budget.
"""

import random

T_MAX = 1000000
SUM_N = 2000000  # the most values a file may hold, all its cases together
N_MAX = 201


def _at(p):
    """The cycle's value at step p: 1 at step 0, 30 at step 29, 2 at step 57."""
    p %= 58
    return 1 + p if p <= 29 else 59 - p


def _window(last, n, backwards):
    """n values of the cycle ending at step `last`, or read backwards from it."""
    if backwards:
        return [_at(last + n - 1 - i) for i in range(n)]
    return [_at(last - n + 1 + i) for i in range(n)]


def _case(vals):
    return f"{len(vals)}\n{' '.join(map(str, vals))}\n"


def _run(start, d, n):
    c, out = start, []
    for _ in range(n):
        out.append(c)
        if c in (1, 30):
            d = -d
        c += d
    return out


# Windows of 201 values whose line is as long as a line may be: 551 characters.
LONGEST = [(last, back) for last in range(58) for back in (False, True)
           if len(" ".join(map(str, _window(last, N_MAX, back)))) == 551]


def _longest(rng):
    last, back = rng.choice(LONGEST)
    return _case(_window(last, N_MAX, back))


def many(rng):
    cases = []
    for _ in range(4000):
        n = rng.choice([1, 2, 3, 201, rng.randint(1, 201)])
        start = rng.randint(1, 30)
        # a direction that moves away from an end, as the cycle does
        d = -1 if start == 1 else 1 if start == 30 else rng.choice([1, -1])
        cases.append(_case(_run(start, d, n)))
    return f"{len(cases)}\n" + "".join(cases)


def longest_lines(rng):
    cases = [_longest(rng) for _ in range(4000)]
    return f"{len(cases)}\n" + "".join(cases)


def most_cases(rng):
    """T_MAX cases holding SUM_N values: in each block of 1000 cases, 597 single values (1, 30
    and values inside), 400 pairs and 3 runs of 201 values, shuffled. Ten blocks, each
    repeated 100 times."""
    blocks = []
    for _ in range(10):
        cases = [_case([rng.choice((1, 30, rng.randint(2, 29)))]) for _ in range(597)]
        cases += [_case(_window(rng.randrange(58), 2, rng.random() < 0.5)) for _ in range(400)]
        cases += [_longest(rng) for _ in range(3)]
        rng.shuffle(cases)
        blocks.append("".join(cases))
    return f"{T_MAX}\n" + "".join(blocks) * (T_MAX // 1000 // len(blocks))


def tests():
    rng = random.Random(14004)
    return [
        ("single-case", "1\n1\n15\n"),
        ("many", many(rng)),
        ("longest-lines", longest_lines(rng)),
        ("most-cases", most_cases(rng)),
    ]
