"""Regions: every field of a GIS layer run as a project of its own, on this machine or a Dask
cluster, with the results as the GeoPackage ``halosoil-batch region`` writes."""

from __future__ import annotations

import os
import shlex
import shutil
import sqlite3
import tempfile
from typing import Any, Optional, Sequence, Union

import numpy as np

from . import _core
from ._arguments import salt_balance as _salt_balance_name, with_salt_balance
from ._arguments import count, flag, not_a_project
from ._cluster import on_cluster
from ._errors import InputError, readable
from ._names import SCRIPT_NAMES, aliasing, aliasing_dataset, quantities, warn_renamed
from ._project import Project

# The statistics of each quantity in the fields layer, in the order of its columns.
_SUMMARIES = ("final", "mean", "min", "max")
# The fields layer's columns of the quantities the package names otherwise.
_SUMMARY_COLUMNS = {f"{old}_{summary}": f"{new}_{summary}"
                    for old, new in SCRIPT_NAMES.items() for summary in _SUMMARIES}


def _geopandas():
    try:
        import geopandas
    except ImportError as error:  # pragma: no cover - Debian's python3-geopandas is a dependency
        raise ImportError("regions need geopandas (Debian's python3-geopandas)") from error
    return geopandas


def _module():
    # Imported here: GDAL, which the module loads, takes a good part of a second.
    from . import _gis

    return _gis


def read_fields(path: Union[str, os.PathLike], layer: Optional[str] = None):
    """The fields of a GIS layer as a GeoDataFrame.

    Parameters
    ----------
    path : str or path-like
        Any vector file GDAL/OGR reads: GeoPackage, shapefile, GeoJSON, FlatGeobuf, ...
    layer : str, optional
        The layer, when the file holds several.

    Returns
    -------
    geopandas.GeoDataFrame
        One row per feature, its columns and geometry as the file holds them, in the CRS of
        the file.
    """
    path = os.fspath(path)
    if not os.path.exists(path):
        raise FileNotFoundError(2, "No such file or directory", path)
    return _geopandas().read_file(path, layer=layer)


class Region:
    """The results of a region, as the GeoPackage of ``halosoil-batch region`` holds them.

    Attributes
    ----------
    fields : geopandas.GeoDataFrame
        The ``fields`` layer: the geometry, the carried columns, ``field`` (the id),
        ``status`` (``ok``, ``stopped`` or ``refused``), ``message`` (why a field was refused
        or stopped, naming its id, column and value) and per quantity ``<quantity>_final``,
        ``_mean``, ``_min`` and ``_max`` (NaN where the project lacks the zone or the field did
        not run through). The GeoPackage's columns of the water table (the batch runner's
        ``depth_water_table_final``, ...) are ``water_table_depth_final``, ... here; the older
        names still select, with a DeprecationWarning.
    steps : xarray.Dataset
        The ``steps`` table: one variable per quantity over the dimensions ``field`` (the ids,
        in the layer's order) and ``step`` (1..N), each with its unit in ``attrs["units"]``;
        NaN where a field has no such step. The water table's is ``water_table_depth`` (the
        older ``depth_water_table`` still selects, with a DeprecationWarning).
        A region run with ``exchange=True`` adds ``lateral_inflow`` and ``lateral_outflow``
        (mm/day), ``lateral_salinity`` (dS/m) and ``head`` (m).
    neighbours : pandas.DataFrame or None
        A region run with ``exchange=True``: one row per field and neighbour, the columns
        ``field``, ``neighbour`` (None for the outer edge of a field with ``boundary_head``),
        ``length`` (m of boundary shared) and ``distance`` (m between the centroids); None
        otherwise.
    summary : dict
        Fields in all, run, stopped early, refused; seconds.
    """

    def __init__(self, results: str, summary: dict[str, Any]):
        self._results = results
        self.summary = summary
        fields = _geopandas().read_file(results, layer="fields")
        self.fields = aliasing(fields.rename(columns=_SUMMARY_COLUMNS))
        self.steps = _steps_dataset(results, list(self.fields["field"]))
        self.neighbours = _neighbours_table(results)

    def save(self, path: Union[str, os.PathLike]) -> None:
        """Writes the results GeoPackage to path, the same tables as the batch runner's,
        replacing a file there only once the new one is whole."""
        path = os.fspath(path)
        folder = os.path.dirname(os.path.abspath(path))
        if not os.path.isdir(folder):
            raise FileNotFoundError(2, "No such file or directory", path)
        handle, partial = tempfile.mkstemp(suffix=".gpkg", dir=folder)
        os.close(handle)
        try:
            shutil.copyfile(self._results, partial)
            os.replace(partial, path)
        except BaseException:
            if os.path.exists(partial):
                os.remove(partial)
            raise

    def plot(self, quantity: str, statistic: str = "final", **keywords: Any):
        """Draws the fields coloured by a quantity's statistic (``final``, ``mean``, ``min``,
        ``max``) with geopandas and matplotlib; the keywords go to GeoDataFrame.plot. Returns
        the matplotlib Axes."""
        if quantity in SCRIPT_NAMES:
            warn_renamed(quantity, SCRIPT_NAMES[quantity], "the quantity")
            quantity = SCRIPT_NAMES[quantity]
        names = [name for name, _, _ in quantities()]
        if quantity not in names:
            raise InputError(f"unknown quantity {quantity!r}; the quantities are "
                             + ", ".join(names))
        if statistic not in _SUMMARIES:
            raise InputError(f"the statistic must be one of {', '.join(_SUMMARIES)}, "
                             f"not {statistic!r}")
        column = f"{quantity}_{statistic}"
        keywords.setdefault("legend", True)
        keywords.setdefault("missing_kwds", {"color": "lightgrey", "label": "no value"})
        axes = self.fields.plot(column=column, **keywords)
        unit = {name: unit for name, unit, _ in quantities()}[quantity]
        axes.set_title(f"{quantity} ({statistic}, {unit})")
        return axes

    def __repr__(self) -> str:
        s = self.summary
        return (f"<halosoil.Region: {s['fields']} fields, {s['ran']} run, {s['refused']} "
                f"refused, {s['stopped']} stopped early>")


