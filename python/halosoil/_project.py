"""Projects: the input of one run, read from an input file or built in Python."""

from __future__ import annotations

import copy as _copy
import math
import numbers
import os
from collections.abc import Mapping
from typing import Any

import numpy as np

from . import _core
from ._errors import InputError, readable, translated
from ._zones import ZONE_KEYS, ZONE_NUMBERS, zones_of

# Python name -> the record's field, for the single values.
_SCALARS = {
    "title1": "Title1",
    "title2": "Title2",
    "steps": "NrTst",
    "step_length": "TstLength",
    "layers": "NrLayers",
    "drains": "DrainPresent",
    "drain_depth": "DrainDepth",
    "qh1": "QH1",
    "qh2": "QH2",
    "irrigation_water_salinity": "SaltIrrig",
    "water_table_depth": "WTdepth",
    "critical_depth": "CritDepth",
    "soil_moisture": "Moist",
    "irrigation_efficiency": "IrrEff",
    "groundwater_inflow": "GrwtInf",
    "groundwater_outflow": "GrwtOut",
    "inflow_salinity": "SalInf",
}
_INTEGERS = {"steps", "step_length", "layers"}
_TEXTS = {"title1", "title2"}

# Python name -> the record's field, for the values per zone.
_ZONE_FIELDS = {
    "thickness": "Thick",
    "total_porosity": "TotPor",
    "effective_porosity": "EffPor",
    "leaching_efficiency": "LeachEff",
    "initial_salinity": "InitSalt",
}

# Python name -> the record's field, for the series per time step.
_SERIES = {
    "rain": "Rain",
    "irrigation": "Irrig",
    "evaporation": "Evap",
    "irrigation_salinity": "IrrSal",
}


