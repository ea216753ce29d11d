"""Gridded weather: the nearest cell of a daily dataset (CMIP, CORDEX, ERA5, E-OBS, ...) as a
station's record, its variables known by their usual names and converted from their units.
"""

from __future__ import annotations

import warnings
from collections.abc import Mapping
from typing import Any, Optional

import numpy as np

from ._errors import InputError
from ._weather import _NAMES, _frame_of, _number, _pandas

# The usual names of daily variables in gridded products (CMIP and CORDEX, ERA5, E-OBS and
# station-like datasets), and the record's own names.
DATASET_NAMES: dict[str, str] = {
    **{name: name for name in _NAMES},
    "tasmax": "tmax", "tx": "tmax",
    "tasmin": "tmin", "tn": "tmin",
    "tas": "tmean",
    "hurs": "rh_mean", "hursmax": "rh_max", "hursmin": "rh_min",
    "tdps": "tdew", "d2m": "tdew",
    "sfcWind": "wind", "ws": "wind", "si10": "wind",
    "rsds": "radiation", "ssrd": "radiation",
    "sund": "sunshine",
    "pr": "rain", "precip": "rain", "precipitation": "rain", "tp": "rain",
}

# Per kind of variable, the units a dataset may give it in (as _unit_key writes them) and the
# factor and offset that bring them to the record's unit.
_CELSIUS = {key: (1.0, 0.0) for key in (
    "degc", "deg c", "deg_c", "°c", "c", "celsius", "degree_celsius", "degrees_celsius",
    "degree celsius", "degrees celsius", "degrees c")}
_KELVIN = {key: (1.0, -273.15) for key in ("k", "kelvin", "degk", "deg k", "degrees_kelvin")}
_UNITS: dict[str, dict[str, tuple[float, float]]] = {
    "temperature": {**_CELSIUS, **_KELVIN},
    "humidity": {key: (1.0, 0.0) for key in ("%", "percent", "pct")},
    "pressure": {"kpa": (1.0, 0.0), "hpa": (0.1, 0.0), "mbar": (0.1, 0.0), "mb": (0.1, 0.0),
                 "pa": (0.001, 0.0)},
    "wind": {key: (1.0, 0.0) for key in ("m s-1", "m/s", "m.s-1", "ms-1", "m sec-1")},
    "sunshine": {**{key: (1.0, 0.0) for key in ("h", "hr", "hour", "hours", "h day-1",
                                                 "h/day", "h d-1", "hours/day")},
                 **{key: (1.0 / 3600.0, 0.0) for key in ("s", "sec", "second", "seconds",
                                                          "s day-1", "s/day", "s d-1")}},
    "radiation": {**{key: (1.0, 0.0) for key in ("mj m-2", "mj m-2 day-1", "mj m-2 d-1",
                                                  "mj/m2", "mj/m2/day", "mj/m2/d")},
                  **{key: (0.001, 0.0) for key in ("kj m-2", "kj/m2", "kj m-2 day-1")},
                  **{key: (1e-6, 0.0) for key in ("j m-2", "j/m2", "j m-2 day-1")},
                  **{key: (0.0864, 0.0) for key in ("w m-2", "w/m2", "w m-2 day-1")}},
    "water": {**{key: (1.0, 0.0) for key in ("mm", "mm/day", "mm day-1", "mm d-1", "mm/d",
                                              "kg m-2", "kg/m2", "kg m-2 day-1")},
              **{key: (1000.0, 0.0) for key in ("m", "m/day", "m day-1", "m d-1",
                                                 "m of water equivalent")},
              **{key: (86400.0, 0.0) for key in ("kg m-2 s-1", "kg/m2/s", "mm s-1", "mm/s")}},
}
_KIND = {"tmax": "temperature", "tmin": "temperature", "tmean": "temperature",
         "tdew": "temperature", "rh_max": "humidity", "rh_min": "humidity",
         "rh_mean": "humidity", "ea": "pressure", "wind": "wind", "sunshine": "sunshine",
         "radiation": "radiation", "rain": "water", "et0": "water"}

_LATITUDES = ("lat", "latitude", "y")
_LONGITUDES = ("lon", "longitude", "x")


def _unit_key(units: str) -> str:
    text = units.strip().lower().replace("**", "").replace("^", "").replace("·", " ")
    return " ".join(text.split())


def _converted(source: str, target: str, values: np.ndarray, units: Any) -> np.ndarray:
    kind = _KIND[target]
    if units is None:
        raise InputError(f"{source} ({target}): the variable has no 'units' attribute; set one "
                         f"(ds[{source!r}].attrs['units'] = ...)")
    known = _UNITS[kind]
    factor_offset = known.get(_unit_key(str(units)))
    if factor_offset is None:
        raise InputError(f"{source} ({target}): unit {str(units)!r} is not one of the units "
                         f"read for it ({', '.join(sorted(known))})")
    factor, offset = factor_offset
    return values.astype(float) * factor + offset


def _coordinate(dataset: Any, names: tuple[str, ...]) -> Optional[str]:
    for name in names:
        if name in dataset.coords or name in dataset.dims:
            return name
    return None


