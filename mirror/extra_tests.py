"""Pair mirror: tests made by this maker, in a fixed order, the same on every run: words at
the shortest and longest lengths, and near-mirrors that differ from a pair mirror in one
letter only, so that a check that skips some letters or some blocks is caught."""

import random

LETTERS = "abcdefghijklmnopqrstuvwxyz"
LONGEST = 510  # the longest word both solvers take


def mirror(rng, k):
    """A pair mirror of k random blocks."""
    half = "".join(rng.choices(LETTERS, k=2 * ((k + 1) // 2)))
    front = [half[i:i + 2] for i in range(0, len(half), 2)]
    return "".join(front + front[:k // 2][::-1])


def spoil(rng, w, pos):
    """w with the letter at pos replaced by another one."""
    return w[:pos] + rng.choice(LETTERS.replace(w[pos], "")) + w[pos + 1:]


def near(rng, k):
    """A mirror of k blocks, or the same with one letter changed outside the middle block
    (so the answer is No): in the first or second letter of a block, outer, inner or
    anywhere."""
    w = mirror(rng, k)
    if k == 1 or rng.random() < 0.3:
        return w
    n = 2 * k
    where = rng.choice(["outer", "inner", "any"])
    if where == "outer":
        block = rng.choice([0, k - 1])
    elif where == "inner":
        block = rng.choice([(k - 1) // 2, k // 2]) if k % 2 == 0 else rng.choice(
            [k // 2 - 1, k // 2 + 1])
    else:
        block = rng.randrange(k)
        while k % 2 == 1 and block == k // 2:
            block = rng.randrange(k)
    assert 0 <= block < k and 2 * block + 1 < n
    return spoil(rng, w, 2 * block + rng.randrange(2))


def text(words):
    return f"{len(words)}\n" + "".join(w + "\n" for w in words)


def tests():
    rng = random.Random(14)
    out = []
    # Shortest words: every two-letter word is a mirror; four letters: half are.
    short = []
    for _ in range(100000):
        if rng.random() < 0.3:
            short.append("".join(rng.choices(LETTERS, k=2)))
        else:
            short.append(near(rng, 2))
    out.append(("short-words", text(short)))
    # Longest words, and the lengths around 256 (a byte's range).
    long = []
    for _ in range(2400):
        k = rng.choice([LONGEST // 2, LONGEST // 2, 128, 127, 129, 255])
        long.append(near(rng, k))
    out.append(("long-words", text(long)))
    # Every length, each word a mirror or one letter away from one.
    out.append(("near-mirrors", text([near(rng, rng.randint(1, LONGEST // 2))
                                      for _ in range(4000)])))
    out.append(("no-words", "0\n"))
    return out