def _steps_dataset(results: str, ids: list[Any]):
    import pandas as pd
    import xarray as xr

    with sqlite3.connect(f"file:{results}?mode=ro", uri=True) as connection:
        frame = pd.read_sql_query("SELECT * FROM steps", connection)
    frame = frame.drop(columns=[c for c in ("fid",) if c in frame.columns])
    steps = int(frame["step"].max()) if len(frame) else 0
    place = {str(field): k for k, field in enumerate(ids)}
    rows = np.array([place[str(field)] for field in frame["field"]], dtype=np.int64)
    columns = frame["step"].to_numpy(dtype=np.int64) - 1
    variables = {}
    named = [(name, unit) for name, unit, _ in _core.quantities()]
    named += [(name, unit) for name, unit in _EXCHANGE_VARIABLES if name in frame.columns]
    if "relative_yield" in frame.columns:
        named.append(("relative_yield", "%"))
    for name, unit in named:
        values = np.full((len(ids), steps), np.nan)
        values[rows, columns] = frame[name].to_numpy(dtype=np.float64)
        variables[SCRIPT_NAMES.get(name, name)] = (("field", "step"), values, {"units": unit})
    return aliasing_dataset(
        xr.Dataset(variables, coords={"field": ids, "step": np.arange(1, steps + 1)}))


# The steps of a region whose fields share their groundwater.
_EXCHANGE_VARIABLES = (("lateral_inflow", "mm/day"), ("lateral_outflow", "mm/day"),
                       ("lateral_salinity", "dS/m"), ("head", "m"))


