"""Weather: a station's daily records (a CSV file, a DataFrame, a cell of a gridded dataset)
turned into reference evapotranspiration ET0 by FAO-56 and into the project's time steps of
rain and evaporation.

Every number is worked out by the program's weather library, the one ``halosoil-batch
weather`` runs: this module only moves frames across and gives the results their index.
"""

from __future__ import annotations

import numbers
import os
import warnings
from collections.abc import Mapping
from typing import Any, Optional

import numpy as np

from . import _core
from ._errors import InputError, readable

#: The variables of a weather record and their units, in the order of a station file's
#: columns: (name, unit) each.
VARIABLES: tuple[tuple[str, str], ...] = tuple(_core.weather_variables())
_NAMES = tuple(name for name, _ in VARIABLES)


def _call(function, *args):
    """Calls into the core, raising its refusals as InputError."""
    try:
        return function(*args)
    except _core.FileError:
        raise
    except _core.HalosoilError as error:
        raise InputError(str(error)) from None


# Frames to the core's columns and back.

def _pandas():
    import pandas as pd

    return pd


def _date_index(days: np.ndarray):
    pd = _pandas()
    return pd.DatetimeIndex(pd.to_datetime(np.asarray(days, dtype=np.int64), unit="D"),
                            name="date")


def _frame_of(dates: np.ndarray, columns: dict[str, np.ndarray], name: str):
    pd = _pandas()
    frame = pd.DataFrame(dict(columns), index=_date_index(dates), columns=list(columns))
    frame.attrs["file_name"] = name
    return frame


def _day_numbers(index: Any, name: str) -> np.ndarray:
    pd = _pandas()
    if pd.api.types.is_datetime64_any_dtype(index):
        dates = pd.DatetimeIndex(index)
    elif pd.api.types.is_numeric_dtype(index) or pd.api.types.is_bool_dtype(index):
        raise InputError(f"{name}: the rows are not dates; index the frame by date (a "
                         "DatetimeIndex, as read_weather gives) or give it a 'date' column")
    else:
        try:
            dates = pd.DatetimeIndex(pd.to_datetime(index, format="%Y-%m-%d"))
        except (TypeError, ValueError) as error:
            raise InputError(f"{name}: the dates are not dates of the form YYYY-MM-DD "
                             f"({error})") from None
    if dates.tz is not None:
        dates = dates.tz_localize(None)
    if dates.hasnans:
        raise InputError(f"{name}: a date is missing (NaT)")
    if not (dates == dates.normalize()).all():
        hour = dates[dates != dates.normalize()][0]
        raise InputError(f"{name}: {hour} is a time of day; a weather record has one row per "
                         "day (make sub-daily data daily first)")
    return dates.values.astype("datetime64[D]").astype(np.int64)


def _values(frame: Any, column: Any, dates: np.ndarray, name: str) -> np.ndarray:
    series = frame[column]
    try:
        return series.to_numpy(dtype=float, na_value=np.nan)
    except (TypeError, ValueError):
        pass
    for day, value in zip(_date_index(dates), series):
        try:
            float(value)
        except (TypeError, ValueError):
            raise InputError(f"{name}, {day.date()}, {column}: {value!r} is not a "
                             "number") from None
    raise InputError(f"{name}, {column}: the values are not numbers")


def _record_of(weather: Any, warn: bool = True) -> tuple[str, np.ndarray, dict[str, np.ndarray]]:
    """The name, day numbers and variables' columns of a weather frame; a column of another
    name is ignored, with a warning when warn."""
    pd = _pandas()
    if not isinstance(weather, pd.DataFrame):
        raise InputError("the weather must be a pandas DataFrame of daily values (see "
                         f"read_weather), not {type(weather).__name__}")
    name = str(weather.attrs.get("file_name") or "weather")
    if "date" in weather.columns:
        dates = _day_numbers(weather["date"], name)
    else:
        dates = _day_numbers(weather.index, name)
    columns = {}
    for column in weather.columns:
        if column == "date":
            continue
        if column not in _NAMES:
            if warn:
                warnings.warn(f"{name}: column {column!r} is not a weather variable and is "
                              "ignored", stacklevel=3)
            continue
        columns[column] = _values(weather, column, dates, name)
    return name, dates, columns


# The options of a calculation.

def _number(label: str, value: Any) -> float:
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Real):
        raise InputError(f"{label} must be a number, not {value!r}")
    return float(value)


