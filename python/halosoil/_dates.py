"""The calendar of a project with a start date: the model's steps are 360, 30, 7 or 1 days
long (its "years" and "months" are 360 and 30 days), and step k (from 1) ends
``start + k * step_length`` days; step k covers the days after the end of step k - 1 up to and
including its own end."""

from __future__ import annotations

import datetime
from typing import Any, Optional

import numpy as np

from ._errors import InputError


def start_of(value: Any) -> Optional[datetime.date]:
    """A project's start: None, a date (datetime.date, datetime.datetime, pandas.Timestamp,
    numpy.datetime64) or its ISO text ("2024-03-01"); the day alone is kept."""
    if value is None:
        return None
    if isinstance(value, str):
        try:
            return datetime.date.fromisoformat(value.strip())
        except ValueError:
            raise InputError(f"start must be a date such as '2024-03-01', not {value!r}") \
                from None
    if isinstance(value, np.datetime64):
        value = value.astype("datetime64[D]").astype(datetime.date)
    if isinstance(value, datetime.datetime):
        return value.date()
    if isinstance(value, datetime.date):
        return value
    raise InputError(f"start must be a date (datetime.date or its ISO text), not {value!r}")


def step_ends(start: datetime.date, steps: int, length: int):
    """The ends of the steps 1..steps, a pandas.DatetimeIndex named 'date'."""
    import pandas as pd

    days = np.arange(1, steps + 1, dtype=np.int64) * int(length)
    return pd.DatetimeIndex(np.datetime64(start, "D") + days.astype("timedelta64[D]"),
                            name="date")


def steps_of_dates(dates, start: Optional[datetime.date], steps: int, length: int,
                   what: str) -> np.ndarray:
    """The step (1..steps) each date falls in; a date before the start or after the last
    step's end is refused, naming it."""
    if start is None:
        raise InputError(f"{what} is dated, and the project has no start: set "
                         "project.start (for example project.start = '2024-03-01')")
    offsets = (np.asarray(dates, dtype="datetime64[D]") - np.datetime64(start, "D")).astype(
        np.int64)
    found = -(-offsets // int(length))  # ceil: the step whose end is on or after the date
    outside = np.flatnonzero((offsets <= 0) | (found > steps))
    if outside.size:
        date = np.datetime_as_string(np.asarray(dates, dtype="datetime64[D]")[outside[0]])
        last = np.datetime64(start, "D") + np.timedelta64(steps * int(length), "D")
        raise InputError(f"{what}: {date} lies outside the project's steps, which run from "
                         f"after {start.isoformat()} to {np.datetime_as_string(last)}")
    return found


def dated_series(series, start: Optional[datetime.date], steps: int, length: int,
                 name: str) -> np.ndarray:
    """The values of a Series indexed by the step ends, in step order; refused when its dates
    are not the project's step ends."""
    if start is None:
        raise InputError(f"{name} is dated, and the project has no start to match its dates "
                         "to: set project.start first")
    ends = step_ends(start, steps, length)
    index = series.index.normalize()
    if len(index) != steps or not index.sort_values().equals(ends.rename(index.name)):
        unmatched = index.difference(ends)
        what = (f"{unmatched[0].date().isoformat()} is no step's end" if len(unmatched)
                else f"it has {len(index)} dates for {steps} steps")
        raise InputError(f"{name}: the dates do not match the project's steps (step k ends "
                         f"start + k x {length} days, the first on {ends[0].date().isoformat()}"
                         f"): {what}")
    return series.sort_index().to_numpy(dtype=float)
