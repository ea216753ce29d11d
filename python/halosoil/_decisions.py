"""From salinity to decisions: the crops' salt tolerance, what a run's salinity costs a crop,
the leaching requirement of irrigation water, and drains in physical terms (Hooghoudt)."""

from __future__ import annotations

import numbers
import os
from collections.abc import Mapping
from typing import Any, Optional, Union

import numpy as np

from . import _core
from ._errors import InputError, readable, translated

#: ECe = this factor x the root zone's salinity of the soil moisture: the soil moisture near
#: field capacity holds about twice the concentration of the saturation extract.
ECE_FACTOR: float = 0.5

CropLike = Union[str, Mapping[str, float]]


def _number(name: str, value: Any) -> float:
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise InputError(f"{name} must be a number, not {value!r}")
    return float(value)


def crops(path: Optional[Union[str, os.PathLike]] = None):
    """The crops' salt tolerance as a table.

    Parameters
    ----------
    path : str or os.PathLike, optional
        A table of one's own (CSV with the columns crop,threshold,slope,class,source);
        without it the table shipped with the program (Maas and Hoffman 1977 and FAO-29's
        Table 4).

    Returns
    -------
    pandas.DataFrame
        One crop a row: ``crop``, ``threshold`` (ECe of full yield, dS/m), ``slope`` (% of
        the yield lost per dS/m above it), ``class`` and ``source``.
    """
    import pandas as pd

    rows = translated(_core.crop_table, "" if path is None else readable(path))
    return pd.DataFrame(rows, columns=["crop", "threshold", "slope", "class", "source"])


def crop_of(crop: CropLike, path: Optional[Union[str, os.PathLike]] = None
            ) -> tuple[str, float, float, str, str]:
    """The crop a study names: a name of the table, "threshold=T,slope=B", or a mapping with
    ``threshold`` and ``slope``; (name, threshold, slope, class, source)."""
    if isinstance(crop, Mapping):
        unknown = set(crop) - {"threshold", "slope", "name"}
        if unknown or "threshold" not in crop or "slope" not in crop:
            raise InputError(f"a crop of its own is {{'threshold': T, 'slope': B}}, not {crop!r}")
        threshold = _number("threshold", crop["threshold"])
        slope = _number("slope", crop["slope"])
        text = f"threshold={threshold!r},slope={slope!r}"
        row = translated(_core.chosen_crop, text, "")
        return (str(crop.get("name", row[0])),) + tuple(row[1:])
    if not isinstance(crop, str):
        raise InputError(f"crop must be a crop's name or {{'threshold': T, 'slope': B}}, "
                         f"not {crop!r}")
    return tuple(translated(_core.chosen_crop, crop, "" if path is None else readable(path)))


def leaching_requirement(irrigation_salinity, threshold):
    """The leaching requirement LR = ECw / (5 ECe_t - ECw) (Rhoades 1974, as FAO-29 gives it).

    Parameters
    ----------
    irrigation_salinity : float or array_like
        ECw, the salinity of the irrigation water, dS/m.
    threshold : float or str or mapping
        ECe_t, the crop's threshold in dS/m, or the crop itself (see ``crops``).

    Returns
    -------
    float or numpy.ndarray
        The share of the water that must pass the root zone (a fraction); NaN where the water
        reaches 2.5 ECe_t, which no amount of water keeps at the threshold.
    """
    if not isinstance(threshold, numbers.Real) or isinstance(threshold, bool):
        threshold = crop_of(threshold)[1]
    values = np.asarray(irrigation_salinity, dtype=float)
    out = np.array([_core.leaching_requirement(float(v), float(threshold))
                    for v in values.ravel()]).reshape(values.shape)
    return float(out) if out.ndim == 0 else out


