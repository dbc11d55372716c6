"""Grade rounding: small random cases for stress runs, and how a file splits into cases, joins
back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is two lines, m (0..2147483647) and the number, as the generator writes them (split and
shrink also take the two on one line, "m number", as the worked example has them). The number
is digits with at most one point and at least one digit: leading zeros, trailing zeros after
the point, a point at the end, a point at the start and numbers of nothing but zeros come up,
and counts at 0 and next to 2147483647. max_size bounds the digits before the point and those
after it.
"""

from psetlib.shrink import sublists, towards

MAX_M = 2147483647


def _fraction(rng, size):
    """Digits after the point: runs of fours closed by 5..9 (chains of roundings), low digits,
    nines, any digits; sometimes trailing zeros."""
    length = round(size ** rng.random())
    out = []
    while len(out) < length:
        r = rng.randrange(6)
        if r == 0:
            out += ["4"] * rng.randint(0, length) + [str(rng.randint(5, 9))]
        elif r == 1:
            out.append(str(rng.randint(0, 4)))
        elif r == 2:
            out.append(rng.choice("59"))
        else:
            out.append(str(rng.randint(0, 9)))
    out = out[:length]
    if rng.random() < 0.2:
        zeros = rng.randint(1, length)
        out[length - zeros:] = ["0"] * zeros
    return "".join(out)


def _integer(rng, size):
    r = rng.randrange(6)
    if r == 0:
        return "0"
    if r == 1:  # all nines: a carry into a new leading digit
        return "9" * round(size ** rng.random())
    if r == 2 and size >= 2:  # leading zeros stay
        k = max(2, round(size ** rng.random()))
        zeros = rng.randint(1, k - 1)
        return "0" * zeros + "".join(rng.choice("0123456789") for _ in range(k - zeros))
    k = round(size ** rng.random())
    return str(rng.randint(1, 9)) + "".join(rng.choice("0123456789") for _ in range(k - 1))


def _number(rng, size):
    r = rng.random()
    if r < 0.15:
        return _integer(rng, size)  # no point: written back as it is
    if r < 0.25:
        return _integer(rng, size) + "."  # an empty fraction
    if r < 0.35:
        return "." + _fraction(rng, size)  # an empty integer part
    if r < 0.4:  # nothing but zeros around the point, either side possibly empty
        a = rng.randint(0, size)
        return "0" * a + "." + "0" * rng.randint(0 if a else 1, size)
    return _integer(rng, size) + "." + _fraction(rng, size)


def _m(rng, number):
    r = rng.random()
    if r < 0.15:
        return 0
    if r < 0.45:
        return rng.randint(1, 3)
    if r < 0.8:
        return rng.randint(0, len(number) + 1)
    if r < 0.9:
        return rng.choice((MAX_M - 1, MAX_M, MAX_M))  # the count's end and next to it
    return rng.randint(0, MAX_M)


def make(rng, cases, max_size):
    size = max(1, max_size)
    out = [f"{cases}\n"]
    for _ in range(cases):
        number = _number(rng, size)
        out.append(f"{_m(rng, number)}\n{number}\n")
    return "".join(out)


def split(text):
    lines = text.split("\n")
    count = int(lines[0])
    if lines[-1] == "" and len(lines) - 2 == 2 * count:  # m and the number on lines of their own
        return [lines[i] + "\n" + lines[i + 1] + "\n" for i in range(1, len(lines) - 1, 2)]
    if lines[-1] == "" and len(lines) - 2 == count:  # both on one line
        return [line + "\n" for line in lines[1:-1]]
    raise ValueError("not a rounding file: the count and the lines disagree")


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def shrink(case):
    m, number = case.split()
    m = int(m)
    ip, point, fp = number.partition(".")
    sep = " " if " " in case else "\n"  # the case's own layout

    def num(i, p, f):
        return f"{m}{sep}{i}{p}{f}\n"

    for w in towards(m, 0):
        yield f"{w}{sep}{number}\n"
    if point and ip:  # drop the fraction, point and all
        yield num(ip, "", "")
    if point and not ip:  # drop the point at the start
        yield num(fp, "", "")
    for keep in sublists(list(fp), 0 if ip else 1):  # fewer digits after the point
        yield num(ip, point, "".join(keep))
    if ip:
        for keep in sublists(list(ip), 1):  # fewer digits before it
            yield num("".join(keep), point, fp)
    for part in ("ip", "fp"):  # smaller digits
        digits = ip if part == "ip" else fp
        for i, d in enumerate(digits):
            for e in towards(int(d), 0):
                new = digits[:i] + str(e) + digits[i + 1:]
                yield num(new, point, fp) if part == "ip" else num(ip, point, new)
