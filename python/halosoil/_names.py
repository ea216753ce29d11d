"""The names of the result quantities as a script sees them, and the core's names behind them.

The core, the batch runner and the files they write and read (observations, calibration
reports, a region's GeoPackage) call the depth of the water table ``depth_water_table``, after
the output table's column; a project calls it ``water_table_depth``, and so does everything
this package gives and takes. The older name is still taken, with a DeprecationWarning that
names the new one; it is translated here, where the package meets the core."""

from __future__ import annotations

import os
import re
import sys
import warnings
from typing import Any, Iterable

# The core's name of a quantity: the package's name of it.
SCRIPT_NAMES = {"depth_water_table": "water_table_depth"}
# The package's name: the core's.
CORE_NAMES = {new: old for old, new in SCRIPT_NAMES.items()}

_PACKAGE = os.path.dirname(os.path.abspath(__file__))

# A core name as a word of a message: not part of a longer name, nor of a file's name or path.
_CORE_WORD = re.compile(r"(?<![\w/\\.])(" + "|".join(map(re.escape, SCRIPT_NAMES)) +
                        r")(?![\w/\\]|\.\w)")
# A core name within a longer name (min_depth_water_table, depth_water_table_final, ...).
_CORE_PART = re.compile("|".join(map(re.escape, SCRIPT_NAMES)))


def _caller_level() -> int:
    """The stacklevel of the first frame outside the package, counted from warn_renamed's
    call of warnings.warn: where the script named the old name."""
    frame = sys._getframe(1)
    level = 1
    while frame is not None and os.path.dirname(
            os.path.abspath(frame.f_code.co_filename)) == _PACKAGE:
        frame = frame.f_back
        level += 1
    return level


def warn_renamed(old: str, new: str, where: str) -> None:
    """The DeprecationWarning for an old name a script used, pointing at the script's line;
    where says what the name is ("the column", "the summary's key")."""
    warnings.warn(f"{where} {old} is deprecated; use {new}, the project's name",
                  DeprecationWarning, stacklevel=_caller_level())


def renamed(name: str) -> str:
    """A name of the core's as the package gives it (depth_water_table_mean ->
    water_table_depth_mean); any other name as it is."""
    return _CORE_PART.sub(lambda found: SCRIPT_NAMES[found.group(0)], name)


def core_quantity(name: Any, where: str) -> Any:
    """The core's name of a quantity a script gave: the package's name translated, the old
    one taken with a DeprecationWarning; anything else as it is, for the core to refuse."""
    if not isinstance(name, str):
        return name
    if name in SCRIPT_NAMES:
        warn_renamed(name, SCRIPT_NAMES[name], where)
        return name
    return CORE_NAMES.get(name, name)


def core_text(text: str, where: str) -> str:
    """A text that starts with a quantity (a target 'water_table_depth:mean', a threshold
    'water_table_depth>1.5') with the core's name of it."""
    found = re.match(r"\w+", text)
    if not found:
        return text
    return core_quantity(found.group(0), where) + text[found.end():]


def script_text(text: str) -> str:
    """A text of the core's that starts with a quantity, with the package's name of it."""
    found = re.match(r"\w+", text)
    if not found:
        return text
    return SCRIPT_NAMES.get(found.group(0), found.group(0)) + text[found.end():]


def script_names(names: Iterable[str]) -> list[str]:
    return [SCRIPT_NAMES.get(name, name) for name in names]


def in_script_terms(message: str) -> str:
    """A refusal of the core's in the package's names: 'the quantities are
    water_table_depth, drainage, ...'."""
    return _CORE_WORD.sub(lambda found: SCRIPT_NAMES[found.group(1)], message)


def quantities() -> list[tuple[str, str, int]]:
    """The study quantities (name, unit, zone) under the package's names, in the core's
    order."""
    from . import _core

    return [(SCRIPT_NAMES.get(name, name), unit, zone) for name, unit, zone in _core.quantities()]


