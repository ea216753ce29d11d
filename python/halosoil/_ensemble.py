"""Ensembles: many members of one project with parameters drawn from distributions, and the
prediction bands of every result quantity per step."""

from __future__ import annotations

import os
from typing import Any, Mapping, Optional

import numpy as np

from . import _core
from ._calibration import Calibration
from ._arguments import salt_balance as _salt_balance_name, with_salt_balance
from ._errors import InputError, translated
from ._names import (SCRIPT_NAMES, aliasing_dataset, core_quantity, core_text, quantities,
                     script_names, script_text, warn_renamed)
from ._observations import _read_bytes
from ._project import Project
from ._study_inputs import (MEMBERS_PER_TASK, count_of, is_sequence, items_of, number_text,
                            on_dask, seed_of)

_BAND_COLUMNS = ["step", "quantity", "mean", "q05", "q25", "q50", "q75", "q95", "p_exceed",
                 "p_stopped"]


def _quantity_units() -> dict[str, str]:
    return {name: unit for name, unit, _ in quantities()}


def _distribution_texts(parameters: Optional[Mapping[str, Any]]) -> list[str]:
    # The command line's NAME=KIND:NUMBERS, which the core parses and refuses in its words.
    texts = []
    for name, given in items_of(parameters, "parameters is a dict of name: (kind, numbers...)"):
        if not is_sequence(given) or len(given) < 1:
            raise InputError(f"Parameter {name}: the distribution is ('uniform', low, high), "
                             f"('normal', mean, sd) or ('triangular', low, mode, high), not "
                             f"{given!r}")
        kind, *numbers = given
        texts.append(f"{name}={kind}:" + ":".join(number_text(number) for number in numbers))
    return texts


def _threshold_texts(thresholds: Optional[Mapping[str, Any]]) -> list[str]:
    # QUANTITY>VALUE or QUANTITY<VALUE, as the command line gives them, in the core's names.
    texts = []
    for quantity, given in items_of(thresholds,
                                    "thresholds is a dict of quantity: ('>' or '<', value)"):
        if not is_sequence(given) or len(given) != 2:
            raise InputError(f"Threshold {quantity}: a threshold is ('>', value) or "
                             f"('<', value), not {given!r}")
        sign, value = given
        if sign not in (">", "<"):
            raise InputError(f"Threshold {quantity}: a threshold is ('>', value) or "
                             f"('<', value), the comparison first, not {given!r}")
        quantity = core_quantity(quantity, "the threshold's quantity")
        texts.append(f"{quantity}{sign}{number_text(value)}")
    return texts


def _report_of(from_calibration: Any) -> Optional[tuple[bytes, str]]:
    if from_calibration is None:
        return None
    if isinstance(from_calibration, Calibration):
        return from_calibration.to_json().encode("utf-8"), "the calibration"
    if isinstance(from_calibration, (str, os.PathLike)):
        return _read_bytes(from_calibration)
    raise TypeError("from_calibration is a Calibration or the path of its report, not "
                    f"{type(from_calibration).__name__}")


def _run_chunk(record: dict, values: np.ndarray, names: list[str], lows: list[float],
               highs: list[float]) -> tuple[np.ndarray, np.ndarray, list[str]]:
    # On a worker: one thread for the chunk, the worker's threads run chunks side by side.
    return translated(_core.run_members, record, names, lows, highs, values, 1)


class Ensemble:
    """The members of an ensemble, as ``halosoil.ensemble`` returns them.

    Attributes
    ----------
    dataset : xarray.Dataset
        Dimensions ``member`` (0..members-1) and ``step`` (1..steps). One variable
        (member, step) per result quantity of the project, named as the result table's
        columns: ``water_table_depth`` (m below the surface), ``drainage``, ``percolation``,
        ``capillary_rise``, ``actual_evaporation`` (mm per time step), ``salinity_<zone>``
        (dS/m); NaN after the step a member stopped at, and for a refused member. One variable
        (member) per parameter with the member's value (attrs ``units``, ``low``, ``high``).
        ``stopped_step`` (member): 0 where the run went through, k where it stopped at step k
        (the water table fell below the aquifer), -1 where the engine refused the member's
        project. ``attrs['thresholds']``: the thresholds as texts, ``'salinity_layer1>4.0'``.
        The older variable name ``depth_water_table`` still selects, with a
        DeprecationWarning.
    stopped : int
        The members whose run stopped early.
    refused : int
        The members whose project the engine refused.
    refusals : dict
        ``{member: message}`` of the refused members, in the program's words.
    """

    def __init__(self, dataset: Any, refusals: dict[int, str]):
        self.dataset = dataset
        stopped = np.asarray(dataset["stopped_step"].values)
        self.stopped = int(np.count_nonzero(stopped > 0))
        self.refused = int(np.count_nonzero(stopped == -1))
        self.refusals = refusals

    def bands(self):
        """The prediction bands of the members.

        Returns
        -------
        pandas.DataFrame
            As ``halosoil.bands`` gives them for ``dataset``.
        """
        return bands(self.dataset)

    def __repr__(self) -> str:
        members = self.dataset.sizes["member"]
        return f"Ensemble({members} members, {self.stopped} stopped, {self.refused} refused)"


