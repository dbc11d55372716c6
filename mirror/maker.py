"""Pair mirror: small random cases for stress runs, and how a file splits into cases, joins
back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is one line: a word of lower-case letters of even length 2..256. max_size bounds the
word's length (256, a byte's range, is reached from max_size 256 on). Besides mirrors, words
one letter or one turned block away from one, letter palindromes and words of one letter, it
puts two different blocks that a weak key takes for equal (the same letters, the same letter
sum, the same value packed four bits a letter, the same xor) in a pair of partners.
"""

from psetlib.shrink import sublists

MAX_LEN = 256
LETTERS = "abcdefghijklmnopqrstuvwxyz"


def _collisions():
    """Groups of two or more blocks that one weak key takes for equal."""
    keys = (lambda a, b: (min(a, b), max(a, b)), lambda a, b: a + b,
            lambda a, b: (a << 4 | b) & 0xFF, lambda a, b: a ^ b)
    groups = []
    for key in keys:
        by = {}
        for a in range(26):
            for b in range(26):
                by.setdefault(key(a, b), []).append(LETTERS[a] + LETTERS[b])
        groups += [g for g in by.values() if len(g) > 1]
    return groups


COLLISIONS = _collisions()


def _word(rng, size):
    r = rng.random()
    k = 1 if r < 0.2 else size // 2 if r < 0.35 else round((size // 2) ** rng.random())  # blocks
    letters = rng.choice(("ab", "abc", "abcdefghijklmnopqrstuvwxyz"))
    front = [rng.choice(letters) + rng.choice(letters) for _ in range((k + 1) // 2)]
    blocks = front + front[:k // 2][::-1]  # a pair mirror
    kind = rng.randrange(6)
    if kind == 0:  # one letter rewritten
        i = rng.randrange(2 * k)
        word = list("".join(blocks))
        word[i] = rng.choice(letters)
        return "".join(word)
    if kind == 1:  # a palindrome of letters, which is no pair mirror unless its blocks match
        half = "".join(blocks)[:k]
        return half + half[::-1]
    if kind == 2 and k >= 2:  # one block turned round
        i = rng.randrange(k)
        blocks[i] = blocks[i][::-1]
    if kind == 3:  # one letter throughout
        return letters[0] * (2 * k)
    if kind == 5 and k >= 2:  # a pair of partners that a weak key takes for equal
        i = rng.randrange(k // 2)
        blocks[i], blocks[k - 1 - i] = rng.sample(rng.choice(COLLISIONS), 2)
    return "".join(blocks)


def make(rng, cases, max_size):
    size = max(2, min(max_size, MAX_LEN))
    return f"{cases}\n" + "".join(_word(rng, size) + "\n" for _ in range(cases))


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or int(lines[0]) != len(lines) - 2:
        raise ValueError("not a mirror file: the count and the lines disagree")
    return [line + "\n" for line in lines[1:-1]]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    word = case.strip()
    blocks = [word[i:i + 2] for i in range(0, len(word), 2)]
    k = len(blocks)
    for j in range((k - 1) // 2, 0, -1):  # as many blocks taken off each end
        yield "".join(blocks[j:k - j]) + "\n"
    for keep in sublists(blocks, 1):  # fewer blocks
        yield "".join(keep) + "\n"
    for ch in sorted(set(word), reverse=True):  # every one of a letter at once: mirrors stay
        for c in sorted({"a", chr((ord(ch) + ord("a")) // 2), chr(ord(ch) - 1)}):
            if "a" <= c < ch and word.count(ch) > 1:
                yield word.replace(ch, c) + "\n"
    for i, ch in enumerate(word):  # letters nearer "a"
        for c in sorted({"a", chr((ord(ch) + ord("a")) // 2), chr(ord(ch) - 1)}):
            if "a" <= c < ch:
                yield word[:i] + c + word[i + 1:] + "\n"
