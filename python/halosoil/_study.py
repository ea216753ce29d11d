"""Studies: many runs over the cores of one machine or the workers of a Dask cluster."""

from __future__ import annotations

import contextlib
import gc
import itertools
import os
import sys
from collections.abc import Mapping
from typing import Any, Iterable, Optional, Sequence, Union

import numpy as np

from . import _core
from ._arguments import flag, not_a_project, optional_count, with_salt_balance
from ._arguments import salt_balance as _salt_balance_name
from ._cluster import on_cluster
from ._errors import InputError, WaterTableBelowAquifer
from ._project import _SCALARS, _SERIES, _ZONE_FIELDS, Project
from ._names import aliasing, aliasing_dataset
from ._result import Result
from ._zones import ZONE_KEYS

# The series of a result and their units, in the order of a result's table.
_RESULT_FIELDS = tuple(_core.result_fields())
_RESULT_SERIES = tuple(name for name, kind, _, _ in _RESULT_FIELDS if kind == "series")
_RESULT_UNITS = {name: unit for name, kind, unit, _ in _RESULT_FIELDS if kind == "series"}


def _run_chunk(projects: Sequence[Project], refine: bool, optimise: bool,
               threads: int = 0, balance: str = "specified") -> list[Union[Result, Exception]]:
    """Runs projects side by side on the machine's cores; a failed project gives its
    exception, carrying the project's label, in its place."""
    records, places, outcomes = _records(projects, balance)
    return _outcomes(projects, places, outcomes,
                     _core.run_many(records, refine, optimise, threads), balance)


def _records(projects: Sequence[Project], balance: str = "specified"):
    """The records of the consistent projects and their places; the others' refusals in
    their places."""
    outcomes: list[Union[Result, Exception, None]] = [None] * len(projects)
    records, places = [], []
    for index, project in enumerate(projects):
        if not isinstance(project, Project):
            # Its place gets the refusal, as a project's own refusal would take it.
            outcomes[index] = not_a_project("sweep", project)
            continue
        try:
            records.append(with_salt_balance(project._record(), balance))
            places.append(index)
        except InputError as error:
            outcomes[index] = _labelled(error, project)
    return records, places, outcomes


def _outcomes(projects, places, outcomes, ran, balance: str = "specified"
              ) -> list[Union[Result, Exception]]:
    for index, outcome in zip(places, ran):
        project = projects[index]
        if type(outcome) is dict:
            result = Result._from_fields(outcome, project.label)
            # What salt_budget() needs to run the project again; relative_yield still asks
            # for the project of a swept result.
            result._budget_project = project
            result._salt_balance = balance
            outcomes[index] = result
        else:
            message, step = outcome
            outcomes[index] = _labelled(
                WaterTableBelowAquifer(message, step) if step else InputError(message), project)
    return outcomes


def _run_packed(packed: bytes, base: bytes, refine: bool, optimise: bool) -> bytes:
    """A Dask worker's part: a chunk of projects packed into bytes against the study's base,
    run, the outcomes packed. One thread per task: the worker runs as many tasks at once as it
    has threads."""
    return _core.run_packed(packed, refine, optimise, 1, base)


@contextlib.contextmanager
def _collector_paused():
    """Pauses Python's cyclic garbage collector while a study makes its results.

    A study makes tens of thousands of dicts and arrays, none of them in a cycle; each
    thousand of them would otherwise start a pass of the collector over every object alive,
    the study's own results included, which costs about as much as making them."""
    was_enabled = gc.isenabled()
    gc.disable()
    try:
        yield
    finally:
        if was_enabled:
            gc.enable()


def _labelled(error: Exception, project: Project) -> Exception:
    # The study's tables name a failed project by its label too.
    error.label = dict(project.label)  # type: ignore[attr-defined]
    return error


class _ProgressLine:
    """'halosoil: k of n runs' on standard error, only when it is a terminal."""

    def __init__(self, total: int, enabled: bool):
        self.total = total
        self.done = 0
        self.enabled = enabled and total > 0 and sys.stderr.isatty()

    def advance(self, count: int) -> None:
        self.done += count
        if self.enabled:
            sys.stderr.write(f"\rhalosoil: {self.done} of {self.total} runs")
            if self.done == self.total:
                sys.stderr.write("\n")
            sys.stderr.flush()


