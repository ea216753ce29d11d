"""Which parameters matter for a result: Sobol indices or Morris elementary effects."""

from __future__ import annotations

import warnings
from typing import Any, Mapping, Optional, Sequence

import numpy as np

from . import _core
from ._arguments import salt_balance as _salt_balance_name, with_salt_balance
from ._errors import translated
from ._names import core_text, in_script_terms, script_text
from ._observations import study_observations
from ._project import Project
from ._study_inputs import (MEMBERS_PER_TASK, count_of, on_dask, parameter_bounds, seed_of,
                            weights_of)

# As halosoil-batch sensitivity: a Morris trajectory costs d + 1 runs and screening needs few.
_DEFAULT_SAMPLES = {"sobol": 1024, "morris": 20}

_COLUMNS = {
    "sobol": ["target", "parameter", "S1", "S1_low", "S1_high", "ST", "ST_low", "ST_high"],
    "morris": ["target", "parameter", "mu_star", "mu_star_low", "mu_star_high", "sigma"],
}


def _targets_of_chunk(record: dict, values: np.ndarray, names: list[str], lows: list[float],
                      highs: list[float], targets: list[str], observations: Optional[list],
                      weights: dict[str, float]) -> tuple[np.ndarray, int]:
    # On a worker: one thread for the chunk, the worker's threads run chunks side by side.
    return translated(_core.member_targets, record, names, lows, highs, values, targets,
                      observations, weights, 1)


def sensitivity(project: Project, parameters: Optional[Mapping[str, Any]] = None,
                targets: Sequence[str] = ("salinity_layer1:final",), method: str = "sobol",
                samples: Optional[int] = None, seed: int = 0, observations: Any = None,
                weights: Optional[Mapping[str, float]] = None, client: Any = None,
                threads: int = 0, members_per_task: int = MEMBERS_PER_TASK,
                salt_balance: str = "specified"):
    """How much each parameter moves each target, every parameter drawn uniformly within its
    bounds.

    The numbers are those of ``halosoil-batch sensitivity`` for the same inputs, with and
    without a client.

    Parameters
    ----------
    project : Project
        The project; each run is a plain run of it with the parameters set.
    parameters : dict
        ``{name: (low, high)}``, named and in units as for ``calibrate`` (porosities and
        efficiencies in percent, depths in m, flows in mm/day, salinities in dS/m).
    targets : sequence of str
        A number per run: ``'<quantity>:final'``, ``':mean'``, ``':max'`` or ``':min'`` over
        the steps (e.g. ``'salinity_layer1:final'``, ``'water_table_depth:mean'``; the older
        ``'depth_water_table:...'`` is still taken, with a DeprecationWarning), or
        ``'objective'``, the calibration's objective against the observations.
    method : {'sobol', 'morris'}
        Sobol's first-order and total indices on a Saltelli design (``samples * (d + 2)``
        runs for d parameters), or Morris's elementary effects on ``samples`` trajectories
        (``samples * (d + 1)`` runs).
    samples : int, optional
        Sobol: the base samples N (default 1024); Morris: the trajectories (default 20), the
        defaults of ``halosoil-batch sensitivity``.
    seed : int
        Seed of the Morris trajectories and of the bootstrap intervals.
    observations, weights
        For the target ``'objective'``, as for ``calibrate``.
    client : dask.distributed.Client, optional
        Runs the members on the client's workers, ``members_per_task`` per task; the design
        and the indices are made here, so the numbers are the same as without a client. The
        workers must be able to import halosoil.
    threads : int
        Without a client: threads for the runs, 0 for one per core.
    members_per_task : int
        With a client: the members of one task.
    salt_balance : {"specified", "conserving"}, default "specified"
        The salt balance of every run, as for ``run``.

    Returns
    -------
    pandas.DataFrame
        One row per target and parameter. Sobol: the columns ``target``, ``parameter``,
        ``S1``, ``S1_low``, ``S1_high``, ``ST``, ``ST_low``, ``ST_high`` (the indices with
        their bootstrap 95 % intervals); Morris: ``target``, ``parameter``, ``mu_star``,
        ``mu_star_low``, ``mu_star_high``, ``sigma`` (in the target's unit over the
        parameter's whole range). NaN where an estimate failed. ``attrs`` holds ``runs`` and
        ``failed_runs`` (runs that stopped early or were refused; their samples are left
        out).

    Raises
    ------
    halosoil.InputError
        The program's text for parameters, targets or settings it refuses.
    """
    import pandas as pd

    bounds = parameter_bounds(parameters)
    if isinstance(targets, str):
        targets = [targets]
    targets = [core_text(str(target), "the target's quantity") for target in targets]
    method = str(method)
    if samples is None:
        samples = _DEFAULT_SAMPLES.get(method, _DEFAULT_SAMPLES["sobol"])
    samples = count_of(samples, "number of samples")
    seed = seed_of(seed)
    columns = study_observations(project, observations)
    weights = weights_of(weights)
    record = with_salt_balance(project._record(), _salt_balance_name(salt_balance))
    if client is None:
        outcome = translated(_core.sensitivity, record, bounds, targets, method, samples, seed,
                             columns, weights, int(threads))
    else:
        values = translated(_core.sensitivity_design, record, bounds, targets, method, samples,
                            seed, columns, weights)
        names = [name for name, _, _ in bounds]
        lows = [low for _, low, _ in bounds]
        highs = [high for _, _, high in bounds]
        chunks = on_dask(client, _targets_of_chunk, record, values, members_per_task, names,
                         lows, highs, targets, columns, weights)
        outputs = np.concatenate([chunk for chunk, _, _ in chunks], axis=1)
        failed = sum(count for _, count, _ in chunks)
        stopped = sum(count for _, _, count in chunks)
        outcome = translated(_core.sensitivity_indices, record, bounds, targets, method, samples,
                             seed, outputs, failed, stopped)
    frame = pd.DataFrame(outcome["rows"], columns=_COLUMNS[method])
    frame["target"] = [script_text(str(target)) for target in frame["target"]]
    frame.attrs["runs"] = outcome["runs"]
    frame.attrs["failed_runs"] = outcome["failed_runs"]
    frame.attrs["stopped_runs"] = outcome["stopped_runs"]
    frame.attrs["warnings"] = [in_script_terms(message) for message in outcome["warnings"]]
    # What the batch runner prints on standard error: failed runs, targets within rounding.
    for message in frame.attrs["warnings"]:
        warnings.warn(message, stacklevel=2)
    return frame
