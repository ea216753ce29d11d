"""Results: what one run computed, or what an output file holds."""

from __future__ import annotations

import os
import warnings
from typing import Any, Optional

import numpy as np

from . import _core, _dates, _limits
from ._arguments import count, flag, not_a_project, with_salt_balance
from ._arguments import salt_balance as salt_balance_name
from ._errors import (InputError, SaltBalanceWarning, WaterTableBelowAquifer, readable,
                      translated)
from ._names import SCRIPT_NAMES, Summary, aliasing
from ._project import Project
from ._zones import ZONE_NUMBERS, zones_of

# The per-step results as the core's one table gives them: (name, kind, unit, meaning).
FIELDS: tuple[tuple[str, str, str, str], ...] = tuple(_core.result_fields())
_SERIES = tuple(name for name, kind, _, _ in FIELDS if kind == "series")
# The quantities of a salt budget, in the order of the core's array.
_BUDGET_COLUMNS: tuple[str, ...] = tuple(_core.salt_budget_columns())


class Result:
    """The results of one run, or of an output file read back.

    Results come from ``run``, ``sweep`` and ``read_output``; they are not built by hand.
    Per-step arrays have length ``steps``, element k for time step k + 1 (the initial state,
    step 0, is not included); ``to_dataframe()`` gives them indexed by step. Per-zone values are dicts keyed by the zones that exist for
    ``layers`` ('layer1', 'layer2', 'layer3', 'transition', 'aquifer').

    Attributes
    ----------
    title1, title2 : str
        The project's titles.
    steps : int
        The number of time steps.
    step_length : int
        The length of a time step, in days.
    layers : int
        The number of root-zone layers.
    qh1_used : float or None
        The drainage reaction factor QH1 the water balance used, in m/day per m; from an output file
        None when the file has no drainage line.
    qh1_refined : bool
        Whether the refinement found a QH1 that closes the water balance.
    refine_chosen : bool
        Whether the refinement was done (the output file then shows QH1).
    leaching_efficiency : dict of str to float or None
        The efficiency the final salt balance used per zone, in percent as in the project
        (the output file shows it as a fraction); None where the file has no line for it.
    optimised : dict of str to bool or None
        Whether the zone's efficiency was optimised.
    coefficient_of_determination : dict of str to float or None
        The fit of simulated to measured salinity per zone, in percent as the output file
        shows it; None where not available.
    label : dict
        The label of the project the run came from (see ``scenarios``).
    """

    @classmethod
    def _from_fields(cls, fields: dict[str, Any], label: Optional[dict[str, Any]] = None
                     ) -> Result:
        result = cls.__new__(cls)
        result.__dict__.update(fields)
        result.label = dict(label) if label else {}
        return result

    def __getattr__(self, name: str) -> Any:
        # Only for names the instance lacks: the deprecated aliases.
        if name in SCRIPT_NAMES:
            import warnings as _warnings

            _warnings.warn(f"Result.{name} is deprecated; use Result.{SCRIPT_NAMES[name]}, the "
                           "project's name", DeprecationWarning, stacklevel=2)
            return self.__dict__[SCRIPT_NAMES[name]]
        raise AttributeError(f"{type(self).__name__!r} object has no attribute {name!r}")

    def _fields(self) -> dict[str, Any]:
        """The result as the core reads it."""
        return dict(self.__dict__)

    def write(self, path: str | os.PathLike) -> None:
        """Writes the output file of this result.

        Parameters
        ----------
        path : str or os.PathLike
            The output file (".out"); an earlier file is replaced only by a whole new one.

        Raises
        ------
        OSError
            When the file cannot be written, as Python's own subclass for its errno with
            ``errno``, ``strerror`` and ``filename`` (the path) set: FileNotFoundError for a
            folder that does not exist, PermissionError, IsADirectoryError for a folder of that
            name, NotADirectoryError, and a plain OSError for the rest (``errno.ENOSPC`` for a
            full disk). Each is a ``halosoil.FileError`` too; an earlier file is left as it was.

        Notes
        -----
        For a run, the bytes are exactly those ``halosoil-batch run`` writes under that name.
        """
        translated(_core.write_output, self._fields(), os.fspath(path))

    def output_text(self, path: str | os.PathLike) -> bytes:
        """The output file's bytes.

        Parameters
        ----------
        path : str or os.PathLike
            The name the file's second line gives.

        Returns
        -------
        bytes
            What ``write(path)`` writes.
        """
        return translated(_core.output_text, self._fields(), os.fspath(path))

    def to_dataframe(self):
        """The per-step results as a table.

        Returns
        -------
        pandas.DataFrame
            Indexed by time step (1..steps, index name 'step'), or for a project with a
            ``start`` by the dates of the steps' ends (a DatetimeIndex named 'date': step k
            ends ``start + k * step_length`` days), with the columns
            percolation, capillary_rise, actual_evaporation, drainage (mm per time step),
            water_table_depth (m below the surface; the project's name: the older
            depth_water_table still selects the column, with a DeprecationWarning, and
            keeps its name in what it selects) and salinity_<zone> (dS/m) for each zone
            that exists.
        """
        import pandas as pd

        columns = {name: self.__dict__[name] for name in _SERIES}
        for zone, series in self.salinity.items():
            columns[f"salinity_{zone}"] = series
        return aliasing(pd.DataFrame(columns, index=self._step_index()))

    def _step_index(self):
        """The steps 1..steps, or the dates of their ends for a dated project."""
        import pandas as pd

        project = self.__dict__.get("_project", self.__dict__.get("_budget_project"))
        start = getattr(project, "start", None) if project is not None else None
        if start is None:
            return pd.RangeIndex(1, self.steps + 1, name="step")
        return _dates.step_ends(start, self.steps, self.step_length)

    def salt_budget(self):
        """The salt budget of the run, per time step and zone.

        Returns
        -------
        pandas.DataFrame
            Indexed by (step, zone) for the zones that exist (by (date, zone), the dates of
            the steps' ends, for a project with a ``start``), in mm x dS/m (the water's
            amount times its salinity) summed over the step's days: the salt that came in
            (``in_irrigation``, ``in_rain`` (rain is salt-free, so always 0),
            ``in_percolation`` from the zone above, ``in_capillary_rise`` from the zone
            below, ``in_seepage`` between transition zone and aquifer, ``in_groundwater``
            into the aquifer), that went out (``out_drainage``, ``out_percolation``,
            ``out_capillary_rise``, ``out_seepage``, ``out_groundwater``), the change in
            storage (the stored water times the change of salinity) and the ``imbalance``,
            the storage change less what came in plus what went out: salt the balance made
            (positive) or lost.

        Notes
        -----
        A flow between two zones is counted once, with the salt the receiving zone takes in.
        With ``salt_balance="conserving"`` the imbalance is rounding (and the 0.1 dS/m floor
        of a salinity driven below zero). With the specified balance the transition zone
        shows as imbalance the salt its capillary rise carried up, which it never lost.

        The budget needs each day's salinities: a result of ``run`` carries it; for a result
        of ``sweep`` or ``read_output`` the project is run again (with the efficiencies'
        optimisation and the drainage refinement as the result shows them, and the specified
        salt balance for a file, which cannot say otherwise).
        """
        import pandas as pd

        cells = self.__dict__.get("_salt_budget")
        if cells is None:
            cells = self._budget_by_running()
        zones = list(self.salinity)
        numbers = [ZONE_NUMBERS[zone] - 1 for zone in zones]
        table = np.asarray(cells)[:, numbers, :].reshape(-1, len(_BUDGET_COLUMNS))
        steps = self._step_index()
        index = pd.MultiIndex.from_product([steps, zones], names=[steps.name, "zone"])
        return pd.DataFrame(table, index=index, columns=list(_BUDGET_COLUMNS))

    def _budget_by_running(self):
        project = self.__dict__.get("_project", self.__dict__.get("_budget_project"))
        if project is None:
            raise InputError("the salt budget needs the run's project, and this result has "
                             "none: run the project with halosoil.run")
        optimised = any(bool(value) for value in (self.optimised or {}).values())
        with warnings.catch_warnings():
            warnings.simplefilter("ignore", SaltBalanceWarning)
            again = run(project, refine=bool(self.refine_chosen), optimise=optimised,
                        salt_balance=self.__dict__.get("_salt_balance", "specified"))
        self._salt_budget = again._salt_budget
        return self._salt_budget

    def relative_yield(self, crop, ece_factor: float = 0.5, project: Optional[Project] = None,
                       crops: Optional[str | os.PathLike] = None):
        """What the run's salinity costs a crop, step by step.

        Parameters
        ----------
        crop : str or mapping
            A crop of the table (see ``halosoil.crops``), "threshold=T,slope=B", or
            ``{'threshold': T, 'slope': B}`` (dS/m, % per dS/m).
        ece_factor : float, default 0.5
            ECe = factor x the root zone's salinity of the soil moisture (the layers'
            salinities averaged by their thickness): the soil moisture near field capacity
            holds about twice the concentration of the saturation extract.
        project : Project, optional
            The project the result is of, for its layers' thicknesses, irrigation salinity and
            evaporation; a result of ``run`` or ``read_output`` knows its own.
        crops : str or os.PathLike, optional
            A crop table of one's own to find the name in.

        Returns
        -------
        pandas.DataFrame
            Indexed by step: ``ece`` (dS/m), ``relative_yield`` (%, 100 - slope x (ECe -
            threshold) within 0..100), ``leaching_requirement`` (ECw / (5 threshold - ECw),
            NaN where it cannot be met) and ``irrigation_needed`` (evaporation / (1 - LR), mm
            per time step). ``attrs`` holds the crop and the ECe factor.
        """
        import pandas as pd

        from ._decisions import crop_of

        project = project if project is not None else getattr(self, "_project", None)
        if not isinstance(project, Project):
            raise InputError("relative_yield needs the project the result is of: "
                             "result.relative_yield(crop, project=project)")
        name, threshold, slope, klass, source = crop_of(crop, crops)
        columns = translated(_core.yield_steps, project._record(), self._fields(),
                             threshold, slope, float(ece_factor))
        step = columns.pop("step").astype(int)
        table = pd.DataFrame(columns, index=pd.Index(step, name="step"))
        table.attrs.update(crop=name, threshold=threshold, slope=slope, ece_factor=ece_factor,
                           source=source)
        return table

    def summary(self) -> dict[str, float]:
        """What a study compares of a run, as a dict of numbers.

        Returns
        -------
        dict
            ``final_salinity_<zone>`` (dS/m at the end of the last step, for each zone),
            ``mean_salinity_<zone>`` (dS/m, over the steps), ``min_water_table_depth`` and
            ``max_water_table_depth`` (m below the surface), and the totals over the steps of
            ``drainage``, ``percolation``, ``capillary_rise`` and ``actual_evaporation``
            (mm). The older keys ``min_depth_water_table`` and ``max_depth_water_table``
            still answer, with a DeprecationWarning.
        """
        summary: dict[str, float] = Summary()
        for zone, series in self.salinity.items():
            series = np.asarray(series, dtype=float)
            summary[f"final_salinity_{zone}"] = float(series[-1]) if len(series) else np.nan
            summary[f"mean_salinity_{zone}"] = float(series.mean()) if len(series) else np.nan
        depth = np.asarray(self.water_table_depth, dtype=float)
        summary["min_water_table_depth"] = float(depth.min()) if len(depth) else np.nan
        summary["max_water_table_depth"] = float(depth.max()) if len(depth) else np.nan
        for name in ("drainage", "percolation", "capillary_rise", "actual_evaporation"):
            summary[f"total_{name}"] = float(np.asarray(getattr(self, name), dtype=float).sum())
        return summary

    def __repr__(self) -> str:
        label = f", label={self.label!r}" if self.label else ""
        if self.steps == 0:
            return f"Result({self.title1!r}, no steps{label})"
        depth = np.asarray(self.water_table_depth, dtype=float)
        finals = ", ".join(f"{zone} {float(np.asarray(series)[-1]):.2f}"
                           for zone, series in self.salinity.items())
        return (f"Result({self.title1!r}, {self.steps} steps, water table {depth.min():.2f} to "
                f"{depth.max():.2f} m, final salinity (dS/m) {finals}{label})")

    def _repr_html_(self) -> str:
        """The run in a notebook: its summary as an HTML table."""
        import html

        rows = "".join(f"<tr><th>{name.replace('_', ' ')}</th><td>{value:.4g}</td></tr>"
                       for name, value in self.summary().items())
        return f"<p><b>{html.escape(self.title1)}</b></p><table>{rows}</table>"


