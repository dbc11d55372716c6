"""Ratio product: tests made by this maker, in a fixed order, the same on every run. tests()
returns (name, input text) pairs.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/<name>):
- the table in float (wrong_answer/float_table), ten significant digits instead of ten decimals
  (wrong_answer/significant_digits), numerator and denominator multiplied out apart until they
  overflow (wrong_answer/two_products), a table one entry short (wrong_answer/table_999): the
  examples.
- the product multiplied out again for every query (time_limit_exceeded/recompute_each), or
  summed as logarithms for every query (time_limit_exceeded/log_sum): `most-queries`, 1000000
  queries of n from 500 to 1000, half of them 1000 (log_sum already on `many-queries`).
- a fixed 4 MB input buffer read once (time_limit_exceeded/read_once, whose reader then spins):
  `most-queries`, 4.5 MB.
- a fixed output buffer: `most-queries` writes 13 MB of answers (wrong_answer/output_buffer).
- a flush after every query: not killed. It costs about 0.5 microseconds a query here, less
  than twice what the solvers themselves spend on a query (the printing of ten decimals), so
  it stays within twice the accepted solvers' time on every file, and a time limit derived
  from them cannot tell it apart.
"""

import random

T_MAX = 1000000


def tests():
    rng = random.Random(14)
    qs = list(range(1, 1001))
    qs += [rng.choice([1, 1000, rng.randint(1, 1000)]) for _ in range(100000 - len(qs))]
    rng.shuffle(qs)
    # every n once, then the large ones that cost a product recomputed per query the most,
    # half of them 1000, whose line is the longest
    most = list(range(1, 1001)) + [rng.choice([1000, rng.randint(500, 999)])
                                   for _ in range(20000)]
    rng.shuffle(most)
    body = "".join(f"{n}\n" for n in most)
    return [
        ("single-query", "1\n1\n"),
        ("many-queries", f"{len(qs)}\n" + "".join(f"{n}\n" for n in qs)),
        ("most-queries", f"{T_MAX}\n" + body * (T_MAX // len(most)) +
         "".join(f"{1000 - k % 7}\n" for k in range(T_MAX % len(most)))),
    ]