def sweep(projects: Iterable[Project], refine: bool = False, optimise: bool = False,
          client: Optional[Any] = None, progress: bool = True,
          chunk_size: Optional[int] = None, salt_balance: str = "specified"
          ) -> list[Union[Result, Exception]]:
    """Runs many projects and returns their results in the order of the projects.

    Parameters
    ----------
    projects : iterable of Project
        The projects, for example from ``scenarios``.
    refine, optimise : bool, default False
        The answers to the program's two questions, as for ``run``.
    client : dask.distributed.Client, optional
        Without a client the runs go over the machine's cores (each run on one thread, the
        interpreter's lock released). With one they go to that client's workers, a
        ``LocalCluster`` or a cluster of many machines, in chunks of projects; the workers
        must be able to import halosoil. A worker lost during the study has its chunks run
        again elsewhere, so the study still comes back whole and in order.
    progress : bool, default True
        Show a progress line on a terminal (standard error), or with a client Dask's own
        progress bar.
    chunk_size : int, optional
        Projects per chunk: by default 1000 on one machine and enough for about four
        chunks per worker of a client (at most 2500).
    salt_balance : {"specified", "conserving"}, default "specified"
        The salt balance of every run, as for ``run``. A sweep gives no warnings of the salt
        budget; ``Result.salt_budget()`` of a result runs its project again for it.

    Returns
    -------
    list of Result or Exception
        One per project in the projects' order. A project that fails gives its exception
        (``InputError``, ``WaterTableBelowAquifer``) in its place instead of ending the study;
        the exception's ``label`` is the project's. Something that is not a Project (None, a
        path) gives a ``TypeError`` in its place.

    Raises
    ------
    InputError
        For ``refine``, ``optimise`` or ``progress`` other than True or False, and a
        ``chunk_size`` below 1.
    """
    projects = list(projects)
    refine, optimise = flag("refine", refine), flag("optimise", optimise)
    progress = flag("progress", progress)
    chunk_size = optional_count("chunk_size", chunk_size, 1)
    balance = _salt_balance_name(salt_balance)
    with _collector_paused():
        if client is not None:
            return _sweep_on_dask(projects, refine, optimise, client, progress, chunk_size,
                                  balance)
        return _sweep_here(projects, refine, optimise, progress, chunk_size, balance)


def _sweep_here(projects: list[Project], refine: bool, optimise: bool, progress: bool,
                chunk_size: Optional[int], balance: str) -> list[Union[Result, Exception]]:
    size = chunk_size or 1000
    results: list[Union[Result, Exception]] = []
    line = _ProgressLine(len(projects), progress)
    for start in range(0, len(projects), size):
        chunk = projects[start:start + size]
        results.extend(_run_chunk(chunk, refine, optimise, 0, balance))
        line.advance(len(chunk))
    return results


def _sweep_on_dask(projects: list[Project], refine: bool, optimise: bool, client: Any,
                   progress: bool, chunk_size: Optional[int],
                   balance: str) -> list[Union[Result, Exception]]:
    with on_cluster(client):
        return _sweep_chunks_on_dask(projects, refine, optimise, client, progress, chunk_size,
                                     balance)