def _whole(label: str, value: Any) -> int:
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Integral):
        raise InputError(f"{label} must be a whole number, not {value!r}")
    return int(value)


def _start_day(start: Any) -> Optional[int]:
    if start is None:
        return None
    pd = _pandas()
    try:
        stamp = pd.Timestamp(start)
    except (TypeError, ValueError):
        raise InputError(f"start {start!r} is not a date (give 'YYYY-MM-DD')") from None
    if pd.isna(stamp) or stamp != stamp.normalize():
        raise InputError(f"start {start!r} is not a day (give 'YYYY-MM-DD')")
    return int(np.datetime64(stamp.date(), "D").astype(np.int64))


def _kc_number(label: str, value: Any) -> float:
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Real):
        raise InputError(f"{label}: {value!r} is not a number")
    return float(value)


def _kc(kc: Any, steps: Optional[int]) -> tuple[float, Optional[list], Optional[list]]:
    """(constant, by month, by step) of the kc argument; steps is the count a list of Kc per
    step would have, None when unknown."""
    pd = _pandas()
    if isinstance(kc, numbers.Real) and not isinstance(kc, (bool, np.bool_)):
        return float(kc), None, None
    if isinstance(kc, pd.Series):
        if sorted(kc.index.tolist()) != list(range(1, 13)):
            raise InputError("kc: a Series gives Kc by month and is indexed by the months 1 to "
                             "12; give a list for Kc per step")
        kc = kc.to_dict()
    if isinstance(kc, Mapping):
        months = {int(month): value for month, value in kc.items()
                  if isinstance(month, numbers.Integral)
                  and not isinstance(month, (bool, np.bool_))}
        if len(months) != len(kc) or set(months) != set(range(1, 13)):
            missing = [str(month) for month in range(1, 13) if month not in months]
            other = [repr(month) for month in kc
                     if not (isinstance(month, numbers.Integral) and 1 <= month <= 12)
                     or isinstance(month, (bool, np.bool_))]
            raise InputError("kc by month: a dict {month: kc} names the months 1 to 12 once "
                             "each" + (f"; months {', '.join(missing)} are missing" if missing
                                       else "") +
                             (f"; {', '.join(other)} is no month" if other else ""))
        return 1.0, [_kc_number(f"kc of month {m}", months[m]) for m in range(1, 13)], None
    if isinstance(kc, (str, bytes)) or not hasattr(kc, "__len__"):
        raise InputError(f"kc must be a number, a dict {{month: kc}} or a list of Kc per step, "
                         f"not {kc!r}")
    values = [_kc_number(f"kc of step {k}", value) for k, value in enumerate(kc, start=1)]
    if steps is not None and len(values) == steps:
        return 1.0, None, values
    if len(values) == 12:
        return 1.0, values, None
    if steps is None:
        return 1.0, None, values
    raise InputError(f"kc has {len(values)} values: give one per step ({steps}), or one per "
                     "month (12, or a dict {month: kc})")


def _options(latitude: Any, elevation: Any, wind_height: Any, method: Any, coastal: Any,
             fill: Any, max_gap: Any, step_length: int = 1, start: Any = None,
             steps: Any = None, kc: Any = 1.0, steps_of_kc: Optional[int] = None
             ) -> dict[str, Any]:
    if not isinstance(method, str):
        raise InputError(f"method must be 'penman-monteith' or 'hargreaves', not {method!r}")
    if not isinstance(coastal, (bool, np.bool_)):
        raise InputError(f"coastal must be True or False, not {coastal!r}")
    if fill is not None and not isinstance(fill, str):
        raise InputError(f"fill must be None or 'linear', not {fill!r}")
    count = 0 if steps is None else _whole("steps", steps)
    if steps is not None and count < 1:
        raise InputError(f"steps {count}: give at least one step, or None for every complete "
                         "step the record covers")
    constant, monthly, per_step = _kc(kc, count or steps_of_kc)
    return {
        "latitude": _number("latitude", latitude),
        "elevation": _number("elevation", elevation),
        "wind_height": _number("wind_height", wind_height),
        "coastal": bool(coastal),
        "method": method,
        "fill": fill,
        "max_gap": _whole("max_gap", max_gap),
        "deltas": [],
        "step_length": int(step_length),
        "start": _start_day(start),
        "steps": count,
        "kc": constant,
        "kc_monthly": monthly,
        "kc_steps": per_step,
    }


# The functions of the package.

