"""Benchmark inputs for Pair mirror (see tools/bench.py): each solver on words of its largest
length (10000 and 510 letters) and on words of 40 letters, about 10 MB a file, so that every
file stays within the problem's limits twice over (at most 500000 words, 20000000 letters)."""


def _words(length, count):
    """`count` copies of a pair mirror of `length` letters, so that every block is compared."""
    h = length // 2
    front = [chr(97 + k % 26) + chr(97 + k * 7 % 26) for k in range((h + 1) // 2)]
    word = "".join(front + front[:h // 2][::-1])
    return f"{count}\n" + (word + "\n") * count


def inputs():
    small = _words(40, 250000)
    return [
        ("mirror_solver", "1000 words of 10000 letters", _words(10000, 1000)),
        ("mirror_solver", "250000 words of 40 letters", small),
        ("mirror_solver_scan", "19600 words of 510 letters", _words(510, 19600)),
        ("mirror_solver_scan", "250000 words of 40 letters", small),
        ("mirror_cases", "generator (1 file)", None),
    ]
