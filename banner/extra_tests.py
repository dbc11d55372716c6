"""Extra tests of Banner digits, made the same way on every run: the smallest file, every digit
at every place, strings of every length, and the most cases of the longest strings. tests()
returns (name, input text) pairs in a fixed order.

Wrong approaches a contestant may try, and the test that kills each (the submission that
stands for it in submissions/):
- A glyph row mistyped: the sample, which draws every digit (wrong_answer/glyph_typo).
- Trailing spaces trimmed from the rows: the sample (wrong_answer/trim_trailing).
- The empty line written after every banner, the last too: the sample
  (wrong_answer/blank_after_each).
- The string read as a number, losing its leading zeros: the sample, 007
  (wrong_answer/read_as_number).
- A row built in a buffer of 71 bytes, one short of the 71 characters of a nine-digit row and
  its terminator: the sample, 012345678 (wrong_answer/short_row_buffer).
- The whole answer gathered with strcat, which walks the text gathered so far at every row,
  O(answer^2): max, 20 MB of answers (time_limit_exceeded/strcat_output).
- Standard output unbuffered (a template for interactive problems), one write a character:
  max, 20 million characters (time_limit_exceeded/unbuffered_output).
- A fixed output buffer of 16 MB (1 << 24) or less: max, whose answer is 20 MB
  (wrong_answer/output_buffer).
- A string buffer of 9 bytes, one short of nine digits and the terminator: every-place, max.
"""

import random

T_MAX = 40000


def _file(words):
    return f"{len(words)}\n" + "".join(w + "\n" for w in words)


def _every_place():
    """Each digit at each of the nine places, each length from 1 to 9, zeros throughout."""
    words = [str(d) * 9 for d in range(10)]
    words += [("0123456789" * 2)[i:i + 9] for i in range(10)]
    words += ["9876543210"[:k] for k in range(1, 10)]
    words += ["0", "00", "000000000", "000000001", "100000000"]
    return _file(words)


def tests():
    rng = random.Random(14003)
    mixed = []
    for _ in range(6000):
        n = rng.choice([1, 9, rng.randint(1, 9)])
        mixed.append("".join(rng.choice("0123456789") for _ in range(n)))
    # the most cases, each of nine digits: the longest rows, the largest answer
    longest = [f"{rng.randrange(10**9):09d}" for _ in range(T_MAX)]
    return [
        ("smallest", "1\n8\n"),  # T = 1, one digit: seven rows of 7 characters
        ("every-place", _every_place()),
        ("many-lengths", _file(mixed)),
        ("max", _file(longest)),
    ]