def read_weather(source: Any, *, latitude: Optional[float] = None,
                 longitude: Optional[float] = None,
                 variables: Optional[Mapping[str, str]] = None):
    """Reads a station's daily weather, or a cell of a gridded dataset, into a DataFrame.

    Parameters
    ----------
    source : str, os.PathLike or xarray.Dataset
        A station file (CSV, see Notes), a netCDF file (a path ending in ``.nc`` or ``.nc4``,
        opened with xarray) or an xarray Dataset of daily values.
    latitude, longitude : float, optional
        The place, in degrees (north and east positive), whose nearest cell of a gridded
        dataset is read (``.sel(..., method="nearest")`` over its coordinates named ``lat``,
        ``latitude`` or ``y`` and ``lon``, ``longitude`` or ``x``; a longitude of -10 finds
        the cell at 350 in a grid of 0 to 360). Not for a station file.
    variables : dict of str to str, optional
        For a dataset: ``{"dataset's name": "record's name"}``, over the usual names (see
        Notes).

    Returns
    -------
    pandas.DataFrame
        Indexed by day (a DatetimeIndex named ``date``), one float column per variable the
        source has, NaN where a value is missing, in the record's units: ``tmax``, ``tmin``,
        ``tmean``, ``tdew`` in deg C; ``rh_max``, ``rh_min``, ``rh_mean`` in %; ``ea`` in kPa;
        ``wind`` in m/s at the station's wind height; ``sunshine`` in hours per day;
        ``radiation`` (solar, Rs) in MJ m-2 day-1; ``rain`` and ``et0`` in mm per day.
        ``attrs["file_name"]`` names the source in messages; a dataset's cell also gives
        ``attrs["latitude"]`` and ``attrs["longitude"]``, the cell's coordinates.

    Raises
    ------
    FileNotFoundError, IsADirectoryError, PermissionError
        Python's own, with errno and filename, when the file cannot be opened.
    halosoil.InputError
        A damaged station file, named by file, line and column (``"station.csv, line 4,
        column 2: '1x5' is not a valid floating point value"``), a value no weather has (a
        Tmin above the Tmax, a relative humidity over 100 %), a date not after the one before
        it, a required column missing (``date``, ``rain``, and ``tmax`` with ``tmin`` unless
        the file gives ``et0``); for a dataset a unit it does not convert (naming the variable
        and the unit), a time coordinate of steps shorter than a day.

    Warns
    -----
    UserWarning
        For each column of a station file that is not a weather variable (it is ignored).

    Notes
    -----
    A station file is CSV in UTF-8 (a byte-order mark and CR LF line ends are read), commas
    and point decimals, a header naming ``date`` (YYYY-MM-DD) and the variables above in any
    order, one day a row in ascending order; an empty cell, ``NA`` or ``NaN`` is a value the
    station lacks.

    A dataset's variables are known by these names (``variables`` adds or overrides):
    ``tasmax``, ``tmax``, ``tx`` -> tmax; ``tasmin``, ``tmin``, ``tn`` -> tmin; ``tas``,
    ``tmean`` -> tmean; ``hurs`` -> rh_mean; ``hursmax``, ``hursmin`` -> rh_max, rh_min;
    ``tdps``, ``d2m``, ``tdew`` -> tdew; ``sfcWind``, ``wind``, ``ws``, ``si10`` -> wind;
    ``rsds``, ``ssrd``, ``radiation`` -> radiation; ``sund``, ``sunshine`` -> sunshine;
    ``pr``, ``precip``, ``precipitation``, ``tp``, ``rain`` -> rain; and every record name
    (``rh_max``, ``ea``, ``et0``, ...) as itself. Other variables are left out.

    Each variable's ``units`` attribute is read and converted: K to deg C (-273.15);
    m (per day) to mm (x 1000); kg m-2 s-1 to mm/day (x 86400); J m-2 to MJ m-2 (x 1e-6);
    W m-2 to MJ m-2 day-1 (x 0.0864); s of sunshine to h (/ 3600); hPa and Pa to kPa. The
    record's units pass as they are, in their usual spellings (degC, celsius, %, mm, mm/day,
    kg m-2, m s-1, m/s, MJ m-2, h, ...). Times of day are dropped (a product stamped at noon
    reads as its days).
    """
    from . import _gridded_weather

    xarray_dataset = _gridded_weather.dataset_type()
    if xarray_dataset is not None and isinstance(source, xarray_dataset):
        return _gridded_weather.from_dataset(source, latitude, longitude, variables, "dataset")
    try:
        path = os.fspath(source)
    except TypeError:
        raise InputError("read_weather reads a station file, a netCDF file or an xarray "
                         f"Dataset, not {type(source).__name__}") from None
    if isinstance(path, bytes):
        path = os.fsdecode(path)
    if path.lower().endswith((".nc", ".nc4")):
        import xarray

        readable(path)
        with xarray.open_dataset(path) as dataset:
            return _gridded_weather.from_dataset(dataset, latitude, longitude, variables, path)
    if latitude is not None or longitude is not None or variables is not None:
        raise TypeError("latitude, longitude and variables choose within a gridded dataset; a "
                        "station file has one place and the record's own names")
    dates, columns, messages = _call(_core.read_weather, readable(path))
    for message in messages:
        warnings.warn(message, stacklevel=2)
    return _frame_of(dates, columns, path)