def _sweep_chunks_on_dask(projects: list[Project], refine: bool, optimise: bool, client: Any,
                          progress: bool, chunk_size: Optional[int],
                          balance: str) -> list[Union[Result, Exception]]:
    workers = max(1, len(client.scheduler_info().get("workers", {})))
    size = chunk_size or max(1, min(2500, -(-len(projects) // (4 * workers))))
    chunks = [projects[start:start + size] for start in range(0, len(projects), size)]
    # A chunk crosses as one bytes object each way, not as thousands of pickled arrays. Each
    # is sent as soon as it is packed and read back in turn, so that this process packs and
    # reads while the workers run. Chunks are pure functions of their projects: a chunk of a
    # lost worker runs again on another and gives the same results.
    # What the projects share with the first (a long project's series above all) crosses
    # once, scattered to every worker, and each chunk holds only what differs from it, split
    # until it stays well below the size at which Dask warns of a large object in its task
    # graph. Chunks stay in the graph, so that a lost worker's chunks run again elsewhere.
    base_records = _records(chunks[0][:1], balance)[0] if chunks else []
    base = _core.pack_projects(base_records) if base_records else b""
    [shared_base] = client.scatter([base], broadcast=True, hash=False)
    # Each piece is sent as soon as it is packed.
    sent, prepared, futures = [], [], []
    for chunk in chunks:
        for piece, places, outcomes, packed in _packed_pieces(chunk, balance, base):
            sent.append(piece)
            prepared.append((places, outcomes))
            futures.append(client.submit(_run_packed, packed, shared_base, refine, optimise,
                                         pure=False))
    chunks = sent
    if progress and sys.stdout.isatty():
        from distributed import progress as dask_progress

        dask_progress(futures)
    results: list[Union[Result, Exception]] = []
    for chunk, (places, outcomes), future in zip(chunks, prepared, futures):
        results.extend(_outcomes(chunk, places, outcomes,
                                 _core.unpack_outcomes(future.result()), balance))
    return results


# The most bytes of projects one task carries: Dask warns of objects of a megabyte and more in
# a task graph.
_TASK_BYTES = 500_000


def _packed_pieces(chunk: list[Project], balance: str, base: bytes) -> list[tuple]:
    """The chunk packed against the base, in halves until each piece is small enough for its
    task: (projects, places, outcomes, packed bytes) per piece."""
    records, places, outcomes = _records(chunk, balance)
    packed = _core.pack_projects(records, base)
    if len(packed) <= _TASK_BYTES or len(chunk) == 1:
        return [(chunk, places, outcomes, packed)]
    half = len(chunk) // 2
    return (_packed_pieces(chunk[:half], balance, base)
            + _packed_pieces(chunk[half:], balance, base))


def scenarios(base: Project, **variations: Sequence[Any]) -> list[Project]:
    """The projects of a full factorial design.

    Parameters
    ----------
    base : Project
        The project every scenario starts from; it is left as it is.
    **variations : sequence
        Each named after what it changes, with the values to try:
        ``<series>_factor`` (rain, irrigation, evaporation, irrigation_salinity) multiplies
        the base project's series by the value, e.g. ``irrigation_factor=[0.8, 1, 1.2]``;
        a series (e.g. ``irrigation_salinity=[0.8, 1.5, 3.0]``, in the series' unit) sets
        every step to a number, and for irrigation_salinity also irrigation_water_salinity;
        a single value of Project (e.g. ``drain_depth=[1.2, 1.6, 2.0]``, in m) sets it;
        a soil property of one zone, ``<property>_<zone>`` (e.g.
        ``leaching_efficiency_layer1=[60, 70]``, the names the studies use), sets it in that
        zone; a soil property given whole (``thickness=[{"layer1": 0.2}, ...]``) updates the
        zones of each dict, and its label is flat, one ``<property>_<zone>`` per zone.

    Returns
    -------
    list of Project
        Every combination of the variations' values, the last variation changing fastest.
        Each project's ``label`` is the base's label with the variations' values, so that
        results (which carry the label) tabulate (``tabulate``, ``to_dataset``).

    Raises
    ------
    TypeError
        For a variation that names no value or series of a project, and for a soil property
        given a number instead of a dict of zones.
    InputError
        For a value no soil or climate can have (see ``Project``), naming it.
    """
    for name in variations:
        _check_variation(name)
    names = list(variations)
    projects = []
    for values in itertools.product(*(list(variations[name]) for name in names)):
        project = base.copy()
        label = dict(base.label)
        for name, value in zip(names, values):
            _apply(project, name, value)
            label.update(_label_of(name, value))
        # A zone's value goes into its dict, past the attribute's own check.
        project._check_limits()
        project.label = label
        projects.append(project)
    return projects


def _zone_variation(name: str) -> Optional[tuple[str, str]]:
    """The soil property and zone of a name such as leaching_efficiency_layer1."""
    for field in _ZONE_FIELDS:
        if name.startswith(field + "_") and name[len(field) + 1:] in ZONE_KEYS:
            return field, name[len(field) + 1:]
    return None


def _label_of(name: str, value: Any) -> dict[str, Any]:
    # Labels stay flat, one number per name, so that tables and datasets can index by them.
    if name in _ZONE_FIELDS:
        return {f"{name}_{zone}": zone_value for zone, zone_value in value.items()}
    return {name: value}


def _check_variation(name: str) -> None:
    known = (name in _SERIES or name in _SCALARS or name in _ZONE_FIELDS
             or _zone_variation(name) is not None
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
        if not isinstance(value, Mapping):
            raise TypeError(f"scenarios: {name} is a property per zone; vary one zone with "
                            f"{name}_layer1=[...] (or give dicts of zones), not {value!r}")
        getattr(project, name).update(value)
    elif _zone_variation(name) is not None:
        field, zone = _zone_variation(name)
        getattr(project, field)[zone] = value
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
        project, empty for a run that went through. The older columns
        ``min_depth_water_table`` and ``max_depth_water_table`` still select, with a
        DeprecationWarning.
    """
    import pandas as pd

    rows = []
    for label, outcome in zip(_labels(results, projects), results):
        if isinstance(outcome, Exception):
            rows.append({**label, "error": str(outcome)})
        else:
            rows.append({**label, **outcome.summary(), "error": ""})
    return aliasing(pd.DataFrame(rows))


def to_dataset(results: Sequence[Union[Result, Exception]],
               projects: Optional[Sequence[Project]] = None):
    """The per-step results of a study as an xarray Dataset.

    Returns
    -------
    xarray.Dataset
        Dimensions ``scenario`` (the study's order) and ``step`` (1..the most steps of any
        run); a variable per result quantity (``water_table_depth`` in m, ``drainage``,
        ``percolation``, ``capillary_rise``, ``actual_evaporation`` in mm per time step,
        ``salinity_<zone>`` in dS/m; each variable's unit in its ``attrs["units"]``), NaN where
        a scenario failed or has fewer steps or no such zone; the coordinate ``error`` per
        scenario (empty when the run went through) and one coordinate per label, each
        indexed, so that ``.sel(irrigation_factor=1.0)`` picks the scenarios of that value.
        The older variable name ``depth_water_table`` still selects, with a
        DeprecationWarning.
    """
    import xarray as xr

    ran = [(k, r) for k, r in enumerate(results) if isinstance(r, Result)]
    steps = max((r.steps for _, r in ran), default=0)
    zones = list(dict.fromkeys(zone for _, r in ran for zone in r.salinity))
    names = [*_RESULT_SERIES, *(f"salinity_{zone}" for zone in zones)]
    data = {name: np.full((len(results), steps), np.nan) for name in names}
    for k, r in ran:
        for name in _RESULT_SERIES:
            data[name][k, : r.steps] = getattr(r, name)
        for zone, series in r.salinity.items():
            data[f"salinity_{zone}"][k, : r.steps] = series
    coords: dict[str, Any] = {
        "scenario": np.arange(len(results)), "step": np.arange(1, steps + 1),
        "error": ("scenario", ["" if isinstance(r, Result) else str(r) for r in results])}
    labels = _labels(results, projects)
    keys = list(dict.fromkeys(key for label in labels for key in label))
    for key in keys:
        coords[key] = ("scenario", [label.get(key, np.nan) for label in labels])
    units = {**_RESULT_UNITS, **{f"salinity_{zone}": "dS/m" for zone in zones}}
    dataset = xr.Dataset(
        {name: (("scenario", "step"), values, {"units": units[name]})
         for name, values in data.items()}, coords=coords)
    # The labels index the scenarios; a label of dicts or other unhashable values stays a
    # plain coordinate.
    for key in keys:
        try:
            dataset = dataset.set_xindex(key)
        except (TypeError, ValueError):
            pass
    return aliasing_dataset(dataset)

