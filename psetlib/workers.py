"""Running one function on many items at once, the results taken in the items' order, in a way
a signal can stop: the main thread never blocks for long, and a stop cancels what has not
started and ends every program the workers run."""

import concurrent.futures
from typing import Callable, Sequence, TypeVar

from . import runner
from .common import console

T = TypeVar("T")
R = TypeVar("R")


def each_in_order(jobs: int, items: Sequence[T], work: Callable[[T], R],
                  done: Callable[[T, R], None], where: Callable[[T, int], str]) -> None:
    """Runs work(item) for every item, `jobs` at a time (one job: in this thread), and calls
    done(item, result) in the items' order as results come; console.where says where(item, k)
    (k counting from 1) while the k-th result is awaited."""
    if jobs == 1:
        for k, item in enumerate(items, 1):
            console.where = where(item, k)
            done(item, work(item))
        return
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        futures = []
        try:
            futures = [pool.submit(work, item) for item in items]
            for k, (item, f) in enumerate(zip(items, futures), 1):
                console.where = where(item, k)
                while True:
                    try:
                        result = f.result(timeout=0.1)
                        break
                    except concurrent.futures.TimeoutError:
                        continue
                done(item, result)
        except BaseException:
            for f in futures:
                f.cancel()
            runner.kill_all(refuse_new=True)  # the workers' next runs are cancelled at once
            raise
