"""Projects: the input of one run, read from an input file or built in Python."""

from __future__ import annotations

import copy as _copy
import difflib
import math
import numbers
import os
from collections.abc import Mapping
from typing import Any

import numpy as np

from . import _core
from . import _dates, _limits
from ._errors import InputError, readable, translated
from ._weather_steps import apply_weather as _apply_weather
from ._zones import zones_of

# The fields of a project as the core's one table gives them: (name, kind, unit, meaning).
FIELDS: tuple[tuple[str, str, str, str], ...] = tuple(_core.project_fields())
_KINDS = {name: kind for name, kind, _, _ in FIELDS}
# The single values, the values per zone and the series per time step, in the table's order.
_SCALARS = tuple(name for name, kind, _, _ in FIELDS if kind not in ("zones", "series"))
_INTEGERS = frozenset(name for name, kind, _, _ in FIELDS if kind == "whole")
_TEXTS = frozenset(name for name, kind, _, _ in FIELDS if kind == "text")
_NUMBERS = tuple(name for name, kind, _, _ in FIELDS if kind == "number")
_ZONE_FIELDS = tuple(name for name, kind, _, _ in FIELDS if kind == "zones")
_SERIES = tuple(name for name, kind, _, _ in FIELDS if kind == "series")
_DICTS = _ZONE_FIELDS + ("measured_salinity",)
# Every attribute a project has; setting another is refused.
_ATTRIBUTES = frozenset(name for name, _, _, _ in FIELDS) | {"measured_salinity", "file_name", "label",
                                                             "start"}


