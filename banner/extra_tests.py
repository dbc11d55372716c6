"""Extra tests of Banner digits: many cases of every length from 1 to 9 digits, made the same
way on every run. tests() returns (name, input text) pairs in a fixed order."""

import random


def tests():
    rng = random.Random(14003)
    words = []
    for _ in range(6000):
        n = rng.choice([1, 9, rng.randint(1, 9)])
        words.append("".join(rng.choice("0123456789") for _ in range(n)))
    # and a file of no cases, the case count's lower end: nothing to draw
    return [("many", f"{len(words)}\n" + "".join(w + "\n" for w in words)), ("no-cases", "0\n")]
