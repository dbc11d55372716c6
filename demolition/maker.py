"""Segment demolition: small random cases for stress runs, and how a file splits into cases,
joins back and shrinks (see docs/pset.md, "Small random cases and shrinking").

A case is three lines: n (1..100000); the n values (0..999999999, the generator's range); the
n destruction positions, a permutation of 1..n. max_size bounds n.
"""

from psetlib.shrink import sublists, towards

MAX_N = 100000
MAX_V = 999999999


def _values(rng, n):
    kind = rng.randrange(7)
    if kind == 0:
        return [0] * n
    if kind == 1:  # one value throughout
        return [rng.choice((1, 7, MAX_V))] * n
    if kind == 2:  # small values: ties and zeros everywhere
        return [rng.randint(0, 3) for _ in range(n)]
    if kind == 3:  # the ends of the range and next to them: sums past 32 bits from three on
        return [rng.choice((0, 1, MAX_V - 1, MAX_V, MAX_V)) for _ in range(n)]
    if kind == 4:  # a long run of one value in random ones
        vals = [rng.randint(0, 99) for _ in range(n)]
        a = rng.randrange(n)
        b = rng.randint(a, n)
        vals[a:b] = [rng.randint(0, 99)] * (b - a)
        return vals
    top = rng.choice((9, 1000, MAX_V))
    return [rng.randint(0, top) for _ in range(n)]


def _order(rng, n):
    kind = rng.randrange(7)
    order = list(range(1, n + 1))
    if kind == 0:
        return order
    if kind == 1:
        return order[::-1]
    if kind == 2 and n >= 3:  # n, 1, n-1, ..., 2: revivals that build one long chain
        return [n, 1] + list(range(n - 1, 1, -1))
    if kind == 3:  # from the middle outwards
        return sorted(order, key=lambda p: (abs(2 * p - n - 1), p))
    if kind == 4:  # every second position first, then the others, either way round
        odd = rng.randrange(2)  # 0: the odd positions first, 1: the even ones
        first, rest = order[odd::2], order[1 - odd::2]
        if rng.randrange(2):
            first, rest = first[::-1], rest[::-1]
        return first + rest
    rng.shuffle(order)
    return order


def _case(vals, order):
    return f"{len(vals)}\n{' '.join(map(str, vals))}\n{' '.join(map(str, order))}\n"


def make(rng, cases, max_size):
    top = max(1, min(max_size, MAX_N))
    out = [f"{cases}\n"]
    for _ in range(cases):
        r = rng.random()  # n: 1, 2 and the largest often, else spread on a log scale
        n = 1 if r < 0.15 else min(2, top) if r < 0.25 else top if r < 0.35 else \
            round(top ** rng.random())
        out.append(_case(_values(rng, n), _order(rng, n)))
    return "".join(out)


def split(text):
    lines = text.split("\n")
    if lines[-1] != "" or (len(lines) - 2) % 3 or int(lines[0]) != (len(lines) - 2) // 3:
        raise ValueError("not a demolition file: the count and the lines disagree")
    return ["\n".join(lines[i:i + 3]) + "\n" for i in range(1, len(lines) - 1, 3)]


def join(cases):
    return f"{len(cases)}\n" + "".join(cases)


def _parse(case):
    n, vals, order = case.split("\n")[:3]
    return list(map(int, vals.split())), list(map(int, order.split()))


def shrink(case):
    vals, order = _parse(case)
    n = len(vals)
    # Fewer positions: the survivors keep their values and their order, renumbered.
    for keep in sublists(list(range(1, n + 1)), 1):
        new = {p: i + 1 for i, p in enumerate(keep)}
        yield _case([vals[p - 1] for p in keep], [new[p] for p in order if p in new])
    # Smaller values: all at once to 0, then one by one towards 0.
    if n > 1 and any(vals):
        yield _case([0] * n, order)
    for v in sorted(set(vals), reverse=True):  # every one of a value at once: ties stay ties
        if vals.count(v) > 1:
            for w in towards(v, 0):
                yield _case([w if x == v else x for x in vals], order)
    for i, v in enumerate(vals):
        for w in towards(v, 0):
            yield _case(vals[:i] + [w] + vals[i + 1:], order)
    # A plainer order: positions in increasing order, or one inversion fewer.
    if order != sorted(order):
        yield _case(vals, sorted(order))
    for i in range(n - 1):
        if order[i] > order[i + 1]:
            yield _case(vals, order[:i] + [order[i + 1], order[i]] + order[i + 2:])