def _dataset(draws: dict[str, Any], series: np.ndarray, stopped: np.ndarray,
             thresholds: list[str], seed: int, design: str) -> Any:
    import xarray as xr

    members, _, steps = series.shape
    units = _quantity_units()
    variables = {}
    for k, quantity in enumerate(script_names(draws["quantities"])):
        variables[quantity] = xr.Variable(("member", "step"), series[:, k, :],
                                          attrs={"units": units[quantity]})
    values = np.asarray(draws["values"], dtype=float)
    for j, name in enumerate(draws["names"]):
        variables[name] = xr.Variable(("member",), values[:, j],
                                      attrs={"units": draws["units"][j], "low": draws["lows"][j],
                                             "high": draws["highs"][j]})
    variables["stopped_step"] = xr.Variable(("member",), np.asarray(stopped, dtype=np.int32))
    return aliasing_dataset(xr.Dataset(
        variables, coords={"member": np.arange(members), "step": np.arange(1, steps + 1)},
        attrs={"thresholds": [script_text(text) for text in thresholds], "seed": seed,
               "design": design, "parameters": list(draws["names"])}))


def ensemble(project: Project, parameters: Optional[Mapping[str, Any]] = None,
             from_calibration: Any = None, members: int = 1000, seed: int = 0,
             design: str = "lhs", thresholds: Optional[Mapping[str, Any]] = None,
             client: Any = None, threads: int = 0,
             members_per_task: int = MEMBERS_PER_TASK,
             salt_balance: str = "specified") -> Ensemble:
    """Runs members of a project whose parameters are drawn from distributions, or from a
    calibration's estimates with their covariance.

    Parameters
    ----------
    project : Project
        The project; each member is a plain run of it with the member's values set.
    parameters : dict, optional
        ``{name: distribution}`` with a distribution ``('uniform', low, high)``,
        ``('normal', mean, sd)`` or ``('triangular', low, mode, high)`` in the parameter's
        unit (porosities and efficiencies in percent, depths in m, flows in mm/day,
        salinities in dS/m; names as for ``calibrate``). A normal distribution is cut six
        standard deviations out and where the value stops being possible.
    from_calibration : Calibration or str or os.PathLike, optional
        Instead of parameters: a calibration, or the path of its saved report; the members
        are drawn from the normal distribution of its estimates and their covariance,
        truncated to its bounds.
    members : int
        The number of members, at least 2.
    seed : int
        Seed of the Latin hypercube (and of the redraws of a calibration's members).
    design : {'lhs', 'sobol'}
        The points in the unit cube: a seeded Latin hypercube, or the Sobol sequence.
    thresholds : dict, optional
        ``{quantity: ('>', value)}`` or ``('<', value)``, in the quantity's unit: the bands'
        ``p_exceed`` is the share of members beyond it (e.g. ``{'water_table_depth': ('<',
        1.5)}``; the older ``depth_water_table`` is still taken, with a DeprecationWarning).
    client : dask.distributed.Client, optional
        Runs the members on the client's workers, ``members_per_task`` per task; the draws
        are made here, so the members are the same as without a client. The workers must be
        able to import halosoil.
    threads : int
        Without a client: threads for the runs, 0 for one per core.
    members_per_task : int
        With a client: the members of one task.
    salt_balance : {"specified", "conserving"}, default "specified"
        The salt balance of every run, as for ``run``.

    Returns
    -------
    Ensemble
        ``.dataset`` (an xarray Dataset), ``.bands()``, ``.stopped``; a Dataset itself cannot
        carry the bands, so ``halosoil.bands(dataset)`` gives them for a dataset too.

    Raises
    ------
    halosoil.InputError
        The program's text for distributions, thresholds or settings it refuses (e.g.
        ``"Parameter qh1: the standard deviation -1 must be above 0"``).
    FileNotFoundError
        The calibration's report does not exist.
    """
    if parameters is not None and from_calibration is not None:
        raise InputError("Give the parameters' distributions or a calibration to draw from, "
                         "not both.")
    distributions = _distribution_texts(parameters)
    report = _report_of(from_calibration)
    threshold_texts = _threshold_texts(thresholds)
    members = count_of(members, "number of members")
    seed = seed_of(seed)
    design = str(design)
    record = with_salt_balance(project._record(), _salt_balance_name(salt_balance))
    translated(_core.check_thresholds, record, threshold_texts)
    if client is None:
        outcome = translated(_core.ensemble, record, distributions, report, members, seed,
                             design, int(threads))
        series, stopped, refusals = (outcome["series"], outcome["stopped_step"],
                                     outcome["refusals"])
        draws = outcome
    else:
        draws = translated(_core.ensemble_draws, record, distributions, report, members, seed,
                           design)
        chunks = on_dask(client, _run_chunk, record, draws["values"], members_per_task,
                         draws["names"], draws["lows"], draws["highs"])
        series = np.concatenate([chunk for chunk, _, _ in chunks], axis=0)
        stopped = np.concatenate([chunk for _, chunk, _ in chunks])
        refusals = [text for _, _, texts in chunks for text in texts]
    dataset = _dataset(draws, series, stopped, threshold_texts, seed, design)
    return Ensemble(dataset, {member: text for member, text in enumerate(refusals) if text})


