"""Studies on a Dask cluster: what goes wrong with the cluster is one ClusterError."""

from __future__ import annotations

import asyncio
import concurrent.futures
import contextlib
from typing import Any, Iterator

from ._errors import ClusterError, Error

# What Dask raises when the scheduler, a connection or the client goes away; besides these, a
# closed client refuses with a bare Exception.
_CLUSTER_FAILURES: tuple[type[BaseException], ...] = (
    OSError, TimeoutError, asyncio.TimeoutError, asyncio.CancelledError,
    concurrent.futures.CancelledError)
try:
    from distributed.comm.core import CommClosedError

    _CLUSTER_FAILURES += (CommClosedError,)
except ImportError:  # pragma: no cover - without distributed there is no client to fail
    pass

_GONE = ("closed", "closing", "failed")


def _state(client: Any) -> str:
    return str(getattr(client, "status", "unknown"))


def _first_line(error: BaseException) -> str:
    text = str(error).strip().splitlines()
    line = text[0] if text else ""
    return f"{type(error).__name__}: {line[:160]}" if line else type(error).__name__


@contextlib.contextmanager
def on_cluster(client: Any) -> Iterator[None]:
    """Runs the study's exchange with the client; the cluster's failures come out as one
    ClusterError, the study's own errors and interrupts as they are."""
    if _state(client) in _GONE:
        raise ClusterError(f"the Dask client is {_state(client)}; start a new Client (or "
                           "study without one)")
    try:
        yield
    except (Error, KeyboardInterrupt):
        raise
    except Exception as error:
        if isinstance(error, _CLUSTER_FAILURES) or _state(client) in _GONE:
            raise ClusterError(f"the Dask cluster failed during the study "
                               f"({_first_line(error)}); the client is {_state(client)}") \
                from error
        raise