def drainage_factors(spacing: float, k_above: float, k_below: float, impervious: float,
                     radius: float) -> dict[str, float]:
    """The drainage reaction factors of a drain spacing by Hooghoudt's equation.

    QH1 = 8 K2 d / L^2 and QH2 = 4 K1 / L^2, with Moody's equivalent depth d.

    Parameters
    ----------
    spacing : float
        L, the drain spacing, m.
    k_above, k_below : float
        K1 and K2, the hydraulic conductivities above and below drain level, m/day.
    impervious : float
        D, the depth of the impervious layer below the drains, m.
    radius : float
        r, the drain radius, m.

    Returns
    -------
    dict
        ``qh1`` (m/day per m), ``qh2`` (m/day per m squared) and ``equivalent_depth`` (m).
    """
    qh1, qh2, depth = translated(_core.drainage_factors, _number("spacing", spacing),
                                 _number("k_above", k_above), _number("k_below", k_below),
                                 _number("impervious", impervious), _number("radius", radius))
    return {"qh1": qh1, "qh2": qh2, "equivalent_depth": depth}


def drain_spacing(qh1: float, k_above: float, k_below: float, impervious: float,
                  radius: float) -> float:
    """The drain spacing (m) whose QH1 (m/day per m) by Hooghoudt's equation is ``qh1``; the
    soil as for ``drainage_factors``."""
    return translated(_core.drain_spacing, _number("qh1", qh1), _number("k_above", k_above),
                      _number("k_below", k_below), _number("impervious", impervious),
                      _number("radius", radius))


class Design:
    """A management design, as ``halosoil.design`` returns it.

    Attributes
    ----------
    controls : pandas.DataFrame
        One control a row, indexed by its parameter name: ``value``, ``low``, ``high`` and
        ``unit``.
    summary : pandas.Series
        ``objective`` (mm over all steps for irrigation and drainage, else the control's
        unit), ``margin`` (% of yield above the requirement), ``achieved_probability``,
        ``feasible``, ``best_reachable_yield`` (%), ``runs`` and ``seconds``.
    active_constraints : list of str
        The requirement when it binds, and the controls at a bound.
    project : Project
        The project with the controls set, ready to run or write.
    report : dict
        The report as ``halosoil-batch design --report`` writes it.
    """

    def __init__(self, outcome: dict[str, Any]):
        import json

        import pandas as pd

        from ._project import Project

        self.controls = pd.DataFrame(
            {"value": outcome["values"], "low": outcome["lows"], "high": outcome["highs"],
             "unit": outcome["units"]},
            index=pd.Index(outcome["names"], name="control"))
        self.summary = pd.Series({name: outcome[name] for name in (
            "objective", "margin", "achieved_probability", "feasible", "best_reachable_yield",
            "runs", "seconds")}, dtype=object)
        self.active_constraints = list(outcome["active_constraints"])
        self.project = Project._from_record(outcome["project"])
        self.report = json.loads(outcome["report"])
        self._json = outcome["report"]

    @property
    def feasible(self) -> bool:
        """Whether the controls within their bounds meet the requirement."""
        return bool(self.summary["feasible"])

    def to_json(self) -> str:
        """The report's JSON text."""
        return self._json

    def __repr__(self) -> str:
        values = ", ".join(f"{name}={value:.6g}" for name, value in self.controls["value"].items())
        state = "" if self.feasible else "no design meets the requirement; nearest "
        return f"Design({state}{values}, objective {self.summary['objective']:.6g})"


