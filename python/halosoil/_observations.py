"""Observations: what was measured in the field, per time step and result quantity."""

from __future__ import annotations

import math
import os
import re
from typing import Any, Optional

import numpy as np

from . import _core, _dates
from ._errors import InputError, translated
from ._names import CORE_NAMES, aliasing, core_quantity, in_script_terms, script_names
from ._project import Project

# The name the core gives a DataFrame in its refusals; they are put in the frame's terms.
_FRAME_NAME = "<DataFrame>"
_FRAME_PLACE = re.compile(re.escape(_FRAME_NAME) + r", line (\d+)(?:, column (\d+))?: (.*)",
                          re.DOTALL)


def _read_bytes(path: str | os.PathLike) -> tuple[bytes, str]:
    # Python's own open: a missing file raises FileNotFoundError with its errno and name.
    name = os.fspath(path)
    with open(name, "rb") as file:
        return file.read(), name


def read_observations(path: str | os.PathLike, project: Optional[Project] = None):
    """Reads an observations file into a DataFrame.

    The file is a CSV in the wide layout of ``halosoil-batch table``: a header
    ``step,<quantity>,...`` and one row per observed time step, an empty cell where nothing was
    observed. The quantities are named as the result table's columns: ``water_table_depth``
    (m below the surface; ``depth_water_table``, the batch runner's name, is read as well),
    ``drainage``, ``percolation``, ``capillary_rise``, ``actual_evaporation`` (mm per time
    step) and ``salinity_<zone>`` (dS/m).

    Parameters
    ----------
    path : str or os.PathLike
        The CSV file.
    project : Project, optional
        The project the observations belong to: its steps (1..``steps``) and zones bound what
        the file may hold. Without one the file is checked against a project of three
        root-zone layers and the most time steps a project may have.

    Returns
    -------
    pandas.DataFrame
        Indexed by time step (index name ``'step'``, ascending, the steps observed), one float
        column per quantity the file has a column for, in the order of the result table
        (``water_table_depth``, ``drainage``, ..., ``salinity_aquifer``); NaN where nothing
        was observed. The older column name ``depth_water_table`` still selects, with a
        DeprecationWarning.

    Raises
    ------
    FileNotFoundError
        The file does not exist (``errno`` and ``filename`` are set).
    halosoil.InputError
        The file is damaged; the message is the program's, naming the file, the line and the
        column, e.g. ``"obs.csv, line 2, column 2: '1x5' is not a valid floating point
        value"``.
    """
    text, name = _read_bytes(path)
    record = None if project is None else project._record()
    columns = translated(_core.read_observations, record, _with_core_header(text), name)
    return _frame_of(columns)


# A header cell of the package's name of a quantity, between commas.
_SCRIPT_HEADER_CELL = re.compile(
    rb"(^|,)(\s*)(" + b"|".join(re.escape(name.encode()) for name in CORE_NAMES) +
    rb")(\s*)(?=,|\r|$)")


def _with_core_header(text: bytes) -> bytes:
    """An observations file's text with the core's names in its header, so that a file takes
    the package's names (as a DataFrame's to_csv writes them) as well as the batch runner's."""
    end = text.find(b"\n")
    header, rest = (text, b"") if end < 0 else (text[:end], text[end:])
    header = _SCRIPT_HEADER_CELL.sub(
        lambda found: found.group(1) + found.group(2) +
        CORE_NAMES[found.group(3).decode()].encode() + found.group(4), header)
    return header + rest


def _frame_of(columns: list) -> Any:
    import pandas as pd

    steps = sorted({step for _, observed_steps, _ in columns for step in observed_steps})
    index = pd.Index(np.asarray(steps, dtype=np.int64), name="step")
    data = {}
    names = script_names(name for name, _, _ in columns)
    for name, (_, observed_steps, values) in zip(names, columns):
        series = pd.Series(np.asarray(values, dtype=float),
                           index=np.asarray(observed_steps, dtype=np.int64))
        data[name] = series.reindex(index).to_numpy(dtype=float)
    return aliasing(pd.DataFrame(data, index=index, columns=names))