def _chosen_variables(dataset: Any, variables: Optional[Mapping[str, str]]) -> dict[str, str]:
    """Per record variable, the dataset's variable that gives it."""
    chosen: dict[str, str] = {}
    given = dict(variables or {})
    for source, target in given.items():
        if target not in _NAMES:
            raise InputError(f"variables: {target!r} (for {source!r}) is not a weather "
                             f"variable; the variables are {', '.join(_NAMES)}")
        if source not in dataset.data_vars:
            raise InputError(f"variables: the dataset has no variable {source!r}; it has "
                             f"{', '.join(map(str, dataset.data_vars))}")
        if target in chosen:
            raise InputError(f"variables: {chosen[target]!r} and {source!r} both give {target}")
        chosen[target] = source
    for source in map(str, dataset.data_vars):
        target = DATASET_NAMES.get(source)
        if target is None or source in given:
            continue
        if target in chosen:
            if chosen[target] in given:
                continue
            raise InputError(f"{chosen[target]!r} and {source!r} both give {target}; choose one "
                             f"with variables={{{source!r}: {target!r}}}")
        chosen[target] = source
    return chosen


def _time_days(dataset: Any, variable: Any, name: str) -> tuple[str, np.ndarray]:
    pd = _pandas()
    for dim in variable.dims:
        if dim not in dataset.indexes:
            continue
        index = dataset.indexes[dim]
        if not isinstance(index, pd.DatetimeIndex):
            if not hasattr(index, "to_datetimeindex"):
                continue
            try:
                with warnings.catch_warnings():
                    warnings.simplefilter("ignore")
                    index = index.to_datetimeindex()
            except ValueError as error:
                raise InputError(f"{name}: the calendar of '{dim}' has dates the standard "
                                 f"calendar lacks ({error})") from None
        if len(index) > 1:
            steps = np.diff(index.values)
            shortest = steps.min()
            if shortest < np.timedelta64(1, "D"):
                hours = shortest / np.timedelta64(1, "h")
                raise InputError(f"{name}: the time coordinate '{dim}' has steps of {hours:g} "
                                 "h; a weather record has one value per day (make the data "
                                 "daily first)")
        return str(dim), index.floor("D").values.astype("datetime64[D]").astype(np.int64)
    raise InputError(f"{name}: the variables have no time coordinate of dates")


def from_dataset(dataset: Any, latitude: Any, longitude: Any,
                  variables: Optional[Mapping[str, str]], name: str):
    chosen = _chosen_variables(dataset, variables)
    if not chosen:
        raise InputError(f"{name}: none of the dataset's variables "
                         f"({', '.join(map(str, dataset.data_vars))}) is a weather variable; "
                         "name them with variables={'file_name': 'tmax', ...}")
    selected = dataset[list(chosen.values())]
    lat = _coordinate(selected, _LATITUDES)
    lon = _coordinate(selected, _LONGITUDES)
    cell: dict[str, float] = {}
    if latitude is not None or longitude is not None:
        if latitude is None or longitude is None:
            raise InputError("give both latitude and longitude of the cell")
        if lat is None or lon is None:
            raise InputError(f"{name}: the dataset has no latitude ({', '.join(_LATITUDES)}) "
                             f"and longitude ({', '.join(_LONGITUDES)}) coordinates")
        if selected[lat].ndim != 1 or selected[lon].ndim != 1:
            raise InputError(f"{name}: the latitude and longitude are not one-dimensional "
                             "coordinates (a rotated or curvilinear grid); choose the cell "
                             "with .isel() first")
        latitude = _number("latitude", latitude)
        longitude = _number("longitude", longitude)
        longitudes = selected[lon].values
        if longitudes.size and np.nanmax(longitudes) > 180.0 and longitude < 0.0:
            longitude += 360.0
        elif longitudes.size and np.nanmin(longitudes) < 0.0 and longitude > 180.0:
            longitude -= 360.0
        selected = selected.sel({lat: latitude, lon: longitude}, method="nearest")
        cell = {"latitude": float(selected[lat].values), "longitude": float(selected[lon].values)}
    columns: dict[str, np.ndarray] = {}
    days = None
    first = ""
    for target in _NAMES:
        if target not in chosen:
            continue
        source = chosen[target]
        time, numbers_of_days = _time_days(selected, selected[source], name)
        array = selected[source]
        array = array.squeeze([dim for dim in array.dims if dim != time and array.sizes[dim] == 1],
                              drop=True)
        if array.dims != (time,):
            others = [str(dim) for dim in array.dims if dim != time]
            raise InputError(f"{name}, {source}: the values vary along {', '.join(others)} "
                             "besides the time; give latitude= and longitude= or choose along "
                             "them with .sel() first")
        if days is None:
            days, first = numbers_of_days, source
        elif not np.array_equal(days, numbers_of_days):
            raise InputError(f"{name}, {source}: the dates differ from those of {first}")
        columns[target] = _converted(source, target, np.asarray(array.values),
                                     array.attrs.get("units"))
    frame = _frame_of(days, columns, name)
    frame.attrs.update(cell)
    return frame



def dataset_type():
    try:
        import xarray
    except ImportError:
        return None
    return xarray.Dataset