def design(project, crop: CropLike, controls: Mapping[str, tuple[float, float]],
           require: str, probability: Optional[float] = None,
           parameters: Optional[Mapping[str, Any]] = None, from_calibration: Any = None,
           members: int = 200, minimise: str = "irrigation", seed: int = 0,
           ece_factor: float = ECE_FACTOR, drain_soil: Optional[Mapping[str, float]] = None,
           crops: Optional[Union[str, os.PathLike]] = None, threads: int = 0,
           client: Any = None, members_per_task: int = 50) -> Design:
    """The controls that minimise the irrigation, the drainage or a control while the crop's
    relative yield meets a requirement, as ``halosoil-batch design`` finds them.

    Parameters
    ----------
    project : Project
        The project the controls move.
    crop : str or mapping
        A crop of the table, "threshold=T,slope=B" or ``{'threshold': T, 'slope': B}``.
    controls : dict
        Movable parameters and their bounds, ``{'irrigation_factor': (0.5, 2)}``.
    require : str
        ``relative_yield>=Y`` at every step, or ``relative_yield>=Y@final``.
    probability : float, optional
        The share (0..1) of an ensemble's members that must meet the requirement; the
        members come from ``parameters`` (``{name: ('uniform', low, high)}``, as
        ``ensemble`` takes them) or ``from_calibration`` and are the same for every candidate.
    members : int, default 200
    minimise : str, default "irrigation"
        ``irrigation``, ``drainage`` (mm over all steps) or a control's name.
    seed : int, default 0
    ece_factor : float, default 0.5
    drain_soil : dict, optional
        ``{'k_above': K1, 'k_below': K2, 'impervious': D, 'radius': r}`` for a drain_spacing.
    crops : str or os.PathLike, optional
        A crop table of one's own.
    threads : int, default 0
        Threads for the members, 0 for one per core.
    client : dask.distributed.Client, optional
        With a probability, each candidate's ensemble goes to the client's workers,
        ``members_per_task`` members per task; the search itself stays here, since each
        candidate depends on the ones before. The members and the design are those found
        without a client. Without a probability every candidate is one run, made here.
    members_per_task : int, default 50
        With a client: the members of one task.

    Returns
    -------
    Design
    """
    from ._arguments import count, not_a_project
    from ._ensemble import _distribution_texts, _report_of
    from ._project import Project

    if not isinstance(project, Project):
        raise not_a_project("design", project)
    if parameters is not None and from_calibration is not None:
        raise InputError("Give the parameters' distributions or a calibration to draw from, "
                         "not both.")
    if probability is not None:
        probability = _number("probability", probability)
    elif parameters is not None or from_calibration is not None:
        raise InputError("parameters and from_calibration give the uncertainty of a "
                         "probability")
    if not isinstance(controls, Mapping) or not controls:
        raise InputError("controls is a dict of name: (low, high)")
    texts = []
    for name, bounds in controls.items():
        if not isinstance(bounds, (tuple, list)) or len(bounds) != 2:
            raise InputError(f"Control {name}: the bounds are (low, high), not {bounds!r}")
        low, high = (_number(f"Control {name}", bound) for bound in bounds)
        texts.append(f"{name}={low!r}:{high!r}")
    soil = ""
    if drain_soil is not None:
        soil = ",".join(f"{key}={_number(key, value)!r}" for key, value in drain_soil.items())
    name = crop_of(crop, crops)
    crop_text = name[0] if isinstance(crop, str) and "=" not in crop else \
        f"threshold={name[1]!r},slope={name[2]!r}"
    arguments = (crop_text, "" if crops is None else readable(crops),
                 _number("ece_factor", ece_factor), texts, str(require), probability,
                 _distribution_texts(parameters), _report_of(from_calibration),
                 count("members", members, 2), count("seed", seed, 0), str(minimise), soil)
    threads = count("threads", threads, 0)
    record = project._record()
    if client is None or probability is None:
        outcome = translated(_core.design, record, _core.DesignArguments(*arguments), threads)
    else:
        size = count("members_per_task", members_per_task, 1)
        outcome = translated(_core.design, record, _core.DesignArguments(*arguments), threads,
                             _members_on(client, record, arguments, size))
    return Design(outcome)


def _design_members(record: dict, arguments: tuple, values: np.ndarray):
    """A worker's part of a candidate: the statistics and goals of its members."""
    return _core.design_members(record, _core.DesignArguments(*arguments), values)


def _members_on(client: Any, record: dict, arguments: tuple, size: int):
    """What the design calls for each candidate: its members sent to the workers in tasks of
    size, the project and the settings scattered to them once for the whole design."""
    from ._cluster import on_cluster

    with on_cluster(client):
        shared_record, shared_arguments = client.scatter([record, arguments], broadcast=True,
                                                         hash=False)

    def run(values: np.ndarray):
        with on_cluster(client):
            futures = [client.submit(_design_members, shared_record, shared_arguments,
                                     values[start:start + size], pure=False)
                       for start in range(0, len(values), size)]
            parts = client.gather(futures)
        return (np.concatenate([np.asarray(part[0]) for part in parts]),
                np.concatenate([np.asarray(part[1]) for part in parts]))

    return run
