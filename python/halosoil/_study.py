"""Studies: many runs over the cores of one machine or the workers of a Dask cluster."""

from __future__ import annotations

import itertools
import os
import sys
from concurrent.futures import ThreadPoolExecutor, as_completed
from typing import Any, Iterable, Optional, Sequence, Union

import numpy as np

from ._project import _SCALARS, _SERIES, _ZONE_FIELDS, Project
from ._result import Result, run


def _run_one(project: Project, refine: bool, optimise: bool) -> Union[Result, Exception]:
    # A failed project gives its exception in its place, so that the study goes on.
    try:
        return run(project, refine, optimise, threads=1)
    except Exception as error:  # noqa: BLE001 - every failure is reported in its place
        # The study's tables name the failed project by its label too.
        error.label = dict(project.label)
        return error


class _ProgressLine:
    """'halosoil: k of n runs' on standard error, only when it is a terminal."""

    def __init__(self, total: int, enabled: bool):
        self.total = total
        self.done = 0
        self.enabled = enabled and total > 0 and sys.stderr.isatty()

    def advance(self) -> None:
        self.done += 1
        if self.enabled:
            sys.stderr.write(f"\rhalosoil: {self.done} of {self.total} runs")
            if self.done == self.total:
                sys.stderr.write("\n")
            sys.stderr.flush()


def sweep(projects: Iterable[Project], refine: bool = False, optimise: bool = False,
          client: Optional[Any] = None, progress: bool = True) -> list[Union[Result, Exception]]:
    """Runs many projects and returns their results in the order of the projects.

    A project that fails gives its exception (``InputError``, ``WaterTableBelowAquifer``,
    ...) in its place instead of ending the study.

    Without a client the runs go over a thread pool of one thread per core (each run releases
    the interpreter's lock and uses one thread). With a ``dask.distributed.Client`` they go to
    that client's workers, whether a ``LocalCluster`` or a cluster of many machines; the
    workers must be able to import halosoil.

    progress: show a progress line on a terminal (standard error), or with a client Dask's own
    progress bar.
    """
    projects = list(projects)
    if client is not None:
        return _sweep_on_dask(projects, refine, optimise, client, progress)
    results: list[Union[Result, Exception, None]] = [None] * len(projects)
    line = _ProgressLine(len(projects), progress)
    with ThreadPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
        futures = {pool.submit(_run_one, project, refine, optimise): index
                   for index, project in enumerate(projects)}
        for future in as_completed(futures):
            results[futures[future]] = future.result()
            line.advance()
    return results  # type: ignore[return-value]


def _sweep_on_dask(projects: list[Project], refine: bool, optimise: bool, client: Any,
                   progress: bool) -> list[Union[Result, Exception]]:
    futures = client.map(_run_one, projects, refine=refine, optimise=optimise, pure=False)
    if progress and sys.stdout.isatty():
        from distributed import progress as dask_progress

        dask_progress(futures)
    return client.gather(futures)


def scenarios(base: Project, **variations: Sequence[Any]) -> list[Project]:
    """The projects of a full factorial design: every combination of the variations' values,
    the last variation changing fastest.

    Each variation is named after what it changes:
        ``<series>_factor`` (rain, irrigation, evaporation, irrigation_salinity): multiplies
            the base project's series by the value, e.g. ``irrigation_factor=[0.8, 1, 1.2]``;
        a series (e.g. ``irrigation_salinity=[0.8, 1.5, 3.0]``): a number sets every step to
            it; for irrigation_salinity it also sets irrigation_water_salinity;
        a single value of Project (e.g. ``drain_depth=[1.2, 1.6, 2.0]``): sets it;
        a soil property (e.g. ``thickness=[{...}, ...]``): updates the zones given.
    Each project's ``label`` is the base's label with the variations' values, so that results
    (which carry the label) can be tabulated, e.g. ``pandas.DataFrame([r.label for r in ...])``.
    """
    for name in variations:
        _check_variation(name)
    names = list(variations)
    projects = []
    for values in itertools.product(*(list(variations[name]) for name in names)):
        project = base.copy()
        for name, value in zip(names, values):
            _apply(project, name, value)
        project.label = {**base.label, **dict(zip(names, values))}
        projects.append(project)
    return projects