def bands(dataset: Any):
    """The prediction bands of an ensemble's dataset, as ``halosoil-batch ensemble`` writes
    them.

    Over the members whose runs went through (``stopped_step`` 0), per step and quantity:
    the mean and the quantiles 5, 25, 50, 75 and 95 % (interpolated linearly between the order
    statistics, as numpy's default). Over all members run (a refused member is no project at
    all): the share stopped by the step, and for a quantity with a threshold in
    ``dataset.attrs['thresholds']`` the share beyond it. A stopped member counts by its values
    before its stop; from its stop on its water table lies below the aquifer's bottom, beyond
    any ``water_table_depth>X`` shallower than where it stopped and never below a
    ``water_table_depth<X``; what its stop leaves unknown (later flows, every salinity) counts
    as not beyond, so ``p_exceed`` is short by at most ``p_stopped``.

    Parameters
    ----------
    dataset : xarray.Dataset
        As ``ensemble(...).dataset`` gives it.

    Returns
    -------
    pandas.DataFrame
        The columns ``step``, ``quantity``, ``mean``, ``q05``, ``q25``, ``q50``, ``q75``,
        ``q95`` (in the quantity's unit), ``p_exceed`` (a fraction, NaN without a threshold)
        and ``p_stopped`` (a fraction); a row per step and quantity, the quantities in the
        result table's order within each step. The rows are numbered from 0 (a plain
        RangeIndex, as the batch runner's file has no index); the step is the column ``step``,
        counted from 1.
    """
    import pandas as pd

    variables = _band_variables(dataset)
    series = np.stack([np.asarray(dataset.variables[variable].transpose("member", "step").values,
                                  dtype=float) for _, variable in variables], axis=1)
    stopped = [int(step) for step in np.asarray(dataset["stopped_step"].values)]
    thresholds = [core_text(str(text), "the threshold's quantity")
                  for text in dataset.attrs.get("thresholds", [])]
    outcome = translated(_core.bands, [name for name, _ in variables], series, stopped,
                         thresholds)
    columns = {name: outcome[name] for name in _BAND_COLUMNS}
    columns["quantity"] = script_names(columns["quantity"])
    return pd.DataFrame(columns, columns=_BAND_COLUMNS)


def _band_variables(dataset: Any) -> list[tuple[str, str]]:
    """(the core's name, the dataset's variable) of each quantity the dataset holds, in the
    core's order; a dataset of the older names (one written to a file before) is taken too."""
    variables = []
    for name, _, _ in _core.quantities():
        new = SCRIPT_NAMES.get(name, name)
        if new in dataset.variables:
            variables.append((name, new))
        elif name in dataset.variables:
            warn_renamed(name, new, "the variable")
            variables.append((name, name))
    return variables
