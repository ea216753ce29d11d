"""Results: what one run computed, or what an output file holds."""

from __future__ import annotations

import os
from typing import Any, Optional

import numpy as np

from . import _core
from ._errors import InputError, WaterTableBelowAquifer, readable, translated
from ._project import Project
from ._zones import ZONE_NUMBERS, zones_of

_SERIES = {
    "percolation": "Percol",
    "capillary_rise": "CapRise",
    "actual_evaporation": "ActEvap",
    "drainage": "Drain",
    "depth_water_table": "DepthWT",
}
_SALINITY = {
    "layer1": "SalRoot1",
    "layer2": "SalRoot2",
    "layer3": "SalRoot3",
    "transition": "SalTrans",
    "aquifer": "SalAquif",
}


class Result:
    """The results of one run, or of an output file read back.

    Per-step numpy arrays of length ``steps``, element k for time step k + 1 (the initial
    state, step 0, is not included):
        percolation, capillary_rise, actual_evaporation, drainage (mm per time step),
        depth_water_table (m below the surface, at the end of the step).
    salinity: dict keyed 'layer1', 'layer2', 'layer3', 'transition', 'aquifer' (the zones
        that exist) of per-step arrays, dS/m at the end of the step.
    qh1_used (float or None): the drainage capacity QH1 the water balance used (m/day per m);
        from an output file None when the file has no drainage line.
    qh1_refined (bool): whether the refinement found a capacity.
    refine_chosen (bool): whether the refinement was done (the output file then shows QH1).
    Per zone, dicts with the same keys:
        leaching_efficiency: the efficiency the final salt balance used, as a fraction
            (0..1), as the output file shows it; None where the file has no line for it.
        optimised: whether it was optimised.
        coefficient_of_determination: the fit of simulated to measured salinity, as a
            fraction (the file shows whole percent); None where not available.
    Also: title1, title2, steps, step_length (days), layers, and label (the project's label).
    """

    def __init__(self, fields: dict[str, Any], label: Optional[dict[str, Any]] = None):
        self._fields = fields
        self.title1: str = fields["Title1"].decode("latin-1")
        self.title2: str = fields["Title2"].decode("latin-1")
        self.steps: int = fields["NrTst"]
        self.step_length: int = fields["TstLength"]
        self.layers: int = fields["NrLayers"]
        zones = zones_of(self.layers)
        for name, field in _SERIES.items():
            setattr(self, name, fields[field])
        self.salinity: dict[str, np.ndarray] = {zone: fields[_SALINITY[zone]] for zone in zones}
        self.qh1_used: Optional[float] = fields["QH1Used"]
        self.qh1_refined: bool = bool(fields["QH1Refined"])
        self.refine_chosen: bool = bool(fields["RefineChosen"])
        self.leaching_efficiency: dict[str, Optional[float]] = {}
        self.optimised: dict[str, Optional[bool]] = {}
        self.coefficient_of_determination: dict[str, Optional[float]] = {}
        for zone in zones:
            z = ZONE_NUMBERS[zone]
            efficiency = fields["LeachEff"][z]
            self.leaching_efficiency[zone] = efficiency
            self.optimised[zone] = None if efficiency is None else bool(fields["LeachEffOptimized"][z])
            self.coefficient_of_determination[zone] = (
                None if fields["FitNA"][z] or efficiency is None else fields["CoefDet"][z])
        self.label: dict[str, Any] = dict(label or {})

    def _output_fields(self) -> dict[str, Any]:
        fields = dict(self._fields)
        for name, field in _SERIES.items():
            fields[field] = np.asarray(getattr(self, name), dtype=float)
        for zone, series in self.salinity.items():
            fields[_SALINITY[zone]] = np.asarray(series, dtype=float)
        for field in _SALINITY.values():
            fields.setdefault(field, np.zeros(self.steps))
        return fields

    def write(self, path: str | os.PathLike) -> None:
        """Writes the output file of this result to path: for a run, exactly the bytes that
        ``halosoil-batch run`` writes under that name. An earlier file is replaced only by a
        whole new one."""
        translated(_core.write_output, self._output_fields(), os.fspath(path))

    def output_text(self, path: str | os.PathLike) -> bytes:
        """The bytes ``write(path)`` writes (the file's second line names path)."""
        return translated(_core.output_text, self._output_fields(), os.fspath(path))

    def to_dataframe(self):
        """A pandas DataFrame indexed by time step (1..steps, index name 'step') with the
        columns percolation, capillary_rise, actual_evaporation, drainage, depth_water_table
        and salinity_<zone> for each zone that exists."""
        import pandas as pd

        columns = {name: getattr(self, name) for name in _SERIES}
        for zone, series in self.salinity.items():
            columns[f"salinity_{zone}"] = series
        return pd.DataFrame(columns, index=pd.RangeIndex(1, self.steps + 1, name="step"))

    def summary(self) -> dict[str, float]:
        """What a study compares of a run, as a dict of numbers.

        Returns
        -------
        dict
            ``final_salinity_<zone>`` (dS/m at the end of the last step, for each zone),
            ``mean_salinity_<zone>`` (dS/m, over the steps), ``min_depth_water_table`` and
            ``max_depth_water_table`` (m below the surface), and the totals over the steps of
            ``drainage``, ``percolation``, ``capillary_rise`` and ``actual_evaporation``
            (mm).
        """
        summary: dict[str, float] = {}
        for zone, series in self.salinity.items():
            series = np.asarray(series, dtype=float)
            summary[f"final_salinity_{zone}"] = float(series[-1]) if len(series) else np.nan
            summary[f"mean_salinity_{zone}"] = float(series.mean()) if len(series) else np.nan
        depth = np.asarray(self.depth_water_table, dtype=float)
        summary["min_depth_water_table"] = float(depth.min()) if len(depth) else np.nan
        summary["max_depth_water_table"] = float(depth.max()) if len(depth) else np.nan
        for name in ("drainage", "percolation", "capillary_rise", "actual_evaporation"):
            summary[f"total_{name}"] = float(np.asarray(getattr(self, name), dtype=float).sum())
        return summary

    def __repr__(self) -> str:
        label = f", label={self.label!r}" if self.label else ""
        if self.steps == 0:
            return f"Result({self.title1!r}, no steps{label})"
        depth = np.asarray(self.depth_water_table, dtype=float)
        finals = ", ".join(f"{zone} {float(np.asarray(series)[-1]):.2f}"
                           for zone, series in self.salinity.items())
        return (f"Result({self.title1!r}, {self.steps} steps, water table {depth.min():.2f} to "
                f"{depth.max():.2f} m, final salinity (dS/m) {finals}{label})")

    def _repr_html_(self) -> str:
        """The run in a notebook: its summary as a table."""
        import html

        rows = "".join(f"<tr><th>{name.replace('_', ' ')}</th><td>{value:.4g}</td></tr>"
                       for name, value in self.summary().items())
        return f"<p><b>{html.escape(self.title1)}</b></p><table>{rows}</table>"


