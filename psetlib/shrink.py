"""Shrinking a failing input to a small one that fails the same way, and the helpers that the
problems' makers (`<problem>/maker.py`) share to list smaller variants of a case.

    shrink(maker, text, fails, valid=None, budget_s=10.0, max_calls=4000) -> str

`maker` is a problem's maker module: split(text) gives the cases of a file, join(cases) makes
a file of them, shrink(case) lists smaller valid variants of one case, most aggressive first.
`fails(text)` checks one input and gives the kind of its failure ("WA", "RE", "TLE", ...) or
None when it passes; `valid(text)`, when given, vets a candidate before it is checked (the
problem's input validator). The result fails with the same kind as `text`.

1. Case by case: the shortest failing prefix of the file is found by bisection and its last
   case is tried alone.
2. When it does not fail alone (a fault that needs an earlier case, such as state left over),
   the fewest cases of that prefix that still fail with it, in their order (delta debugging).
3. Within the cases left: the maker's variants of each, taken greedily while the input still
   fails the same way; then each case is tried away once more.

Every variant taken must be smaller than the case it replaces by measure(), so the search
ends. The verdict of each text is remembered. For a deterministic `fails` the result is
deterministic, unless the search runs out of time (budget_s seconds) or checks (max_calls):
then it stops with the smallest failing input found so far.
"""

import hashlib
import itertools
import re
import time
from typing import Any, Callable, Iterator, Optional, Sequence, TypeVar

T = TypeVar("T")

_NUMBER = re.compile(r"-?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?")


def _token_key(tok: str) -> tuple[int, float, str]:
    if _NUMBER.fullmatch(tok):
        value = abs(float(tok))
        if value == value:  # NaN never orders
            return (0, value, tok)
    return (1, 0.0, tok)


def measure(text: str) -> tuple[int, int, tuple[tuple[int, float, str], ...]]:
    """How big an input is, to order candidates: its count of items, then its length in bytes,
    then its items in turn (a number by its magnitude, a word by its text). Smaller is
    simpler."""
    toks = text.split()
    return (len(toks), len(text), tuple(_token_key(t) for t in toks))


def sublists(items: Sequence[T], least: int = 0) -> Iterator[list[T]]:
    """Shorter lists of `items` kept in order, with at least `least` of them, most aggressive
    first: the fewest items kept (`least` of them, each single item alone while the list is
    short), then ever smaller chunks taken away (halves, quarters, ... single items; chunks are
    never smaller than 1/64 of a long list)."""
    n = len(items)
    seen = set()

    def fresh(keep: list[int]) -> bool:
        key = tuple(keep)
        if len(keep) < n and len(keep) >= least and key not in seen:
            seen.add(key)
            return True
        return False

    if least == 0 and fresh([]):
        yield []
    if least <= 1 < n <= 16:
        for i in range(n):
            if fresh([i]):
                yield [items[i]]
    size = n // 2
    while size >= 1:
        if n // size <= 64:
            for start in range(0, n, size):
                keep = [i for i in range(n) if not start <= i < start + size]
                if fresh(keep):
                    yield [items[i] for i in keep]
        size //= 2


def towards(value: int, target: int) -> list[int]:
    """Integers from `target` up to next to `value`, most aggressive first: the target, then
    value moved half the way, a quarter, an eighth, ... one step. Taking the first that helps
    again and again finds the smallest that helps in a few dozen steps, not one by one."""
    dist = abs(value - target)
    sign = 1 if value > target else -1
    out = [target] if dist else []
    step = dist // 2
    while step >= 1:
        out.append(value - sign * step)
        step //= 2
    return out


class _Search:
    """The verdicts of the candidates tried (each remembered by its digest) within the budget of
    time and checks."""

    def __init__(self, maker: Any, fails: Callable[[str], Optional[str]],
                 valid: Optional[Callable[[str], bool]], budget_s: float, max_calls: int) -> None:
        self.maker = maker
        self.fails = fails
        self.valid = valid
        self.deadline = time.monotonic() + budget_s
        self.max_calls = max_calls
        self.calls = 0
        self.memo: dict[bytes, Optional[str]] = {}
        self.kind: Optional[str] = None  # how the input fails

    def out_of_budget(self) -> bool:
        return self.calls >= self.max_calls or time.monotonic() > self.deadline

    @staticmethod
    def key(text: str) -> bytes:
        # a digest, not the text: the candidates of a large file would fill the memory
        return hashlib.sha256(text.encode()).digest()

    def start(self, text: str) -> Optional[str]:
        """The kind of failure of the input itself, taken as it is, valid or not."""
        self.calls += 1
        self.kind = self.memo[self.key(text)] = self.fails(text)
        return self.kind

    def verdict(self, text: str) -> Optional[str]:
        k = self.key(text)
        if k not in self.memo:
            if self.valid is not None and not self.valid(text):
                self.memo[k] = None
            else:
                self.calls += 1
                self.memo[k] = self.fails(text)
        return self.memo[k]

    def fails_alike(self, cases: list[str]) -> bool:
        return self.verdict(self.maker.join(cases)) == self.kind