def _neighbours_table(results: str):
    import pandas as pd

    with sqlite3.connect(f"file:{results}?mode=ro", uri=True) as connection:
        found = connection.execute("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                   "AND name = 'neighbours'").fetchone()[0]
        if not found:
            return None
        frame = pd.read_sql_query("SELECT field, neighbour, length, distance FROM neighbours",
                                  connection)
    return frame.astype({"neighbour": object}).where(frame.notna(), None)


def _layer_of(fields: Any, layer: Optional[str], folder: str) -> tuple[str, str, str]:
    """The layer's file, layer and id column as the region module reads them: a GeoDataFrame
    is written to a GeoPackage in folder first, its index as the ids."""
    geopandas = _geopandas()
    if isinstance(fields, geopandas.GeoDataFrame):
        if layer is not None:
            raise TypeError("layer= names a layer of a file; a GeoDataFrame is one layer already")
        name = fields.index.name or "id"
        if name in fields.columns:
            raise InputError(f"the GeoDataFrame has a column {name!r} besides its index of "
                             "that name; rename one")
        path = os.path.join(folder, "fields.gpkg")
        fields.reset_index(names=name).to_file(path, driver="GPKG", layer="fields")
        return path, "", name
    if isinstance(fields, (str, os.PathLike)):
        path = os.fspath(fields)
        if not os.path.exists(path):
            raise FileNotFoundError(2, "No such file or directory", path)
        return path, layer or "", ""
    raise TypeError(f"region takes the fields as a GeoDataFrame or the path of a layer, not "
                    f"{type(fields).__name__}")


def _base_of(base: Any) -> tuple[dict[str, Any], str]:
    if isinstance(base, Project):
        base._consistent()
        return base._record(), base.file_name or "<Project>"
    raise not_a_project("region", base)


def region(base: Project, fields: Any, refine: bool = False, optimise: bool = False, *,
           layer: Optional[str] = None, id: Optional[str] = None, fill: Optional[str] = None,
           max_gap: int = 3, client: Any = None, fields_per_task: int = 1000,
           threads: int = 0, exchange: bool = False, crop: Any = None,
           ece_factor: float = 0.5, crops: Any = None,
           salt_balance: str = "specified") -> Region:
    """Runs every field of a layer as a project of its own: the base with the field's columns
    named after movable parameters applied, as ``halosoil-batch region`` runs them.

    Parameters
    ----------
    base : Project
        The project every field starts from, unless its ``project`` column names a file
        (relative to the layer's folder).
    fields : geopandas.GeoDataFrame or path
        The fields: polygons with columns named after movable parameters (``qh1``,
        ``thickness_layer1``, ``irrigation_factor``, ...); a NULL keeps the base's value. A
        GeoDataFrame's index gives the ids; a file's ids are its feature ids, or ``id``.
    refine, optimise : bool
        Yes to refining each field's drainage capacity, to optimising its leaching
        efficiencies.
    layer : str, optional
        The layer of a file that holds several.
    id : str, optional
        The column of a file's ids.
    fill, max_gap : str, int
        A column ``weather`` names a station's daily record (as ``read_weather`` reads it,
        relative to the layer's folder) that gives the field's rain and evaporation at the
        latitude of its centroid and the height of its ``elevation`` column (m, else 0);
        ``fill="linear"`` fills the records' gaps of up to ``max_gap`` days.
    client : dask.distributed.Client, optional
        Runs the fields on the cluster's workers, ``fields_per_task`` to a task, with the same
        numbers as here. A task of a lost worker runs again on another: no field is missing or
        doubled. The workers need halosoil; the files a ``project`` or ``weather`` column
        names must be readable by them under the path the layer's folder gives.
    fields_per_task : int
        Fields per task of a client.
    threads : int
        Threads here (0: one per core).
    exchange : bool
        The fields that touch share their groundwater (``halosoil-batch region
        --exchange``): columns ``elevation`` (m), ``transmissivity`` (m2/day) and
        ``boundary_head`` (m); the steps gain the lateral flows, their salinity and the
        heads, and the result its ``neighbours``. The fields then run step by step together,
        which cannot be split across the workers of a client cheaply (every step would cross
        the network for the flows of each boundary between parts), so with a client the
        whole region goes to one worker as one task and runs on its cores (``threads``
        there); neither ``refine`` nor ``optimise`` may be asked with it.
    crop : str or mapping, optional
        The crop whose relative yield (%) the results carry: a crop of the table
        (``halosoil.crops()``), ``"threshold=T,slope=B"`` or ``{'threshold': T, 'slope': B}``;
        a column ``crop`` names a field's own the same way. The steps gain
        ``relative_yield`` and the fields ``relative_yield_final``, ``_mean``, ``_min`` and
        ``_max``.
    ece_factor : float, default 0.5
        ECe as a share of the root zone's salinity of the soil moisture.
    crops : str or os.PathLike, optional
        A crop table of one's own (CSV of the columns crop,threshold,slope,class,source).
    salt_balance : {"specified", "conserving"}, default "specified"
        The salt balance of every run, as for ``run``.

    Returns
    -------
    Region
        The fields with their status, message and summaries, and every step.

    Raises
    ------
    TypeError
        For a base that is not a Project or fields that are not a layer.
    InputError
        For a layer the region cannot use as a whole (unreadable, several layers and none
        named, an id column with empty or repeated ids) or a base the program refuses; a
        field that cannot run is refused in its row instead.
    """
    record, base_name = _base_of(base)
    crop_arguments = _crop_arguments(crop, ece_factor, crops)
    record = with_salt_balance(record, _salt_balance_name(salt_balance))
    refine = flag("refine", refine)
    optimise = flag("optimise", optimise)
    exchange = flag("exchange", exchange)
    if exchange and (refine or optimise):
        raise InputError("The fields that share their groundwater run together, while the "
                         "drainage refinement and the leaching optimisation fit each field "
                         "alone: ask for the exchange or for them, not both")
    fields_per_task = count("fields_per_task", fields_per_task, 1)
    threads = count("threads", threads, 0)
    if fill not in (None, "linear"):
        raise InputError(f"fill must be None or 'linear', not {fill!r}")
    fill_days = count("max_gap", max_gap, 1) if fill else 0
    if id is not None and not isinstance(id, str):
        raise TypeError(f"id names a column, not {id!r}")
    folder = tempfile.mkdtemp(prefix="halosoil-region-")
    try:
        path, layer_name, id_column = _layer_of(fields, layer, folder)
        if id is not None:
            id_column = id
        results = os.path.join(folder, "results.gpkg")
        command = "halosoil.region(" + ", ".join(
            shlex.quote(x) for x in (base_name, os.fspath(path))) + ")"
        module = _module()
        try:
            if client is None:
                summary = module.run_region(record, base_name, path, layer_name, id_column,
                                            refine, optimise, fill_days, threads, results,
                                            command, exchange, **crop_arguments)
            elif exchange:
                summary = _exchange_on_dask(record, base_name, path, layer_name, id_column,
                                            refine, optimise, fill_days, threads, client,
                                            results, command, crop_arguments)
            else:
                summary = _region_on_dask(module, record, base_name, path, layer_name,
                                          id_column, refine, optimise, fill_days, client,
                                          fields_per_task, results, command, crop_arguments)
        except _core.HalosoilError as error:
            raise InputError(str(error)) from None
        kept = tempfile.mkdtemp(prefix="halosoil-region-results-")
        shutil.move(results, os.path.join(kept, "results.gpkg"))
        return Region(os.path.join(kept, "results.gpkg"), summary)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def _crop_arguments(crop: Any, ece_factor: Any, crops: Any) -> dict[str, Any]:
    """The crop of a region as the module takes it: its text, the table's path, the factor."""
    from collections.abc import Mapping

    from ._decisions import _number

    if crop is None:
        text = ""
    elif isinstance(crop, str):
        text = crop
    elif isinstance(crop, Mapping) and set(crop) == {"threshold", "slope"}:
        text = (f"threshold={_number('threshold', crop['threshold'])!r},"
                f"slope={_number('slope', crop['slope'])!r}")
    else:
        raise InputError("crop is a crop's name, 'threshold=T,slope=B' or "
                         f"{{'threshold': T, 'slope': B}}, not {crop!r}")
    return {"crop": text, "crops": "" if crops is None else readable(crops),
            "ece_factor": _number("ece_factor", ece_factor)}


def _run_coupled(record: dict[str, Any], base_name: str, path: str, layer_bytes: Optional[bytes],
                 layer_name: str, id_column: str, refine: bool, optimise: bool, fill_days: int,
                 threads: int, command: str, exchange: bool = True,
                 crop_arguments: Optional[dict[str, Any]] = None) -> tuple[dict[str, Any], bytes]:
    """A worker's task: a whole region (its fields sharing their groundwater, unless
    exchange is False), run on its cores; the summary and the results GeoPackage's bytes."""
    folder = tempfile.mkdtemp(prefix="halosoil-region-worker-")
    try:
        if layer_bytes is not None:
            path = os.path.join(folder, "fields.gpkg")
            with open(path, "wb") as file:
                file.write(layer_bytes)
        results = os.path.join(folder, "results.gpkg")
        summary = _module().run_region(record, base_name, path, layer_name, id_column, refine,
                                       optimise, fill_days, threads, results, command, exchange,
                                       **(crop_arguments or {}))
        with open(results, "rb") as file:
            return summary, file.read()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def _bytes_of_written_layer(path: str, results: str) -> Optional[bytes]:
    """The file of a GeoDataFrame, which region() wrote beside the results of this process, to
    go with a task; None for a file of the user's, read where it is."""
    if os.path.dirname(os.path.abspath(path)) != os.path.dirname(os.path.abspath(results)):
        return None
    with open(path, "rb") as file:
        return file.read()


def region_scenarios(bases: Sequence[Project], fields: Any, *, layer: Optional[str] = None,
                     id: Optional[str] = None, fill: Optional[str] = None, max_gap: int = 3,
                     client: Any = None, threads: int = 0,
                     exchange: bool = False) -> list[Region]:
    """Independent scenarios of one region: the same fields over each base in bases, as
    ``region`` runs them (the keywords as there), one Region per base in their order.

    With a client each scenario goes to a worker as one task, which runs the whole region on
    its cores: a region whose fields share their groundwater (``exchange=True``) runs step by
    step together and cannot be split across workers cheaply, while its scenarios are
    independent of one another. A task of a lost worker runs again on another.
    """
    if isinstance(bases, Project) or not isinstance(bases, Sequence):
        raise TypeError("region_scenarios takes a sequence of halosoil.Project, one per "
                        f"scenario, not {type(bases).__name__}")
    if client is None:
        return [region(base, fields, layer=layer, id=id, fill=fill, max_gap=max_gap,
                       threads=threads, exchange=exchange) for base in bases]
    exchange = flag("exchange", exchange)
    threads = count("threads", threads, 0)
    if fill not in (None, "linear"):
        raise InputError(f"fill must be None or 'linear', not {fill!r}")
    fill_days = count("max_gap", max_gap, 1) if fill else 0
    folder = tempfile.mkdtemp(prefix="halosoil-region-")
    try:
        path, layer_name, id_column = _layer_of(fields, layer, folder)
        if id is not None:
            id_column = id
        layer_bytes = _bytes_of_written_layer(path, os.path.join(folder, "results.gpkg"))
        scenarios = [_base_of(base) for base in bases]
        with on_cluster(client):
            futures = [client.submit(_run_coupled, record, base_name, os.path.abspath(path),
                                     layer_bytes, layer_name, id_column, False, False, fill_days,
                                     threads, "halosoil.region_scenarios(" +
                                     shlex.quote(base_name) + ")", exchange, pure=False,
                                     retries=2)
                       for record, base_name in scenarios]
            done = [future.result() for future in futures]
        regions = []
        for summary, written in done:
            kept = tempfile.mkdtemp(prefix="halosoil-region-results-")
            results = os.path.join(kept, "results.gpkg")
            with open(results, "wb") as file:
                file.write(written)
            regions.append(Region(results, summary))
        return regions
    except _core.HalosoilError as error:
        raise InputError(str(error)) from None
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def _exchange_on_dask(record: dict[str, Any], base_name: str, path: str, layer_name: str,
                      id_column: str, refine: bool, optimise: bool, fill_days: int,
                      threads: int, client: Any, results: str, command: str,
                      crop_arguments: dict[str, Any]) -> dict[str, Any]:
    # A GeoDataFrame was written to a folder of this process: its file goes with the task. A
    # file of the user's is read where it is, as the files its columns name are.
    layer_bytes = _bytes_of_written_layer(path, results)
    with on_cluster(client):
        future = client.submit(_run_coupled, record, base_name, os.path.abspath(path),
                               layer_bytes, layer_name, id_column, refine, optimise, fill_days,
                               threads, command, True, crop_arguments, pure=False, retries=2)
        summary, written = future.result()
    with open(results, "wb") as file:
        file.write(written)
    return summary


def _run_chunk(record: dict[str, Any], columns: list[str], folder: str, chunk: list[Any],
               refine: bool, optimise: bool, fill_days: int,
               crop_arguments: dict[str, Any]) -> list[tuple[str, str, dict[str, np.ndarray]]]:
    """A worker's part: the cells of a chunk of fields, run."""
    return _module().run_cells(record, columns, folder, chunk, refine, optimise, fill_days, 0,
                               **crop_arguments)


def _region_on_dask(module: Any, record: dict[str, Any], base_name: str, path: str,
                    layer_name: str, id_column: str, refine: bool, optimise: bool,
                    fill_days: int, client: Any, fields_per_task: int, results: str,
                    command: str, crop_arguments: dict[str, Any]) -> dict[str, Any]:
    columns, folder, cells = module.layer_cells(path, layer_name, id_column)
    # Only the cells cross to the workers, not the geometries: a field's own base and station
    # are read there from where the layer's folder puts them.
    folder = os.path.abspath(folder or ".")
    ids = [cell[0] for cell in cells]
    chunks = [cells[start:start + fields_per_task]
              for start in range(0, len(cells), fields_per_task)]
    outcomes: list[Any] = []
    with on_cluster(client):
        # The base's series cross once, scattered, not inside every chunk's task.
        [shared] = client.scatter([record], broadcast=True, hash=False)
        futures = [client.submit(_run_chunk, shared, columns, folder, chunk, refine, optimise,
                                 fill_days, crop_arguments, pure=False, retries=2)
                   for chunk in chunks]
        # Gathered in the chunks' order: a chunk run again replaces its own place only.
        for future in futures:
            outcomes.extend(future.result())
    messages = [message if status == "refused" else f"Field {field}: {message}"
                for field, (status, message, _) in zip(ids, outcomes) if message]
    module.write_results(path, layer_name, id_column, outcomes, results, base_name, command,
                         **crop_arguments)
    tally = [status for status, _, _ in outcomes]
    return {"fields": len(outcomes), "ran": tally.count("ok"), "stopped": tally.count("stopped"),
            "refused": tally.count("refused"), "failed_writes": 0, "seconds": float("nan"),
            "messages": messages}