def run(project: Project, refine: bool = False, optimise: bool = False, *,
        threads: int = 0, salt_balance: str = "specified") -> Result:
    """Runs a project as ``halosoil-batch run`` runs the project of a file.

    Parameters
    ----------
    project : Project
        The project; it is checked as the batch runner checks a file's (see
        ``Project.check``), not with the input panels' own refusals.
    refine : bool, default False
        The answer to the program's question whether to refine the drainage reaction factor
        QH1 (the program's drainage-capacity refinement).
    optimise : bool, default False
        The answer to the question whether to optimise the leaching efficiencies of the
        zones with at least four measured salinities.
    threads : int, default 0
        Threads for the calibrations' trials, 0 for one per core; runs that go side by side
        give 1.
    salt_balance : {"specified", "conserving"}, default "specified"
        "specified" is the earlier program's salt balance, to the byte of its output files;
        its capillary rise carries the transition zone's salt up without taking it out of the
        transition zone, so salt appears in long runs. "conserving" takes the salt of every
        upward flow out of the zone it leaves; its budget closes (``Result.salt_budget``).

    Returns
    -------
    Result
        The run's results; written, the output file of ``halosoil-batch run``, to the byte.

    Raises
    ------
    InputError
        With the program's text, for a project it refuses; also for ``refine`` or
        ``optimise`` other than True or False, and a negative ``threads``.
    TypeError
        For anything but a Project; for a path, with the hint to read it with ``read_input``.
    WaterTableBelowAquifer
        When the water table falls below the aquifer.

    Warns
    -----
    SaltBalanceWarning
        When the run's salt balance made or lost more than 5 % of the salt that came in with
        irrigation and groundwater, or a salinity passed 200 dS/m.

    Notes
    -----
    The interpreter's lock is released while the engine computes.
    """
    if not isinstance(project, Project):
        raise not_a_project("run", project)
    balance = salt_balance_name(salt_balance)
    project._check_limits()
    _limits.warn_before_run(project.__dict__, project.__dict__.get("_held", frozenset()),
                            project.file_name)
    outcome = translated(_core.run, with_salt_balance(project._record(), balance),
                         flag("refine", refine), flag("optimise", optimise),
                         count("threads", threads, 0))
    if isinstance(outcome, tuple):
        message, step = outcome
        raise WaterTableBelowAquifer(message, step)
    result = Result._from_fields(outcome, project.label)
    result._project = project.copy()
    for warning in result.__dict__.pop("_salt_warnings", ()):
        warnings.warn(f"{project.title1 or 'the project'}: {warning}", SaltBalanceWarning,
                      stacklevel=2)
    return result