def shrink(maker: Any, text: str, fails: Callable[[str], Optional[str]],
           valid: Optional[Callable[[str], bool]] = None, budget_s: float = 10.0,
           max_calls: int = 4000) -> str:
    """The smallest input found that fails like `text` (see the module's description)."""
    search = _Search(maker, fails, valid, budget_s, max_calls)
    if search.start(text) is None:
        return text
    try:
        cases = list(maker.split(text))
    except ValueError:
        return text
    if not cases:
        return text
    best = _failing_prefix(search, cases)
    if len(best) > 1:
        best = _ddmin(best[:-1], lambda cs: search.fails_alike(cs + best[-1:]),
                      search.out_of_budget) + best[-1:]
    return _smaller_cases(search, best)


def _failing_prefix(search: _Search, cases: list[str]) -> list[str]:
    """1. The shortest failing prefix (a failure usually stays once its case is in), found by
    bisection, or its last case alone when that fails alike."""
    lo, hi = 0, len(cases)  # the prefix of hi cases fails; we have not seen one of lo fail
    while hi - lo > 1 and not search.out_of_budget():
        mid = (lo + hi) // 2
        if search.fails_alike(cases[:mid]):
            hi = mid
        else:
            lo = mid
    best = cases[:hi]
    if len(best) > 1 and not search.out_of_budget() and search.fails_alike(best[-1:]):
        best = best[-1:]
    return best


def _smaller_cases(search: _Search, best: list[str]) -> str:
    """3. Smaller cases, then fewer once more, until neither helps. The other cases stay as
    they are, so a file is smaller than another exactly when its changed case is smaller than
    the one it replaces."""
    maker = search.maker
    current = maker.join(best)
    changed = True
    while changed and not search.out_of_budget():
        changed = False
        for i in range(len(best)):
            taken = _shrink_case(search, best, i)
            if taken is not None:
                best, current, changed = taken, maker.join(taken), True
        for i in range(len(best)):
            fewer = best[:i] + best[i + 1:]
            if len(best) > 1 and not search.out_of_budget() and search.fails_alike(fewer):
                best, current, changed = fewer, maker.join(fewer), True
                break
    return current


def _shrink_case(search: _Search, best: list[str], i: int) -> Optional[list[str]]:
    """The cases with case i replaced by smaller variants, one after another, while the input
    still fails alike; None when no variant helps. After a variant is taken, the next pass goes
    on from the same place in the new case's list, and comes round to its start again:
    variants that failed to help are not all tried again after every step."""
    start = 0
    found = None
    while not search.out_of_budget():
        taken = False
        size = measure(best[i])
        for j, variant in enumerate(itertools.islice(_variants(search.maker, best[i]), start,
                                                     None), start):
            if search.out_of_budget():
                break
            if measure(variant) >= size:
                continue
            trial = best[:i] + [variant] + best[i + 1:]
            if search.fails_alike(trial):
                best = found = trial
                start, taken = j, True
                break
        if not taken:
            if start == 0:
                break
            start = 0
    return found


def _variants(maker: Any, case: str) -> Iterator[str]:
    """maker.shrink(case), ended early where the maker cannot read the case (a hand-written
    file may write its items in forms that the maker never makes)."""
    try:
        yield from maker.shrink(case)
    except (ValueError, IndexError, OverflowError):
        return


def _ddmin(items: list[str], test: Callable[[list[str]], bool],
           out_of_budget: Callable[[], bool]) -> list[str]:
    """The fewest of `items`, in their order, that still pass `test` (which holds for all of
    them): delta debugging, trying the chunks alone, then without each chunk, at ever finer
    cuts."""
    if test([]):
        return []
    n = 2
    while len(items) >= 2 and not out_of_budget():
        chunk = -(-len(items) // n)
        parts = [items[i:i + chunk] for i in range(0, len(items), chunk)]
        for part in parts:
            if out_of_budget():
                return items
            if test(part):
                items, n = part, 2
                break
        else:
            for k in range(len(parts)):
                if out_of_budget():
                    return items
                rest = [c for j, p in enumerate(parts) if j != k for c in p]
                if len(parts) > 2 and test(rest):
                    items, n = rest, max(n - 1, 2)
                    break
            else:
                if n >= len(items):
                    break
                n = min(len(items), 2 * n)
    return items
