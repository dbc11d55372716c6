"""Pair mirror: tests made by this maker, in a fixed order, the same on every run. tests()
returns (name, input text) pairs.

Wrong approaches a contestant may try, and what kills each (submissions/<verdict>/NAME.cpp):
- The rule misread: a palindrome of letters (char_palindrome), only the first letter of each
  block (first_letters), the innermost pair never compared (inner_pair): the examples,
  "near-mirrors".
- State carried between words: a verdict flag set once for all words (stale_flag): the
  examples. A word read with getline after the count (getline_words): the examples.
- Fixed buffers: the length kept in an unsigned char, so a word of 256 letters counts as empty
  (byte_length): "long-words"; a read cut at 511 letters, the rest read as the next word
  (width_limited): "hash-collisions", "deep-changes", "largest".
- Word comparison by hashing: a polynomial hash modulo 2^64 (unsigned overflow) of the word
  against the word with its blocks in reverse order (poly_hash, odd base 131): "hash-collisions",
  Thue-Morse words whose blocks ab/ba spell a Thue-Morse sequence of odd order, whose reverse is
  its complement, and the hash of a Thue-Morse word equals its complement's modulo 2^64 for
  every odd base once the word has 2^11 blocks. An even base keeps only the last 64 letters:
  "deep-changes", long mirrors with one letter changed far from both ends.
- Word comparison by a key that is not one-to-one: each block packed into a byte, four bits a
  letter, so aq and ba collide (nibble_key): "weak-keys", near-mirrors whose one unequal pair
  of blocks has the same letter sum, the same letters, the same packed key (4 or 5 bits), the
  same xor, or two blocks of one half swapped.
- Quadratic work on long words: recursion on substrings, each level copying the rest of the
  word (time_limit_exceeded/substr_recursion): "largest", 1900 words of 10000 letters.
- Work proportional to the limit, not to the word: a buffer of 10^6 bytes cleared for every
  word (time_limit_exceeded/clear_buffer): "largest" and "short-words" (500000 and 100000
  words).
- Not at these limits: a flush after every word (500000 flushes take about 0.25 s); a fixed
  4 MB read is met by "largest" (20.5 MB) but needs an input too large for a submission's
  header, so no such submission is kept.
"""

import random

LETTERS = "abcdefghijklmnopqrstuvwxyz"
LONGEST = 510  # the longest word both solvers take: these tests are cross-checked
MAX_LEN = 10000  # the longest word of the problem
MAX_WORDS = 500000
MAX_LETTERS = 20000000
_TO_LETTER = bytes(97 + b % 26 for b in range(256))


def letters(rng, n):
    """n random letters (nearly uniform), fast: one draw of bytes."""
    return rng.randbytes(n).translate(_TO_LETTER).decode()


def block_reverse(w):
    """w with its two-letter blocks in reverse order, each block's letters kept."""
    r = w[::-1].encode()
    out = bytearray(len(r))
    out[0::2], out[1::2] = r[1::2], r[0::2]
    return out.decode()