class Project:
    """One project: everything the program's input panels hold, as an input file stores it.

    Parameters
    ----------
    steps : int, default 11
        The number of time steps.
    step_length : int, default 30
        The length of a time step in days: 360, 30, 7 or 1 (a year, a month, a week or a day)
        as the window offers them. Older input files may hold another length, which is kept
        and run as it stands (every step computed day by day); ``repr`` then says so.
    layers : int, default 1
        The number of root-zone layers, 1, 2 or 3.
    **values
        Any attribute below, e.g. ``title1="Field 7"``.

    Notes
    -----
    Soil properties are dicts keyed by the zones that exist for ``layers`` (``zones``, top
    down among 'layer1', 'layer2', 'layer3', 'transition', 'aquifer'). Series are bare numpy
    arrays (no index) of length ``steps``, element k for time step k + 1. ``measured_salinity`` is a dict keyed
    by zone of such arrays, in dS/m, NaN where nothing was measured.

    A value left unset (NaN, or a zone missing from a dict) counts as a field the user left
    empty in the window: ``check(panels=True)`` refuses it as the window would, ``run`` names
    it as the engine does.

    ``file_name`` is the input file last read or written (the file's second line names it);
    ``label`` a dict describing the project within a study (see ``scenarios``). Neither takes
    part in comparing projects.

    ``start`` (None by default) dates the project: a ``datetime.date`` or its ISO text
    ("2024-03-01"). The input file has no place for it, so it is neither written nor read, and
    it takes no part in comparing projects. The model's calendar has steps of 360, 30, 7 or 1
    days (its "years" and "months" are 360 and 30 days long): step k ends ``start + k *
    step_length`` days, and a dated project's results index their tables by these ends
    (``Result.to_dataframe``, ``Result.salt_budget``). A series set as a pandas Series indexed
    by dates (``project.rain = rain_series``) must carry exactly the step ends, in any order;
    its values go to their steps, and other dates are refused. Observations indexed by dates
    go to the step each date falls in (after the end of the step before, up to its own end).

    Values no soil or climate can have are refused as they are set, naming the attribute and
    the value (``InputError``): a drain above the soil surface (a negative ``drain_depth`` with
    ``drains``), a negative ``critical_depth``, a zone of zero ``thickness``, an
    ``initial_salinity`` above 500 dS/m, and ``rain`` above 2000 mm a day over the days of its
    step (``step_length`` x 2000 mm in a step). A value changed inside a dict or an array is
    refused when the project is checked, run or written. An input file may hold such values
    (older files do): ``read_input`` keeps them, and ``run`` warns of each and runs it as it
    stands, as the batch runner does. Drains below the transition zone give a warning only.

    Examples
    --------
    >>> project = halosoil.read_input("field.inp")
    >>> project.irrigation = project.irrigation * 1.2
    >>> result = halosoil.run(project)

    Attributes
    ----------
    """

    def __init__(self, *, steps: int = 11, step_length: int = 30, layers: int = 1, **values: Any):
        """A project with the given values; unset numbers are NaN, unset series all NaN.

        Examples
        --------
        >>> project = Project(steps=12, step_length=30, layers=1, title1="Field 7")

        Then set the remaining attributes.
        """
        self.title1 = ""
        self.title2 = ""
        self.steps = int(steps)
        self.step_length = int(step_length)
        self.layers = int(layers)
        self.drains = False
        self.drain_depth = 0.0
        self.qh1 = 0.0
        self.qh2 = 0.0
        for name in ("irrigation_water_salinity", "water_table_depth", "critical_depth",
                     "soil_moisture", "irrigation_efficiency", "groundwater_inflow",
                     "groundwater_outflow", "inflow_salinity"):
            setattr(self, name, math.nan)
        for name in _ZONE_FIELDS:
            setattr(self, name, {})
        for name in _SERIES:
            setattr(self, name, np.full(self.steps, np.nan))
        self.measured_salinity = {zone: np.full(self.steps, np.nan) for zone in self.zones}
        self.file_name = ""
        self.label: dict[str, Any] = {}
        self.start = None
        # The values beyond the limits that the project's input file held: none for a
        # project made here. From now on every value set is held to the limits.
        object.__setattr__(self, "_held", frozenset())
        for name, value in values.items():
            if name not in _ATTRIBUTES:
                raise TypeError(f"Project has no attribute {name!r}")
            setattr(self, name, value)

    def __setattr__(self, name: str, value: Any) -> None:
        # A misspelt attribute would otherwise be a new one that nothing reads, and the run
        # would go on with the value it was meant to replace.
        if name not in _ATTRIBUTES:
            close = difflib.get_close_matches(name, sorted(_ATTRIBUTES), n=1)
            hint = f"; did you mean {close[0]!r}?" if close else ""
            raise InputError(f"Project has no attribute {name!r} (set to {value!r}){hint}")
        if name == "start":
            value = _dates.start_of(value)
        elif name in _SERIES and _is_dated(value):
            values = self.__dict__
            value = _dates.dated_series(value, values.get("start"), values.get("steps"),
                                        values.get("step_length"), name)
        if name not in _limits.LIMITED or "_held" not in self.__dict__:
            object.__setattr__(self, name, value)
            return
        missing = object()
        before = self.__dict__.get(name, missing)
        object.__setattr__(self, name, value)
        problems = _limits.new_problems(self.__dict__, self.__dict__.get("_held", frozenset()))
        if problems:
            if before is missing:
                object.__delattr__(self, name)
            else:
                object.__setattr__(self, name, before)
            raise _limits.refusal(problems)

    def _check_limits(self) -> None:
        """Refuses values beyond the limits that the project's file did not hold; a zone's
        value changed in its dict, or a series element, is caught here."""
        problems = _limits.new_problems(self.__dict__, self.__dict__.get("_held", frozenset()))
        if problems:
            raise _limits.refusal(problems)

    @property
    def zones(self) -> tuple[str, ...]:
        """tuple of str: The keys of the zones that exist for ``layers``, top down."""
        return zones_of(self.layers)

    # The record the core reads and writes.

    def _consistent(self) -> None:
        """Raises InputError for a value no input file could hold: a number of the wrong type,
        a zone the project lacks, a series whose length is not ``steps``."""
        values = self.__dict__
        for name in _INTEGERS:
            value = values[name]
            if type(value) is not int and (isinstance(value, (bool, np.bool_))
                                           or not isinstance(value, numbers.Integral)):
                raise InputError(f"{name} must be a whole number, not {value!r}")
        for name in _TEXTS:
            if not isinstance(values[name], str):
                raise InputError(f"{name} must be text, not {values[name]!r}")
        # The core would ask for the general data to be saved, which a script has no panel for.
        if values["layers"] not in (1, 2, 3):
            raise InputError(f"layers must be 1, 2 or 3 (the root zone's layers), not "
                             f"{values['layers']!r}")
        if not isinstance(self.drains, (bool, np.bool_)):
            raise InputError(f"drains must be True or False, not {self.drains!r}")
        for name in _NUMBERS:
            value = values[name]
            if type(value) is not float and type(value) is not int:
                _check_number(name, value)
        zones = self.zones
        for name in _ZONE_FIELDS:
            for zone, value in _zone_items(name, values[name], zones, self.layers):
                if type(value) is not float and type(value) is not int:
                    _check_number(f"{name}[{zone!r}]", value)
        # Beyond the program's largest count of steps the core refuses the count itself.
        if self.steps > _core.max_time_steps:
            return
        for name in _SERIES:
            _check_series(name, values[name], self.steps)
        for zone, series in _zone_items("measured_salinity", self.measured_salinity, zones,
                                        self.layers):
            if series is not None:
                _check_series(f"measured_salinity[{zone!r}]", series, self.steps)

    def _record(self) -> dict[str, Any]:
        """The attributes the core reads the record from, once they are consistent."""
        self._consistent()
        self._check_limits()
        values = self.__dict__
        if all(type(values[name]) is dict for name in _DICTS):
            return values
        # Other mappings cross as plain dicts.
        return {**values, **{name: dict(values[name]) for name in _DICTS}}

    @classmethod
    def _from_record(cls, attributes: dict[str, Any]) -> Project:
        project = cls.__new__(cls)
        project.__dict__.update(attributes)
        project.label = {}
        project.__dict__.setdefault("start", None)
        # A file's values stand as it holds them, also those beyond the limits.
        object.__setattr__(project, "_held", frozenset(
            what for what, _ in _limits.implausible(project.__dict__)))
        return project

    # What scripts do with a project.

    def copy(self) -> Project:
        """An independent copy.

        Returns
        -------
        Project
            A deep copy: changing it leaves this project as it is.
        """
        return _copy.deepcopy(self)

    def check(self, panels: bool = False) -> None:
        """Checks the project as the batch runner, or also as the window, checks it.

        Parameters
        ----------
        panels : bool, default False
            Also apply the refusals of the window's input panels, group by group in the
            window's order: empty fields and cells, a drain outside the transition zone, the
            limits of the conditions panel (moisture 20..100 %, irrigation efficiency
            30..100 %). Files may hold projects the panels refuse, and ``run`` runs them as
            ``halosoil-batch run`` does, so these refusals are not made by default.

        Returns
        -------
        None
            When ``run`` (or with ``panels`` the window's "Save all - Run") would go ahead.

        Raises
        ------
        InputError
            With the program's own text: a value that does not fit the project (a series
            whose length is not ``steps``, an unknown zone, a value of the wrong type), a value
            no soil or climate can have (a porosity outside 0..100 %, an effective porosity
            above the total, a negative thickness, rainfall, irrigation, evaporation or
            salinity, a leaching efficiency outside 0..100 %, a negative drainage factor),
            or a project the engine cannot run.
        """
        translated(_core.check, self._record(), bool(panels))

    def write(self, path: str | os.PathLike) -> None:
        """Checks the project as ``check()`` does and writes it as an input file.

        Parameters
        ----------
        path : str or os.PathLike
            The input file (".inp"): the same bytes the window writes under that name.
            ``file_name`` becomes path.

        Raises
        ------
        InputError
            With the program's text, for a project ``check()`` refuses; nothing is written.
        OSError
            When the file cannot be written, as Python's own subclass for its errno with
            ``errno``, ``strerror`` and ``filename`` (the path) set: FileNotFoundError for a
            folder that does not exist, PermissionError, IsADirectoryError for a folder of that
            name, NotADirectoryError, and a plain OSError for the rest (``errno.ENOSPC`` for a
            full disk). Each is a ``halosoil.FileError`` too; an earlier file is left as it was.
        """
        path = os.fspath(path)
        translated(_core.write_input, self._record(), path)
        self.file_name = path

    def input_text(self, path: str | os.PathLike | None = None) -> bytes:
        """The bytes of the input file the project gives.

        Parameters
        ----------
        path : str or os.PathLike, optional
            The name the file's second line gives; by default ``file_name``.

        Returns
        -------
        bytes
            What ``write(path)`` writes.

        Raises
        ------
        InputError
            With the program's text, for a project ``check()`` refuses.
        """
        name = self.file_name if path is None else os.fspath(path)
        return translated(_core.input_text, self._record(), name)

    # A new project whose rain and evaporation are a station's weather's (halosoil.to_steps).
    apply_weather = _apply_weather

    def __eq__(self, other: object) -> bool:
        if not isinstance(other, Project):
            return NotImplemented
        for name in _SCALARS:
            if getattr(self, name) != getattr(other, name):
                return False
        for name in _ZONE_FIELDS:
            mine, theirs = getattr(self, name), getattr(other, name)
            for zone in self.zones:
                if not _same_number(mine.get(zone, math.nan), theirs.get(zone, math.nan)):
                    return False
        for name in _SERIES:
            if not _same_series(getattr(self, name), getattr(other, name)):
                return False
        for zone in self.zones:
            if not _same_series(self.measured_salinity.get(zone), other.measured_salinity.get(zone)):
                return False
        return True

    __hash__ = None  # type: ignore[assignment]

    def __repr__(self) -> str:
        label = f", label={self.label!r}" if self.label else ""
        # Older files hold other step lengths, which the program keeps and runs; the window
        # offers only these.
        unusual = ("" if self.step_length in (360, 30, 7, 1) else
                   " (not a step length of the window: 360, 30, 7 or 1)")
        drains = (f"drains at {self.drain_depth:g} m (QH1 {self.qh1:g}, QH2 {self.qh2:g})"
                  if self.drains else "no drains")
        return (f"Project({self.title1!r}, {self.steps} steps of {self.step_length} day(s)"
                f"{unusual}, "
                f"{self.layers} root-zone layer(s), {drains}{label})")

    def _repr_html_(self) -> str:
        """The project in a notebook: its sizes, drains and soil properties per zone, as
        HTML."""
        import html

        rows = "".join(
            f"<tr><th>{zone}</th>" + "".join(
                f"<td>{getattr(self, name).get(zone, math.nan):g}</td>" for name in _ZONE_FIELDS)
            + "</tr>" for zone in self.zones)
        heads = "".join(f"<th>{name.replace('_', ' ')}</th>" for name in _ZONE_FIELDS)
        return (f"<p><b>{html.escape(self.title1)}</b><br>{html.escape(repr(self))}</p>"
                f"<table><tr><th>zone</th>{heads}</tr>{rows}</table>"
                "<p>thickness m; porosities and leaching efficiency %; initial salinity dS/m</p>")