class Summary(dict):
    """A dict of numbers under the package's names whose old keys (min_depth_water_table)
    still answer, with a DeprecationWarning; what it has and iterates are the new keys."""

    def __missing__(self, key: Any) -> Any:
        if isinstance(key, str):
            new = renamed(key)
            if new != key and dict.__contains__(self, new):
                warn_renamed(key, new, "the summary's key")
                return dict.__getitem__(self, new)
        raise KeyError(key)

    def get(self, key: Any, default: Any = None) -> Any:
        try:
            return self[key]
        except KeyError:
            return default


def aliased_column(columns: Any, key: Any) -> Any:
    """The new name of an old column a frame lacks (depth_water_table_final ->
    water_table_depth_final), or None."""
    if not isinstance(key, str) or key in columns:
        return None
    new = renamed(key)
    return new if new != key and new in columns else None


_FRAME_CLASSES: dict[type, type] = {}


def _frame_class(base: type) -> type:
    """A subclass of the frame class base whose selection by an old column name warns and
    gives the new column under the name asked for, so that code written for the old name
    keeps working. What is made from it is a plain frame of base."""
    if base in _FRAME_CLASSES:
        return _FRAME_CLASSES[base]
    import pandas as pd

    class Aliasing(base):  # type: ignore[misc, valid-type]
        def __getitem__(self, key):
            keys = key if isinstance(key, list) else [key] if isinstance(key, str) else None
            news = {k: aliased_column(self.columns, k) for k in keys or []}
            if not any(news.values()):
                return super().__getitem__(key)
            for old, new in news.items():
                if new:
                    warn_renamed(old, new, "the column")
            if isinstance(key, list):
                chosen = base.__getitem__(self, [news[k] or k for k in keys])
                return chosen.set_axis(keys, axis=1)
            return base.__getitem__(self, news[key]).rename(key)

    if base is pd.DataFrame:
        Aliasing._constructor = property(lambda self: pd.DataFrame)  # type: ignore[assignment]
    # Found by pickle under this module's name (see __getattr__ below).
    Aliasing.__name__ = Aliasing.__qualname__ = "Aliasing" + base.__name__
    Aliasing.__module__ = __name__
    _FRAME_CLASSES[base] = Aliasing
    return Aliasing


def aliasing(frame: Any) -> Any:
    """The frame (a DataFrame or GeoDataFrame, as it is, not copied) made to answer the old
    column names too."""
    frame.__class__ = _frame_class(type(frame))
    return frame


_DATASET_CLASS: list[type] = []


def _dataset_class() -> type:
    if _DATASET_CLASS:
        return _DATASET_CLASS[0]
    import xarray as xr

    class Dataset(xr.Dataset):
        """An xarray Dataset whose old variable names still select, with a warning."""

        __slots__ = ()

        def __getitem__(self, key):
            new = aliased_column(self.variables, key)
            if new is None:
                return super().__getitem__(key)
            warn_renamed(key, new, "the variable")
            return super().__getitem__(new).rename(key)

        def __getattr__(self, name):
            if not name.startswith("_"):
                new = aliased_column(self.variables, name)
                if new is not None:
                    warn_renamed(name, new, "the variable")
                    return super().__getitem__(new).rename(name)
            return super().__getattr__(name)

    Dataset.__name__ = Dataset.__qualname__ = "AliasingDataset"
    Dataset.__module__ = __name__
    _DATASET_CLASS.append(Dataset)
    return Dataset


def aliasing_dataset(dataset: Any) -> Any:
    """The xarray Dataset (as it is, not copied) made to answer the old variable names too."""
    dataset.__class__ = _dataset_class()
    return dataset


def __getattr__(name: str) -> type:
    # The classes above are made at their first use, pandas, geopandas and xarray being
    # imported only then; an object of one unpickled in another process makes it there.
    if name == "AliasingDataset":
        return _dataset_class()
    if name == "AliasingDataFrame":
        import pandas as pd

        return _frame_class(pd.DataFrame)
    if name == "AliasingGeoDataFrame":
        import geopandas

        return _frame_class(geopandas.GeoDataFrame)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