def _check_variation(name: str) -> None:
    known = (name in _SERIES or name in _SCALARS or name in _ZONE_FIELDS
             or (name.endswith("_factor") and name[: -len("_factor")] in _SERIES))
    if not known:
        raise TypeError(f"scenarios: no project value or series is called {name!r}")


def _apply(project: Project, name: str, value: Any) -> None:
    if name.endswith("_factor") and name[: -len("_factor")] in _SERIES:
        series = name[: -len("_factor")]
        setattr(project, series, np.asarray(getattr(project, series), dtype=float) * value)
    elif name in _SERIES:
        if np.isscalar(value):
            setattr(project, name, np.full(project.steps, float(value)))
            if name == "irrigation_salinity":
                project.irrigation_water_salinity = float(value)
        else:
            setattr(project, name, np.asarray(value, dtype=float))
    elif name in _ZONE_FIELDS:
        getattr(project, name).update(value)
    else:
        setattr(project, name, value)


def _labels(results: Sequence[Union[Result, Exception]],
            projects: Optional[Sequence[Project]]) -> list[dict[str, Any]]:
    if projects is not None:
        return [dict(p.label) for p in projects]
    return [r.label if isinstance(r, Result) else dict(getattr(r, "label", {}) or {})
            for r in results]


def tabulate(results: Sequence[Union[Result, Exception]],
             projects: Optional[Sequence[Project]] = None):
    """The results of a study as one table, a row per project in the study's order.

    Parameters
    ----------
    results : sequence of Result or Exception
        What ``sweep`` returns.
    projects : sequence of Project, optional
        The projects of the study, whose labels name the rows (by default the results' own
        labels; an exception that came back from a Dask worker may have lost its label).

    Returns
    -------
    pandas.DataFrame
        The labels' columns (the values the scenarios varied), the columns of
        ``Result.summary()`` (NaN for a failed project) and ``error``: the message of a failed
        project, empty for a run that went through.
    """
    import pandas as pd

    rows = []
    for label, outcome in zip(_labels(results, projects), results):
        if isinstance(outcome, Exception):
            rows.append({**label, "error": str(outcome)})
        else:
            rows.append({**label, **outcome.summary(), "error": ""})
    return pd.DataFrame(rows)


def to_dataset(results: Sequence[Union[Result, Exception]],
               projects: Optional[Sequence[Project]] = None):
    """The per-step results of a study as an xarray Dataset.

    Returns
    -------
    xarray.Dataset
        Dimensions ``scenario`` (the study's order) and ``step`` (1..the most steps of any
        run); a variable per result quantity (``depth_water_table`` in m, ``drainage``,
        ``percolation``, ``capillary_rise``, ``actual_evaporation`` in mm per time step,
        ``salinity_<zone>`` in dS/m), NaN where a scenario failed or has fewer steps or no such
        zone; the coordinate ``error`` per scenario (empty when the run went through) and one
        coordinate per label.
    """
    import xarray as xr

    steps = max((r.steps for r in results if isinstance(r, Result)), default=0)
    names: list[str] = []
    for r in results:
        if isinstance(r, Result):
            for name in r.to_dataframe().columns:
                if name not in names:
                    names.append(name)
    data = {name: np.full((len(results), steps), np.nan) for name in names}
    for k, r in enumerate(results):
        if isinstance(r, Result):
            frame = r.to_dataframe()
            for name in frame.columns:
                data[name][k, : r.steps] = frame[name].to_numpy(dtype=float)
    coords: dict[str, Any] = {
        "scenario": np.arange(len(results)), "step": np.arange(1, steps + 1),
        "error": ("scenario", ["" if isinstance(r, Result) else str(r) for r in results])}
    labels = _labels(results, projects)
    for key in dict.fromkeys(key for label in labels for key in label):
        coords[key] = ("scenario", [label.get(key, np.nan) for label in labels])
    return xr.Dataset({name: (("scenario", "step"), values) for name, values in data.items()},
                      coords=coords)