def et0(weather: Any, *, latitude: float, elevation: float, wind_height: float = 2.0,
        method: str = "penman-monteith", coastal: bool = False, fill: Optional[str] = None,
        max_gap: int = 3):
    """Daily reference evapotranspiration ET0 by FAO-56 (Allen et al. 1998).

    Parameters
    ----------
    weather : pandas.DataFrame
        Daily weather as ``read_weather`` gives it: a DatetimeIndex (or a ``date`` column) and
        columns named as the record's variables, in its units (deg C, %, kPa, m/s, h,
        MJ m-2 day-1, mm). ``tmax`` and ``tmin`` are needed (or ``et0``, taken as given);
        rain plays no part here.
    latitude : float
        The station's latitude, degrees, south negative.
    elevation : float
        The station's elevation, m above sea level.
    wind_height : float, default 2
        The height of the wind measurement, m; the wind is brought to 2 m (eq. 47).
    method : {'penman-monteith', 'hargreaves'}
        FAO Penman-Monteith (eq. 6) or Hargreaves (eq. 52, temperatures only).
    coastal : bool, default False
        The station lies by the sea: radiation from the temperature range takes k_Rs 0.19
        instead of 0.16 (eq. 50).
    fill : {None, 'linear'}
        None refuses a missing date or a day without Tmax or Tmin; 'linear' fills gaps of up
        to ``max_gap`` days linearly in time between the days on either side.
    max_gap : int, default 3
        The longest gap filled, in days (1 to 366).

    Returns
    -------
    pandas.Series
        ET0 in mm/day, named ``et0``, indexed by day (a DatetimeIndex named ``date``, every
        day from the record's first to its last). ``attrs["estimated"]`` is a Series of text
        on the same index naming, space-separated, what each day's ET0 rests on beside the
        record's own values ("" for nothing): ``day`` (the date was missing), ``tmax``,
        ``tmin``, ``et0`` (filled linearly; ``et0`` in a record that gives ET0 and no
        temperatures), ``humidity`` (no humidity: Tmin taken as the dew point,
        eq. 48), ``wind`` (no wind: 2 m/s), ``radiation`` (no radiation or sunshine: from the
        temperature range, eq. 50).

    Raises
    ------
    halosoil.InputError
        With the program's text: a station outside its limits (latitude -90..90, elevation
        -500..9000 m, wind height 0.5..100 m), a value no weather has, a gap it may not fill,
        a sunshine above the day length or a radiation above the extraterrestrial.

    Notes
    -----
    The actual vapour pressure comes, in this order, from ``ea``, the dew point (eq. 14),
    RHmax with RHmin (eq. 17), RHmean (eq. 19), RHmax alone (eq. 18), or Tmin as the dew
    point; solar radiation as given, from the hours of sunshine (eq. 35), or from the
    temperature range; soil heat flux is 0 for days. A negative ET0 is taken as 0.
    """
    pd = _pandas()
    name, dates, columns = _record_of(weather)
    columns["rain"] = np.zeros(len(dates))
    options = _options(latitude, elevation, wind_height, method, coastal, fill, max_gap)
    # Day steps, which every complete record covers: the days are what is wanted.
    days = _call(_core.compute_weather, name, dates, columns, options)["days"]
    index = _date_index(days["date"])
    series = pd.Series(days["et0"], index=index, name="et0")
    # The rain of a missing date is filled too, but ET0 does not rest on it.
    estimated = [" ".join(word for word in text.split() if word != "rain")
                 for text in days["estimated"]]
    series.attrs["estimated"] = pd.Series(estimated, index=index, name="estimated",
                                          dtype=object)
    return series
