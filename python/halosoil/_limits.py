"""Values no soil or climate can have, beyond those the core refuses in every front end.

A script that sets one on a Project is refused at once, with the attribute and its value; an
input file that holds one (older files do, and test projects on purpose) is read as it
stands, and ``run`` warns of the value and runs it, as the batch runner and the window do.
"""

from __future__ import annotations

import math
import warnings
from typing import Any, Iterable

import numpy as np

from ._errors import InputError
from ._zones import zones_of

#: Initial salinities above this (dS/m) are refused: sea water holds about 50 dS/m, a
#: saturated brine of common salt about 250.
MAX_INITIAL_SALINITY = 500.0
#: Rainfall above this per day of the step (mm/day) is refused: the world's wettest day on
#: record brought about 1,800 mm.
MAX_RAIN_PER_DAY = 2000.0

# The attributes whose value a limit reads; setting one of them checks the limits.
LIMITED = frozenset({"drains", "drain_depth", "critical_depth", "thickness", "initial_salinity",
                     "rain", "step_length", "layers"})


def _number(value: Any) -> float:
    try:
        return float(value)
    except (TypeError, ValueError):
        return math.nan


def implausible(values: dict[str, Any]) -> list[tuple[str, str]]:
    """(the attribute as a script names it with its value, why no project can have it) for
    each value beyond the limits; values not yet set or not numbers are left to the other
    checks."""
    found = []
    drain = _number(values.get("drain_depth"))
    if values.get("drains") is True and drain < 0:
        found.append((f"drain_depth = {drain:g}", "a drain above the soil surface"))
    critical = _number(values.get("critical_depth"))
    if critical < 0:
        found.append((f"critical_depth = {critical:g}",
                      "a critical depth above the soil surface"))
    layers = values.get("layers")
    zones = zones_of(layers) if layers in (1, 2, 3) else ()
    for name, bad, why in (
            ("thickness", lambda v: v == 0, "a zone of zero thickness"),
            ("initial_salinity", lambda v: v > MAX_INITIAL_SALINITY,
             f"an initial salinity above {MAX_INITIAL_SALINITY:g} dS/m")):
        per_zone = values.get(name)
        if not isinstance(per_zone, dict):
            continue
        for zone in zones:
            value = _number(per_zone.get(zone))
            if bad(value):
                found.append((f"{name}[{zone!r}] = {value:g}", why))
    length = values.get("step_length")
    rain = values.get("rain")
    if isinstance(length, int) and length > 0 and rain is not None:
        try:
            series = np.asarray(rain, dtype=float).ravel()
        except (TypeError, ValueError):
            series = np.empty(0)
        limit = MAX_RAIN_PER_DAY * length
        for index in np.flatnonzero(series > limit):
            found.append((f"rain[{index}] = {series[index]:g}",
                          f"more than {MAX_RAIN_PER_DAY:g} mm a day over a step of "
                          f"{length} day{'s' if length != 1 else ''} ({limit:g} mm)"))
    return found


def refusal(problems: Iterable[tuple[str, str]]) -> InputError:
    return InputError("; ".join(f"{what}: {why}" for what, why in problems))


def new_problems(values: dict[str, Any], held: frozenset) -> list[tuple[str, str]]:
    """The values beyond the limits that the project's input file did not hold."""
    return [problem for problem in implausible(values) if problem[0] not in held]


def warn_before_run(values: dict[str, Any], held: frozenset, file_name: str) -> None:
    """Warns of the file's values beyond the limits, which run as they stand, and of drains
    below the transition zone, where the model's drains belong."""
    source = file_name or "the project"
    for what, why in implausible(values):
        if what in held:
            warnings.warn(f"{source} holds {what}: {why}; it is run as it stands", UserWarning,
                          stacklevel=3)
    layers = values.get("layers")
    if values.get("drains") is True and layers in (1, 2, 3):
        thickness = values.get("thickness") or {}
        bottom = sum(_number(thickness.get(zone)) for zone in zones_of(layers)
                     if zone != "aquifer")
        drain = _number(values.get("drain_depth"))
        if drain > bottom:
            warnings.warn(f"{source}: drain_depth = {drain:g} lies below the transition zone, "
                          f"whose bottom is at {bottom:g} m; the model's drains lie in the "
                          f"transition zone", UserWarning, stacklevel=3)
