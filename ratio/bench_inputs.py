"""Benchmark inputs for Ratio product (see tools/bench.py)."""


def inputs():
    largest = "1000000\n" + "1000\n" * 1000000
    mixed = "1000000\n" + "".join(f"{q % 1000 + 1}\n" for q in range(1000000))
    rows = []
    for prog in ("ratio_solver", "ratio_solver_stream"):
        rows += [(prog, "1 query, n = 1000", "1\n1000\n"),
                 (prog, "1000000 queries, n = 1000", largest),
                 (prog, "1000000 queries, n = 1..1000", mixed)]
    return rows