def mirror(rng, k):
    """A pair mirror of k random blocks."""
    half = letters(rng, 2 * ((k + 1) // 2))
    return half + block_reverse(half[:2 * (k // 2)])


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


def thue_morse(order):
    """The Thue-Morse sequence of 2^order bits."""
    t = [0]
    for _ in range(order):
        t += [1 - x for x in t]
    return t


def hash_collisions():
    """Words whose blocks follow the Thue-Morse sequence, two blocks standing for its bits.
    Of odd order (2^11 blocks: 4096 letters, 2^13: 16384 is too long) the reversed block
    sequence is the complement: No, yet a polynomial hash modulo 2^64 with any odd base gives
    the word and its block reverse one value. Of even order the sequence is a palindrome: Yes.
    The bit blocks: ab and ba (the word then spells Thue-Morse in letters), other pairs, and a
    common prefix and suffix around it."""
    words = []
    pairs = [("ab", "ba"), ("ba", "ab"), ("yz", "zy"), ("aa", "bb"), ("ab", "cd"), ("qz", "az"),
             ("za", "zb")]
    for order in (11, 12, 10):
        t = thue_morse(order)
        for zero, one in pairs:
            words.append("".join(one if x else zero for x in t))
    t = thue_morse(11)
    # the same inside a mirror frame: the frame's blocks match, the inner part does not
    inner = "".join("ba" if x else "ab" for x in t)
    words.append("xy" * 100 + inner + "xy" * 100)
    words.append("cd" * 1000 + inner + "cd" * 1000)
    assert all(len(w) <= MAX_LEN for w in words)
    return words


def deep_changes(rng, count):
    """Mirrors of 10000 letters, most with one letter changed at least 64 letters from both
    ends (a hash with an even base sees only the last 64), near the middle or anywhere."""
    words = []
    for i in range(count):
        w = mirror(rng, MAX_LEN // 2)
        if i % 5:
            pos = rng.choice([rng.randint(4900, 5099), rng.randint(64, MAX_LEN - 65)])
            w = spoil(rng, w, pos)
        words.append(w)
    return words


def _weak_keys():
    """For each weak key of a block, the blocks grouped by its value (groups of two or more)."""
    keys = {
        "letter sum": lambda a, b: a + b,
        "same letters": lambda a, b: (min(a, b), max(a, b)),
        "four bits a letter": lambda a, b: (a << 4 | b) & 0xFF,
        "four bits, added": lambda a, b: a * 16 + b,
        "ten a letter": lambda a, b: a * 10 + b,
        "xor": lambda a, b: a ^ b,
    }
    groups = {}
    for name, key in keys.items():
        by = {}
        for a in range(26):
            for b in range(26):
                by.setdefault(key(a, b), []).append(LETTERS[a] + LETTERS[b])
        groups[name] = [g for g in by.values() if len(g) > 1]
    return groups


def weak_keys(rng, count):
    """Near-mirrors whose one unequal pair of partner blocks collides under a weak key, words
    with two blocks of one half swapped (the same multiset of blocks), and mirrors."""
    groups = _weak_keys()
    names = sorted(groups)
    words = []
    for i in range(count):
        k = rng.choice([2, 3, 4, rng.randint(2, 40), rng.randint(2, LONGEST // 2)])
        w = mirror(rng, k)
        blocks = [w[j:j + 2] for j in range(0, 2 * k, 2)]
        kind = i % 4
        pair = rng.randrange(k // 2)  # block `pair` and its partner k - 1 - pair
        if kind < 2:  # the partner replaced by another block of the same key
            group = rng.choice(groups[names[i // 4 % len(names)]])
            a, b = rng.sample(group, 2)
            blocks[pair], blocks[k - 1 - pair] = a, b
        elif kind == 2 and k >= 4:  # two blocks of the back half swapped
            x, y = rng.sample(range(k - k // 2, k), 2)
            if blocks[x] == blocks[y]:
                blocks[x] = "zq" if blocks[x] != "zq" else "qz"
            blocks[x], blocks[y] = blocks[y], blocks[x]
        words.append("".join(blocks))
    return words


def largest(rng):
    """The most words and the most letters at once: 1900 words of 10000 letters (mostly
    mirrors, so a check that stops at the first difference runs through) and 1900 words of 4
    letters at random places among 496200 words of 2 letters: 500000 words, 20000000
    letters."""
    long_count = 1900
    short_letters = MAX_LETTERS - long_count * MAX_LEN
    fours = short_letters // 2 - (MAX_WORDS - long_count)  # 2 letters more than the rest
    pool = letters(rng, short_letters)
    special = [pool[i:i + 4] for i in range(0, 4 * fours, 4)]
    special = [w[:2] * 2 if i % 2 else w for i, w in enumerate(special)]  # half mirrors
    for i in range(long_count):
        w = mirror(rng, MAX_LEN // 2)
        special.append(w if i % 10 else spoil(rng, w, rng.randint(4990, 5009)))
    rng.shuffle(special)
    twos = [pool[i:i + 2] for i in range(4 * fours, short_letters, 2)]
    words, at = [], 0
    for w, place in zip(special, sorted(rng.sample(range(len(twos) + 1), len(special)))):
        words += twos[at:place]
        words.append(w)
        at = place
    words += twos[at:]
    assert len(words) == MAX_WORDS and sum(map(len, words)) == MAX_LETTERS
    return words


def text(words):
    return f"{len(words)}\n" + "".join(w + "\n" for w in words)


def tests():
    rng = random.Random(14)
    out = [("one-block", text(["zy"]))]  # the smallest file: T = 1, one word of 2 letters
    # Shortest words: every two-letter word is a mirror; four letters: half are.
    short = []
    for _ in range(100000):
        if rng.random() < 0.3:
            short.append("".join(rng.choices(LETTERS, k=2)))
        else:
            short.append(near(rng, 2))
    out.append(("short-words", text(short)))
    # Long words both solvers take, and the lengths around 256 (a byte's range).
    long = []
    for _ in range(2400):
        k = rng.choice([LONGEST // 2, LONGEST // 2, 128, 127, 129, 255])
        long.append(near(rng, k))
    out.append(("long-words", text(long)))
    # Every length, each word a mirror or one letter away from one.
    out.append(("near-mirrors", text([near(rng, rng.randint(1, LONGEST // 2))
                                      for _ in range(4000)])))
    out.append(("weak-keys", text(weak_keys(rng, 20000))))
    out.append(("hash-collisions", text(hash_collisions())))
    out.append(("deep-changes", text(deep_changes(rng, 100))))
    out.append(("largest", text(largest(rng))))
    return out