def _is_dated(value: Any) -> bool:
    """Whether value is a pandas Series indexed by dates."""
    index = getattr(value, "index", None)
    return (type(value).__name__ == "Series" and index is not None
            and str(getattr(index, "dtype", "")).startswith("datetime64"))


def _check_number(label: str, value: Any) -> None:
    # Plain floats and ints pass at once; this runs for every value of every run.
    if type(value) is float or type(value) is int:
        return
    if isinstance(value, (bool, np.bool_, str, bytes)) or not isinstance(value, numbers.Real):
        raise InputError(f"{label} must be a number, not {value!r}")


def _zone_items(name: str, values: Any, zones: tuple[str, ...], layers: int):
    if type(values) is not dict and not isinstance(values, Mapping):
        raise InputError(f"{name} must be a dict keyed by zone ({', '.join(zones)}), "
                         f"not {type(values).__name__}")
    for zone in values:
        if zone not in zones:
            raise InputError(f"{name}: a project of {layers} root-zone layer(s) has no zone "
                             f"{zone!r}; its zones are {', '.join(zones)}")
    return values.items()


def _check_series(label: str, values: Any, steps: int) -> None:
    # A series of another length than the steps is named with both: the window's words for
    # it ("Please save the hydrological data again") mean nothing in a script.
    if type(values) is np.ndarray and values.ndim == 1 and values.dtype.kind in "fiu":
        if len(values) != steps:
            raise InputError(f"{label} has {len(values)} values; the project has {steps} time "
                             "steps")
        return
    array = np.asarray(values, dtype=object)
    if array.ndim != 1:
        raise InputError(f"{label} must be a series of {steps} values, one per time step")
    if len(array) != steps:
        raise InputError(f"{label} has {len(array)} values; the project has {steps} time steps, "
                         "one value each")
    for step, value in enumerate(array, start=1):
        if isinstance(value, (bool, np.bool_, str, bytes)) or not isinstance(
                value, numbers.Real):
            raise InputError(f"{label}, step {step}: {value!r} is not a number")