class Project:
    """One project: everything the program's input panels hold, as an input file stores it.

    Single values:
        title1, title2 (str): the titles shown in the output and the graphs.
        steps (int): the number of time steps.
        step_length (int): the length of a time step in days: 360 (year), 30 (month),
            7 (week) or 1 (day).
        layers (int): the number of root-zone layers, 1, 2 or 3.
        drains (bool): whether a subsurface drainage system is present.
        drain_depth (float): depth of the drains, m below the surface (with drains only).
        qh1 (float): drainage reaction factor QH1, m/day per m.
        qh2 (float): drainage reaction factor QH2, m/day per m squared.
        irrigation_water_salinity (float): salt concentration of the irrigation water, dS/m.
        water_table_depth (float): initial depth of the water table, m below the surface.
        critical_depth (float): critical depth of the water table for capillary rise, m.
        soil_moisture (float): initial soil moisture content, percent (20..100).
        irrigation_efficiency (float): irrigation efficiency, percent (30..100).
        groundwater_inflow, groundwater_outflow (float): groundwater flows, mm/day.
        inflow_salinity (float): salinity of the groundwater inflow, dS/m.

    Soil properties, dicts keyed by the zones that exist for ``layers`` (see ``zones``:
    'layer1', 'layer2', 'layer3', 'transition', 'aquifer'):
        thickness (m), total_porosity (percent), effective_porosity (percent),
        leaching_efficiency (percent), initial_salinity (dS/m).

    Series, numpy arrays of length ``steps``, element k for time step k + 1:
        rain, irrigation, evaporation (mm per time step), irrigation_salinity (dS/m).

    measured_salinity: dict keyed by zone of arrays of length ``steps``, dS/m, NaN where
    nothing was measured.

    A value left unset (NaN, or a zone missing from a dict) counts as a field the user left
    empty in the window, and ``check()`` refuses it as the window would.

    Also: ``file_name``, the input file last read or written (it is written into the file's
    second line), and ``label``, a dict describing the project within a study (see
    ``scenarios``). Neither takes part in comparing projects.
    """

    def __init__(self, *, steps: int = 11, step_length: int = 30, layers: int = 1, **values: Any):
        """A project with the given values; unset numbers are NaN, unset series all NaN.

        Example: ``Project(steps=12, step_length=30, layers=1, title1="Field 7")``, then set
        the remaining attributes.
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
        for name, value in values.items():
            if not hasattr(self, name):
                raise TypeError(f"Project has no attribute {name!r}")
            setattr(self, name, value)

    @property
    def zones(self) -> tuple[str, ...]:
        """The keys of the zones that exist for ``layers``, top down."""
        return zones_of(self.layers)

    # The record the core reads and writes.

    def _consistent(self) -> None:
        """Raises InputError for a value no input file could hold: a number of the wrong type,
        a zone the project lacks, a series whose length is not ``steps``."""
        for name in _INTEGERS:
            value = getattr(self, name)
            if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Integral):
                raise InputError(f"{name} must be a whole number, not {value!r}")
        for name in _TEXTS:
            value = getattr(self, name)
            if not isinstance(value, str):
                raise InputError(f"{name} must be text, not {value!r}")
        if not isinstance(self.drains, (bool, np.bool_)):
            raise InputError(f"drains must be True or False, not {self.drains!r}")
        for name in _SCALARS:
            if name in _INTEGERS or name in _TEXTS or name == "drains":
                continue
            _check_number(name, getattr(self, name))
        zones = self.zones
        for name in _ZONE_FIELDS:
            for zone, value in _zone_items(name, getattr(self, name), zones, self.layers):
                _check_number(f"{name}[{zone!r}]", value)
        for name in _SERIES:
            _check_series(name, getattr(self, name), self.steps)
        for zone, series in _zone_items("measured_salinity", self.measured_salinity, zones,
                                        self.layers):
            if series is not None:
                _check_series(f"measured_salinity[{zone!r}]", series, self.steps)

    def _record(self) -> dict[str, Any]:
        self._consistent()
        record: dict[str, Any] = {"InputFileName": self.file_name}
        for name, field in _SCALARS.items():
            value = getattr(self, name)
            if name in _TEXTS:
                record[field] = _eight_bit(value)
            elif name in _INTEGERS:
                record[field] = int(value)
            elif name == "drains":
                record[field] = bool(value)
            else:
                record[field] = float(value)
        for name, field in _ZONE_FIELDS.items():
            values = getattr(self, name)
            record[field] = [0.0] + [float(values.get(zone, math.nan)) for zone in ZONE_KEYS]
        # The window stores an empty leaching efficiency of the second of two layers as -1.
        if self.layers == 2 and math.isnan(record["LeachEff"][2]):
            record["LeachEff"][2] = -1.0
        for name, field in _SERIES.items():
            record[field] = np.asarray(getattr(self, name), dtype=float)
        measured: list[Any] = [None] * 6
        for zone in self.zones:
            series = self.measured_salinity.get(zone)
            measured[ZONE_NUMBERS[zone]] = (
                np.full(self.steps, np.nan) if series is None else np.asarray(series, dtype=float))
        record["MeasSalt"] = measured
        return record

    @classmethod
    def _from_record(cls, record: dict[str, Any]) -> Project:
        project = cls(steps=record["NrTst"], step_length=record["TstLength"],
                      layers=record["NrLayers"])
        for name, field in _SCALARS.items():
            value = record[field]
            setattr(project, name, value.decode("latin-1") if name in _TEXTS else value)
        zones = project.zones
        for name, field in _ZONE_FIELDS.items():
            setattr(project, name, {zone: record[field][ZONE_NUMBERS[zone]] for zone in zones})
        for name, field in _SERIES.items():
            setattr(project, name, record[field])
        project.measured_salinity = {
            zone: record["MeasSalt"][ZONE_NUMBERS[zone]] for zone in zones}
        project.file_name = record["InputFileName"]
        return project

    # What scripts do with a project.

    def copy(self) -> Project:
        """An independent copy: changing it leaves this project as it is."""
        return _copy.deepcopy(self)

    def check(self) -> None:
        """Raises ``halosoil.InputError`` with the program's own text when the window or the
        engine would refuse this project; returns None when it can be written and run."""
        translated(_core.check, self._record())

    def write(self, path: str | os.PathLike) -> None:
        """Checks the project and writes it as an input file to path: the same bytes the
        window writes under that name. Sets ``file_name`` to path."""
        path = os.fspath(path)
        translated(_core.write_input, self._record(), path)
        self.file_name = path

    def input_text(self, path: str | os.PathLike | None = None) -> bytes:
        """The bytes of the input file the project gives when written to path (by default
        its ``file_name``)."""
        name = self.file_name if path is None else os.fspath(path)
        return translated(_core.input_text, self._record(), name)

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
        drains = (f"drains at {self.drain_depth:g} m (QH1 {self.qh1:g}, QH2 {self.qh2:g})"
                  if self.drains else "no drains")
        return (f"Project({self.title1!r}, {self.steps} steps of {self.step_length} day(s), "
                f"{self.layers} root-zone layer(s), {drains}{label})")

    def _repr_html_(self) -> str:
        """The project in a notebook: its sizes, drains and soil properties per zone."""
        import html

        rows = "".join(
            f"<tr><th>{zone}</th>" + "".join(
                f"<td>{getattr(self, name).get(zone, math.nan):g}</td>" for name in _ZONE_FIELDS)
            + "</tr>" for zone in self.zones)
        heads = "".join(f"<th>{name.replace('_', ' ')}</th>" for name in _ZONE_FIELDS)
        return (f"<p><b>{html.escape(self.title1)}</b><br>{html.escape(repr(self))}</p>"
                f"<table><tr><th>zone</th>{heads}</tr>{rows}</table>"
                "<p>thickness m; porosities and leaching efficiency %; initial salinity dS/m</p>")


def _check_number(label: str, value: Any) -> None:
    if isinstance(value, (bool, np.bool_, str, bytes)) or not isinstance(value, numbers.Real):
        raise InputError(f"{label} must be a number, not {value!r}")


def _zone_items(name: str, values: Any, zones: tuple[str, ...], layers: int):
    if not isinstance(values, Mapping):
        raise InputError(f"{name} must be a dict keyed by zone ({', '.join(zones)}), "
                         f"not {type(values).__name__}")
    for zone in values:
        if zone not in zones:
            raise InputError(f"{name}: a project of {layers} root-zone layer(s) has no zone "
                             f"{zone!r}; its zones are {', '.join(zones)}")
    return values.items()


def _check_series(label: str, values: Any, steps: int) -> None:
    array = np.asarray(values, dtype=object)
    if array.ndim != 1:
        raise InputError(f"{label} must be a series of {steps} values, one per time step")
    # A shorter series the core refuses in the window's words; a longer one it would cut.
    if len(array) > steps:
        raise InputError(f"{label} has {len(array)} values; the project has {steps} time steps")
    for step, value in enumerate(array, start=1):
        if isinstance(value, (bool, np.bool_, str, bytes)) or not isinstance(
                value, numbers.Real):
            raise InputError(f"{label}, step {step}: {value!r} is not a number")


def _eight_bit(text: str) -> bytes:
    # The files hold 8-bit text; like the window, a character beyond Latin-1 becomes "?".
    return str(text).encode("latin-1", errors="replace")


def _same_number(a: float, b: float) -> bool:
    return a == b or (math.isnan(a) and math.isnan(b))


def _same_series(a: Any, b: Any) -> bool:
    if a is None or b is None:
        return a is b
    a, b = np.asarray(a, dtype=float), np.asarray(b, dtype=float)
    return a.shape == b.shape and bool(np.array_equal(a, b, equal_nan=True))


def read_input(path: str | os.PathLike) -> Project:
    """Reads an input file (any layout the program reads) into a Project.

    Raises ``halosoil.InputError`` with the program's text when the file is damaged, and
    Python's own FileNotFoundError, IsADirectoryError or PermissionError (with errno and
    filename) when it cannot be opened.
    """
    return Project._from_record(translated(_core.read_input, readable(path)))