def read_output(path: str | os.PathLike) -> Result:
    """Reads an output file into a Result.

    Parameters
    ----------
    path : str or os.PathLike
        The output file (".out"); the input file of the same name is read beside it.

    Returns
    -------
    Result
        The file's results, the efficiencies and coefficients in percent.

    Raises
    ------
    InputError
        With the program's text when the output file, or the input file of the same name,
        cannot be read.
    FileNotFoundError, IsADirectoryError, PermissionError
        Python's own, with errno and filename, when the output file cannot be opened.
    """
    result = Result._from_fields(translated(_core.read_output, readable(path)))
    # The crop's yield needs the project whole: the input file of the output's name.
    from ._project import read_input

    try:
        result._project = read_input(os.path.splitext(os.fspath(path))[0] + ".inp")
    except (InputError, OSError):
        pass
    return result


def _series_section() -> str:
    # The per-step attributes, from the core's table of results: bare arrays, as the engine
    # gives them, whose position is the step less one.
    lines = []
    for name, kind, unit, meaning in FIELDS:
        kind_text = "numpy.ndarray" if kind == "series" else "dict of str to numpy.ndarray"
        lines.append(f"    {name} : {kind_text}")
        arrays = "per zone that exists a bare array" if kind == "zones" else "a bare array"
        lines.append(f"        {meaning[0].upper()}{meaning[1:]}, in {unit};")
        lines.append(f"        {arrays} (no index), element 0 for step 1.")
    for old, new in SCRIPT_NAMES.items():
        lines.append(f"    {old} : numpy.ndarray")
        lines.append(f"        Deprecated: the older name of {new}, the project's name; reading")
        lines.append("        it gives a DeprecationWarning.")
    return "\n".join(lines) + "\n"


# The class's own text ends in the heading's indentation, which the section brings itself.
Result.__doc__ = (Result.__doc__ or "").rstrip(" ") + _series_section()

__all__ = ["Result", "run", "read_output", "InputError"]

