"""What the calibration, the sensitivity analysis and the ensembles take alike: parameters,
weights, seeds, numbers as the core reads them, and members sent to a Dask cluster."""

from __future__ import annotations

import math
import numbers
from typing import Any, Callable, Mapping, Optional

import numpy as np

from ._cluster import on_cluster
from ._errors import InputError
from ._names import core_quantity

#: Members a Dask task runs, unless the study is told otherwise: enough to outweigh sending
#: the project, few enough to spread a small study over the workers.
MEMBERS_PER_TASK = 64


def number_text(value: Any) -> str:
    """A number as the core's text for it: the shortest text that reads back as the same
    double. Anything else as it prints, so that the core refuses it in its own words."""
    if isinstance(value, numbers.Real) and not isinstance(value, bool):
        number = float(value)
        return "nan" if math.isnan(number) else repr(number)
    return str(value)


def _number(value: Any, name: str, what: str) -> float:
    if isinstance(value, numbers.Real) and not isinstance(value, bool):
        return float(value)
    raise InputError(f"Parameter {name}: {what} {value!r} is not a number")


def items_of(given: Optional[Mapping[str, Any]], what: str) -> list[tuple[Any, Any]]:
    """The items of a dict a study is given, none for None; anything else is refused with
    what it should be."""
    if given is None:
        return []
    if not isinstance(given, Mapping):
        raise TypeError(what)
    return list(given.items())


def is_sequence(value: Any) -> bool:
    """Whether value is a tuple or list of numbers (and their like), as bounds, distributions
    and thresholds are given: a text is not one."""
    return not isinstance(value, (str, bytes)) and hasattr(value, "__len__")


def parameter_bounds(parameters: Optional[Mapping[str, Any]]) -> list[tuple[str, float, float]]:
    """{name: (low, high)} as the core's (name, low, high)."""
    bounds = []
    for name, value in items_of(parameters, "parameters is a dict of name: (low, high)"):
        if not is_sequence(value) or len(value) != 2:
            raise InputError(f"Parameter {name}: the bounds are (low, high), not {value!r}")
        low, high = value
        bounds.append((str(name), _number(low, name, "the low bound"),
                       _number(high, name, "the high bound")))
    return bounds


def weights_of(weights: Optional[Mapping[str, Any]]) -> dict[str, float]:
    """{quantity: weight} with the weights as floats, under the core's names."""
    result = {}
    for quantity, weight in items_of(weights, "weights is a dict of quantity: weight"):
        if not isinstance(weight, numbers.Real) or isinstance(weight, bool):
            raise InputError(f"Weight {quantity}: {weight!r} is not a number")
        result[core_quantity(str(quantity), "the weight's quantity")] = float(weight)
    return result


def seed_of(seed: Any) -> int:
    if not isinstance(seed, numbers.Integral) or isinstance(seed, bool) or not 0 <= seed < 2**64:
        raise InputError(f"The seed is a whole number from 0 to 2**64 - 1, not {seed!r}.")
    return int(seed)


def count_of(value: Any, what: str) -> int:
    if not isinstance(value, numbers.Integral) or isinstance(value, bool):
        raise InputError(f"The {what} is a whole number, not {value!r}.")
    return int(value)


def on_dask(client: Any, task: Callable, record: dict, values: np.ndarray,
            members_per_task: int, *arguments: Any) -> list:
    """Sends the members (rows of values) to the client's workers in chunks, each task
    running task(record, chunk, *arguments); the tasks' results in the order of the chunks."""
    size = count_of(members_per_task, "number of members per task")
    if size < 1:
        raise InputError(f"A task runs at least 1 member, not {size}.")
    # The project goes to every worker once rather than with each task. A key of its own: a
    # key named by the data's hash could still be being released from the study before,
    # which the scheduler then reports as lost.
    with on_cluster(client):
        [shared] = client.scatter([record], broadcast=True, hash=False)
        futures = [client.submit(task, shared, values[start:start + size], *arguments,
                                 pure=False) for start in range(0, len(values), size)]
        return client.gather(futures)
