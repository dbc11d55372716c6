"""Constant answer: tests made by this maker, in a fixed order, the same on every run. tests()
returns (name, input text) pairs.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/<name>):
- the answer with a second line (wrong_answer/extra_line), without its line end
  (wrong_answer/no_newline), with a blank after it (wrong_answer/trailing_blank), as a real
  number (wrong_answer/real_number): every test; the first is the sample.
- the answer taken from the input, the first number squared (wrong_answer/reads_input): the
  sample, and `single-number`.
- the answer written once for every number instead of once (wrong_answer/per_number): the
  sample, and `most-numbers`.
There is nothing to compute, so no approach is slow; `most-numbers` holds the most numbers a
file may, each the largest, for a program that reads them all anyway.
"""

import random

T_MAX = 100000
N_MAX = 1000000000


def tests():
    rng = random.Random(12)
    most = [N_MAX] * (T_MAX // 2) + [rng.randint(1, N_MAX) for _ in range(T_MAX // 2)]
    rng.shuffle(most)
    return [
        ("single-number", "1\n1\n"),
        ("most-numbers", f"{T_MAX}\n" + "".join(f"{n}\n" for n in most)),
    ]