def _cell(value: Any) -> str:
    # The shortest text that reads back as the same double; anything else as it prints, for
    # the core to refuse in its own words.
    if isinstance(value, (float, int, np.floating, np.integer)) and not isinstance(value, bool):
        number = float(value)
        return "" if math.isnan(number) else repr(number)
    return "" if value is None else str(value)


def _step_text(label: Any) -> str:
    if isinstance(label, (int, np.integer)) and not isinstance(label, bool):
        return str(int(label))
    if isinstance(label, (float, np.floating)) and float(label).is_integer():
        return str(int(label))
    return str(label)


def _frame_csv(frame: Any) -> tuple[bytes, list[str], list[Any]]:
    if "step" in frame.columns:
        frame = frame.set_index("step")
    names = [str(column) for column in frame.columns]
    for name in names:
        if "," in name or "\n" in name:
            raise InputError(f"observations DataFrame, column {name!r}: '{name}' is not a "
                             "quantity")
    # The header in the core's names; the messages keep the frame's own.
    header = [core_quantity(name, "the observations' column") for name in names]
    lines = [",".join(["step", *header])]
    labels = list(frame.index)
    for label, row in zip(labels, frame.itertuples(index=False, name=None)):
        for name, value in zip(names, row):
            # A comma in a cell would split it into two cells of the CSV the core reads.
            if isinstance(value, str) and "," in value:
                raise InputError(f"observations DataFrame, step {_step_text(label)}, {name}: "
                                 f"{value!r} has a comma; numbers take the decimal point "
                                 "(1.42), as pd.to_numeric(column.str.replace(',', '.')) gives")
        lines.append(",".join([_step_text(label), *map(_cell, row)]))
    return ("\n".join(lines) + "\n").encode("latin-1", errors="replace"), names, labels


def _frame_observations(frame: Any, record: dict) -> list:
    text, names, labels = _frame_csv(frame)
    try:
        return _core.read_observations(record, text, _FRAME_NAME)
    except _core.HalosoilError as error:
        raise InputError(in_script_terms(_in_frame_terms(str(error), names, labels))) from None


def _in_frame_terms(message: str, names: list[str], labels: list[Any]) -> str:
    # The core names the line and the column of its CSV text; line 1 is the header, line
    # k + 1 the frame's k-th row, column 1 the step, column c + 1 the frame's c-th column.
    place = _FRAME_PLACE.fullmatch(message)
    if not place:
        return message
    line, column, what = int(place.group(1)), place.group(2), place.group(3)
    where = "observations DataFrame"
    if line >= 2 and line - 2 < len(labels):
        where += f", row of step {_step_text(labels[line - 2])}"
    if column is not None:
        column = int(column)
        if column == 1:
            where += ", index"
        elif column - 2 < len(names):
            where += f", column {names[column - 2]!r}"
    return f"{where}: {what}"


def _in_steps(frame: Any, project: Project) -> Any:
    """The frame indexed by step: dates go to the step each falls in (see ``Project``)."""
    import pandas as pd

    if isinstance(frame.index, pd.DatetimeIndex):
        steps = _dates.steps_of_dates(frame.index, project.start, project.steps,
                                      project.step_length, "observations DataFrame")
        frame = frame.set_axis(pd.Index(steps, name="step"))
    return frame


def study_observations(project: Project, observations: Any) -> Optional[list]:
    """The observations a study lays over the project's measured salinities, as the core
    takes them: None for none, else the columns of a file or a DataFrame checked against the
    project."""
    if observations is None:
        return None
    record = project._record()
    if isinstance(observations, (str, os.PathLike)):
        text, name = _read_bytes(observations)
        return translated(_core.read_observations, record, _with_core_header(text), name)
    import pandas as pd

    if isinstance(observations, pd.DataFrame):
        return _frame_observations(_in_steps(observations, project), record)
    raise TypeError("observations are None, the path of a CSV file or a DataFrame in the "
                    f"layout of read_observations, not {type(observations).__name__}")
