"""Extra tests of Segment demolition, made the same way on every run: the smallest file, the
largest cases and the most cases the limits allow. tests() returns (name, input text) pairs in
a fixed order.

Wrong approaches a contestant may try, and the test that kills each (the submission that
stands for it in submissions/):
- Run sums in 32 bits: max-sum, whose first answer is 99998999900001 (wrong_answer/int_sums;
  the examples keep every sum small).
- A dead neighbour told from a live one by its sum, so runs of zeros never join: the example
  of zeros, max-sum's chain case (wrong_answer/zero_as_dead).
- The sum of the run just rebuilt written instead of the largest alive: the worked example
  (wrong_answer/last_run_only).
- State kept from one case to the next (a border of a longer case left live): the examples of
  zeros and of a case after a larger one, many-small (wrong_answer/stale_border).
- Live flags without room for the border n+1: smallest, n = 1 (run_time_error/border_missing).
- The whole row rescanned after every destruction, O(n^2) a case: max-sum
  (time_limit_exceeded/rescan).
- Every run rescanned when the largest run is hit, fast on a single run but quadratic when
  every second position falls first and each fall hits the largest run: max-sum's two
  alternating cases, values falling along the order (time_limit_exceeded/rescan_largest).
- Tables of the capacity cleared for every case, O(100000) a case: many-small, 200000 cases of
  one to three positions (time_limit_exceeded/clear_every_case).
- Recursion as deep as a run (a union-find without path compression or a recursive walk): the
  chain order n, 1, n-1, ..., 2 in max-sum, whose last revival meets a chain of n - 2 links.
- A line read into a buffer of 10^6 bytes: max-sum's first values line has 999999 characters
  and its line end (wrong_answer/line_buffer).
- One fixed read of 4 MB that is never refilled: max-sum's input is about 5 MB
  (wrong_answer/read_once).
"""

import random

N = 100000
V = 999999999
SUM_N = 400000
T_MAX = 200000


def _case(values, order):
    return f"{len(values)}\n{' '.join(map(str, values))}\n{' '.join(map(str, order))}\n"


def _file(cases):
    return f"{len(cases)}\n" + "".join(cases)


def _max_sum(rng):
    """Four cases of the largest n, SUM_N positions in all."""
    evens, odds = list(range(2, N + 1, 2)), list(range(1, N + 1, 2))
    cases = [
        # Every value at its largest, destroyed left to right: the first answer is
        # 99998999900001, and the reverse pass revives right to left, one long chain of joins.
        _case([V] * N, list(range(1, N + 1))),
        # Every second position first, then the others, left to right; the values fall from
        # the left, so every destruction hits the largest run: first the run right of it,
        # then the largest single value left.
        _case([V - i for i in range(N)], evens + odds),
        # The mirror image: odd positions first from the right, then the even ones from the
        # right, values rising from the left.
        _case(list(range(1, N + 1)), odds[::-1] + evens[::-1]),
        # Destroyed n, 1, n-1, n-2, ..., 2: the revivals build one chain that the last joins
        # whole; a third of the values are 0, so runs of zeros join too.
        _case([rng.choice([0, rng.randint(0, 99)]) if i % 3 else 0 for i in range(N)],
              [N, 1] + list(range(N - 1, 1, -1))),
    ]
    assert len(cases) * N == SUM_N
    return _file(cases)


def _many_small(rng):
    """T_MAX cases of one to three positions, lengths mixed so that a case often follows a
    longer one; values small and often 0, now and then the largest."""
    orders = {1: ["1"], 2: ["1 2", "2 1"], 3: ["1 2 3", "1 3 2", "2 1 3", "2 3 1", "3 1 2", "3 2 1"]}
    ns = rng.choices([1, 1, 2, 2, 3], k=T_MAX)
    assert sum(ns) <= SUM_N
    values = iter(rng.choices(["0", "0", "1", "5", "9", str(V)], k=sum(ns)))
    picks = rng.choices(range(6), k=T_MAX)
    cases = []
    for n, pick in zip(ns, picks):
        vals = " ".join(next(values) for _ in range(n))
        cases.append(f"{n}\n{vals}\n{orders[n][pick % len(orders[n])]}\n")
    return _file(cases)


def tests():
    rng = random.Random(14001)
    return [
        ("smallest", "1\n1\n0\n1\n"),  # T = 1, n = 1, value 0: one line, 0
        ("max-sum", _max_sum(rng)),
        ("many-small", _many_small(rng)),
    ]