def run(project: Project, refine: bool = False, optimise: bool = False, *,
        threads: int = 0) -> Result:
    """Runs a project and returns its Result; the interpreter's lock is released meanwhile.

    refine, optimise: the answers to the program's two questions, whether to refine the
    drainage capacity QH1 and whether to optimise the leaching efficiencies of the zones with
    at least four measured salinities.
    threads: threads for the calibrations' trials, 0 for one per core; runs that go side by
    side give 1.

    Raises ``halosoil.InputError`` (the program's text) for a project it refuses and
    ``halosoil.WaterTableBelowAquifer`` when the water table falls below the aquifer.
    """
    outcome = translated(_core.run, project._record(), bool(refine), bool(optimise), int(threads))
    if isinstance(outcome, tuple):
        message, step = outcome
        raise WaterTableBelowAquifer(message, step)
    return Result(outcome, project.label)


def read_output(path: str | os.PathLike) -> Result:
    """Reads an output file the program reads into a Result.

    Raises Python's own FileNotFoundError, IsADirectoryError or PermissionError (with errno
    and filename) when the output file cannot be opened, and ``halosoil.InputError`` with the
    program's text when it, or the input file of the same name, cannot be read.
    """
    return Result(translated(_core.read_output, readable(path)))


__all__ = ["Result", "run", "read_output", "InputError"]
