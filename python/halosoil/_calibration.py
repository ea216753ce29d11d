"""The joint calibration of a project's parameters to observations."""

from __future__ import annotations

import os
from typing import Any, Mapping, Optional

from . import _core
from ._arguments import salt_balance as _salt_balance_name, with_salt_balance
from ._errors import translated
from ._names import in_script_terms, script_names
from ._observations import study_observations
from ._project import Project
from ._result import Result
from ._study_inputs import parameter_bounds, seed_of, weights_of


class Calibration:
    """What a calibration found, as ``halosoil.calibrate`` returns it.

    Attributes
    ----------
    project : Project
        The project with the calibrated values (factors applied to its series).
    parameters : pandas.DataFrame
        Indexed by parameter name (index name ``'parameter'``), the columns ``unit``,
        ``start`` (the value in the given project; 1 for a factor), ``low``, ``high`` (the
        bounds), ``value`` (the calibrated value), ``standard_error``, ``ci95_low``,
        ``ci95_high`` (the 95 % interval) and ``at_bound`` (bool). Values are in the
        parameter's unit: porosities and efficiencies in percent, depths and thicknesses in m,
        flows in mm/day, salinities in dS/m. A standard error is NaN where the data cannot tell
        it and infinite where the runs do not change with the parameter.
    fit : pandas.DataFrame
        Indexed by observed quantity (index name ``'quantity'``): ``n`` (observations),
        ``rmse``, ``bias`` (mean of simulated minus observed, in the quantity's unit), ``nse``
        (Nash-Sutcliffe efficiency) and ``r2``; NaN where undefined.
    correlation : pandas.DataFrame
        The correlation of the estimates, parameters x parameters.
    result : Result or None
        The plain run (no refinement, no optimisation) of the calibrated project; None when
        that run stopped early (``warnings`` says at which step).
    warnings : list of str
        What the calibration could not determine, in the program's words.
    objective : dict
        ``{'start': ..., 'end': ...}``: the unit-free objective of the given and of the
        calibrated project.
    runs : int
        The plain runs the calibration made.
    seconds : float
        How long it took.
    """

    def __init__(self, outcome: dict[str, Any]):
        import pandas as pd

        self._report: str = outcome["report"]
        self.project = Project._from_record(outcome["project"])
        frame = pd.DataFrame(outcome["parameters"])
        self.parameters = frame.set_index("name").rename_axis("parameter")
        self.parameters["at_bound"] = self.parameters["at_bound"].astype(bool)
        fit = pd.DataFrame(outcome["fit"], columns=["quantity", "n", "rmse", "bias", "nse", "r2"])
        fit["quantity"] = script_names(fit["quantity"])
        self.fit = fit.set_index("quantity")
        names = list(self.parameters.index)
        self.correlation = pd.DataFrame(outcome["correlation"], index=names, columns=names,
                                        dtype=float)
        run = outcome["run"]
        self.result: Optional[Result] = None if run is None else Result._from_fields(run)
        self.warnings: list[str] = [in_script_terms(text) for text in outcome["warnings"]]
        self.objective: dict[str, float] = {"start": outcome["objective_start"],
                                            "end": outcome["objective_end"]}
        self.runs: int = outcome["runs"]
        self.seconds: float = outcome["seconds"]

    def to_json(self) -> str:
        """The calibration's report as JSON.

        Returns
        -------
        str
            The text ``halosoil-batch calibrate`` writes as its report, which
            ``ensemble(from_calibration=...)`` reads back.
        """
        return self._report

    def save(self, path: str | os.PathLike) -> None:
        """Writes the report (``to_json()``).

        Parameters
        ----------
        path : str or os.PathLike
            The report's file; an earlier file is replaced only by a whole new one.

        Raises
        ------
        OSError
            When the file cannot be written, as Python's own subclass for its errno with
            ``errno``, ``strerror`` and ``filename`` (the path) set: FileNotFoundError for a
            folder that does not exist, PermissionError, IsADirectoryError for a folder of that
            name, NotADirectoryError, and a plain OSError for the rest (``errno.ENOSPC`` for a
            full disk). Each is a ``halosoil.FileError`` too; an earlier file is left as it was.
        """
        _core.write_file(os.fspath(path), self._report.encode("utf-8"))

    def __repr__(self) -> str:
        names = ", ".join(self.parameters.index)
        return (f"Calibration({names}; objective {self.objective['start']:.6g} -> "
                f"{self.objective['end']:.6g} in {self.runs} runs)")


def calibrate(project: Project, observations: Any = None,
              parameters: Optional[Mapping[str, Any]] = None,
              weights: Optional[Mapping[str, float]] = None, seed: int = 0,
              client: Any = None, threads: int = 0,
              salt_balance: str = "specified") -> Calibration:
    """Fits parameters of a project to observations, jointly.

    A global derivative-free search (reproducible for a seed) is followed by local searches
    from its best distinct points; standard errors come from the Jacobian of the weighted
    residuals at the optimum. Every evaluation is a plain run of the project (no refinement of
    QH1, no optimisation of the leaching efficiencies). The interpreter's
    lock is released meanwhile.

    Parameters
    ----------
    project : Project
        The project; its values are the starting point.
    observations : None, str, os.PathLike or pandas.DataFrame
        What the runs are fitted to, besides the project's measured salinities (dS/m): None
        for those only, or the path of an observations CSV, or a DataFrame in the layout
        ``read_observations`` returns (indexed by step). A salinity column replaces that
        zone's measured salinities.
    parameters : dict
        ``{name: (low, high)}``, e.g. ``{'qh1': (0.005, 0.05),
        'leaching_efficiency_layer1': (50, 100)}``, in the parameter's unit: drainage factors
        qh1 in m/day per m and qh2 in m/day per m squared, groundwater flows in mm/day,
        salinities in dS/m, depths and thicknesses in m, porosities and efficiencies in percent,
        the factors on rain, irrigation, evaporation and irrigation salinity without unit.
        Per-zone names end in ``_layer1``, ``_layer2``, ``_layer3``, ``_transition`` or
        ``_aquifer``.
    weights : dict, optional
        ``{quantity: weight}`` (e.g. ``{'water_table_depth': 2.0}``; the older
        ``depth_water_table`` is still taken, with a DeprecationWarning); a quantity counts by
        its weight (default 1) in the unit-free objective, whatever its number of
        observations or unit.
    seed : int
        Seed of the search; the same seed gives the same calibration.
    client : dask.distributed.Client, optional
        Accepted so that a script can hand every study the same arguments; a calibration's
        runs depend on the ones before, so it runs on this machine's cores all the same.
    threads : int
        Threads for the runs; 0 for one per core.
    salt_balance : {"specified", "conserving"}, default "specified"
        The salt balance of every run, as for ``run``.

    Returns
    -------
    Calibration

    Raises
    ------
    halosoil.InputError
        The program's text for a project, parameters, weights or observations it refuses
        (e.g. ``"Parameter qh1: the bounds 0.05:0.005 are reversed"``).
    FileNotFoundError
        The observations file does not exist.
    """
    del client  # see above: the calibration runs here
    bounds = parameter_bounds(parameters)
    columns = study_observations(project, observations)
    record = with_salt_balance(project._record(), _salt_balance_name(salt_balance))
    outcome = translated(_core.calibrate, record, bounds, columns,
                         weights_of(weights), seed_of(seed), int(threads))
    calibration = Calibration(outcome)
    calibration.project.label = dict(project.label)
    if calibration.result is not None:
        calibration.result.label = dict(project.label)
    return calibration