def _same_number(a: float, b: float) -> bool:
    return a == b or (math.isnan(a) and math.isnan(b))


def _same_series(a: Any, b: Any) -> bool:
    if a is None or b is None:
        return a is b
    a, b = np.asarray(a, dtype=float), np.asarray(b, dtype=float)
    return a.shape == b.shape and bool(np.array_equal(a, b, equal_nan=True))


def read_input(path: str | os.PathLike) -> Project:
    """Reads an input file (any layout the program reads) into a Project.

    Parameters
    ----------
    path : str or os.PathLike
        The input file (".inp").

    Returns
    -------
    Project
        The file's project, its ``file_name`` set to path.

    Raises
    ------
    InputError
        With the program's text, naming the file and line, when the file is damaged.
    FileNotFoundError, IsADirectoryError, PermissionError
        Python's own, with errno and filename, when the file cannot be opened.
    """
    return Project._from_record(translated(_core.read_input, readable(path)))


def _attributes_section() -> str:
    # The class's list of attributes, from the core's table of fields.
    types = {"text": "str", "whole": "int", "flag": "bool", "number": "float",
             "zones": "dict of str to float", "series": "numpy.ndarray"}
    lines = []
    for name, kind, unit, meaning in FIELDS:
        lines.append(f"    {name} : {types[kind]}")
        lines.append(f"        {meaning[0].upper()}{meaning[1:]}" + (f", in {unit}." if unit else "."))
    lines.append("    measured_salinity : dict of str to numpy.ndarray")
    lines.append("        Measured salinity of the soil moisture per zone and step, in dS/m; NaN where")
    lines.append("        nothing was measured.")
    lines.append("    file_name : str")
    lines.append("        The input file last read or written.")
    lines.append("    label : dict")
    lines.append("        What the project stands for within a study.")
    return "\n".join(lines) + "\n"


# The class's own text ends in the heading's indentation, which the section brings itself.
Project.__doc__ = (Project.__doc__ or "").rstrip(" ") + _attributes_section()
