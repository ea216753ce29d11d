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
        ``qh1`` (m/day per m), ``qh2`` (m/day per m2) and ``equivalent_depth`` (m).
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
