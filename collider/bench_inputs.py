"""Benchmark inputs for Collider (see tools/bench.py): the generator alone."""


def inputs():
    return [("collider_cases", "generator (1 file)", None)]
