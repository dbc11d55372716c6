"""Benchmark inputs for Shuttle ride (see tools/bench.py): the solver on 50000 cases of numbers
up to 10^9 and on as many of the shortest cases, so that both files stay within the problem's
limits twice over (T at most 100000).

float_judge takes its two files as arguments: its rows carry a fourth item, the argument list,
and an empty standard input."""

import atexit
import os
import random
import shutil
import tempfile


CASES = 50000


def _many_large():
    rng = random.Random(1)
    rows = []
    for _ in range(CASES):
        n = rng.randint(1, 10**9)
        vw = rng.randint(1, 10**9 - 1)
        rows.append(f"{n} {rng.randint(1, 10**9)} {vw} {rng.randint(vw + 1, 10**9)} "
                    f"{rng.randint(1, n)}\n")
    return f"{CASES}\n" + "".join(rows)


def _many_small():
    # as many cases of the shortest text
    return f"{CASES}\n" + "1 1 1 2 1\n" * CASES


def _judge_files():
    """Two files of a million numbers that agree, in different layouts and decimals."""
    folder = tempfile.mkdtemp(prefix="bench_shuttle_")
    atexit.register(shutil.rmtree, folder, ignore_errors=True)
    rng = random.Random(2)
    xs = [rng.uniform(0, 1e6) for _ in range(1000000)]
    a, b = os.path.join(folder, "expected"), os.path.join(folder, "answers")
    with open(a, "w") as fh:
        fh.write("".join(f"{x:.10f}\n" for x in xs))
    with open(b, "w") as fh:
        fh.write(" ".join(f"{x:.8f}" for x in xs) + "\n")
    return a, b


def inputs():
    big = _many_large()
    a, b = _judge_files()
    return [
        ("shuttle_solver", f"{CASES} cases, numbers to 1e9", big),
        ("shuttle_solver", f"{CASES} shortest cases", _many_small()),
        ("float_judge", "2 files of 1000000 numbers", "", [a, b]),
    ]
