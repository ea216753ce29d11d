"""Weather into time steps: a climate-change scenario by delta change, a record grouped into a
project's steps, and a project whose rain and evaporation a record gives.

As in ``_weather``, every number is the program's weather library's.
"""

from __future__ import annotations

import numbers
import warnings
from typing import Any, Optional, Union

import numpy as np

from . import _core
from ._errors import InputError
from ._weather import _NAMES, _call, _options, _pandas, _record_of, _whole

_STEP_LENGTHS = "'year', 'month', 'week' or 'day' (360, 30, 7 or 1 days)"


def _step_length(project: Any) -> tuple[int, Optional[int]]:
    """The step length and number of steps of a Project, or of a step length given alone."""
    from ._project import Project

    if isinstance(project, Project):
        return _whole("step_length", project.step_length), _whole("steps", project.steps)
    if isinstance(project, str):
        days = _core.step_length_named(project)
        if days is None:
            raise InputError(f"step {project!r}: a step is {_STEP_LENGTHS}")
        return days, None
    if isinstance(project, numbers.Integral) and not isinstance(project, (bool, np.bool_)):
        return int(project), None
    raise InputError(f"the steps are those of a Project or a step length {_STEP_LENGTHS}, not "
                     f"{project!r}")


def _change_text(label: str, value: Any) -> str:
    if isinstance(value, str):
        return value
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Real):
        raise InputError(f"{label}: {value!r} is not a change: give a number in the "
                         "variable's unit (+2) or a percentage ('-10%')")
    return repr(float(value))


def delta_change(weather: Any, *, monthly: Any = None, **changes: Union[float, str]):
    """The weather of a climate-change scenario by delta change.

    Parameters
    ----------
    weather : pandas.DataFrame
        Daily weather as ``read_weather`` gives it.
    monthly : pandas.DataFrame, optional
        Changes per calendar month: columns ``month`` (1 to 12), ``variable`` and ``change``
        (as the keywords' values), one row each. A variable with a change of every month (a
        keyword) and one of the day's month takes both.
    **changes : float or str
        Per variable (``tmax=2``, ``rain="-10%"``): a number is added to every day's value in
        the variable's unit (deg C, mm, ...); a string ``"N%"`` changes it by N percent.
        Temperatures change by degrees only.

    Returns
    -------
    pandas.DataFrame
        A copy of the weather with the changed variables' columns; a missing value stays
        missing (``fill`` of ``et0`` and ``to_steps`` fills it from the changed days, where
        ``halosoil-batch weather --delta`` fills before it changes: the same but for the
        last digits of a filled day).

    Raises
    ------
    halosoil.InputError
        With the program's text: a variable that is none, a change that is no number, a
        percentage of a temperature or one below -100 %, a month outside 1 to 12, a day whose
        changed values no weather has (a Tmin above the Tmax, a negative rain: "weather,
        2001-07-06, rain: rain -1 mm is negative (after the delta change)"). A change of a
        variable the weather has no column for is refused too.
    """
    pd = _pandas()
    name, dates, columns = _record_of(weather, warn=False)
    deltas = [("delta_change", None, str(variable), _change_text(str(variable), value))
              for variable, value in changes.items()]
    if monthly is not None:
        if not isinstance(monthly, pd.DataFrame):
            raise InputError("monthly must be a DataFrame of columns month, variable, change, "
                             f"not {type(monthly).__name__}")
        missing = [column for column in ("month", "variable", "change")
                   if column not in monthly.columns]
        if missing:
            raise InputError(f"monthly has no column {', '.join(map(repr, missing))}; its "
                             "columns are month, variable, change")
        for label, month, variable, change in zip(monthly.index, monthly["month"],
                                                  monthly["variable"], monthly["change"]):
            where = f"monthly, row {label}"
            if isinstance(month, (float, np.floating)) and float(month).is_integer():
                month = int(month)
            deltas.append((where, str(month), str(variable), _change_text(where, change)))
    absent = sorted({variable for _, _, variable, _ in deltas
                     if variable in _NAMES and variable not in columns})
    if absent:
        raise InputError(f"delta_change: {name} has no column {', '.join(map(repr, absent))} "
                         "to change")
    changed = _call(_core.weather_with_deltas, name, dates, columns, deltas)
    frame = weather.copy()
    for variable, values in changed.items():
        frame[variable] = values
    return frame


def _steps_frame(steps: dict[str, Any], summary: str):
    pd = _pandas()
    index = pd.Index(np.asarray(steps["step"], dtype=np.int64), name="step")
    frame = pd.DataFrame({
        "start": pd.to_datetime(steps["start"], unit="D"),
        "end": pd.to_datetime(steps["end"], unit="D"),
        "days": steps["days"],
        "rain": steps["rain"],
        "et0": steps["et0"],
        "kc": steps["kc"],
        "evap": steps["evap"],
        "estimated_days": steps["estimated_days"],
    }, index=index)
    frame.attrs["summary"] = summary.strip()
    return frame


def to_steps(weather: Any, project: Any, *, latitude: float, elevation: float,
             kc: Any = 1.0, start: Any = None, steps: Optional[int] = None,
             wind_height: float = 2.0, method: str = "penman-monteith", coastal: bool = False,
             fill: Optional[str] = None, max_gap: int = 3):
    """The weather grouped into the project's time steps: rain and Kc x ET0 per step.

    Parameters
    ----------
    weather : pandas.DataFrame
        Daily weather as ``read_weather`` gives it; ``rain`` is needed.
    project : Project, str or int
        The project whose step length (and number of steps, for ``kc`` per step) the steps
        take, or a step length alone: 'year' (360), 'month' (30), 'week' (7) or 'day' (1).
        A month step sums a calendar month, a year step twelve months from its start month,
        a week step seven days.
    latitude, elevation : float
        The station's, in degrees (south negative) and m above sea level.
    kc : float, dict, pandas.Series or sequence, default 1.0
        The crop coefficient, 0 to 2: a number for every day; Kc by calendar month as a dict
        ``{1: kc_january, ..., 12: kc_december}``, a Series indexed by the months 1 to 12, or
        a sequence of 12 values (January first) unless the project has 12 steps; or Kc per
        step as a sequence of one value per step of the project (``project.steps`` values,
        step 1 first).
    start : str, datetime or pandas.Timestamp, optional
        The first day of step 1; a month or year step begins on the first of a month. By
        default the record's first day for day and week steps, the first day of its first
        complete month for month and year steps.
    steps : int, optional
        The number of steps; by default every complete step the record covers.
    wind_height, method, coastal, fill, max_gap
        As for ``et0``.

    Returns
    -------
    pandas.DataFrame
        Indexed by step (index ``step``, from 1), columns ``start`` and ``end`` (the first and
        last day, Timestamps), ``days``, ``rain`` (mm per step), ``et0`` (mm per step),
        ``kc`` (the step's Kc: with Kc by month the ET0-weighted mean of its days'),
        ``evap`` (sum of Kc x ET0, mm per step) and ``estimated_days`` (days whose ET0 or
        rain rests on an estimate, see ``et0``). ``attrs["summary"]`` is the summary
        ``halosoil-batch weather`` prints.

    Raises
    ------
    halosoil.InputError
        As ``et0`` does, and for a step the record does not cover (naming it), a Kc outside
        0 to 2, a start that is not the first of a month for month and year steps, a step
        length other than a year, month, week or day.
    """
    length, project_steps = _step_length(project)
    name, dates, columns = _record_of(weather)
    options = _options(latitude, elevation, wind_height, method, coastal, fill, max_gap,
                       step_length=length, start=start, steps=steps, kc=kc,
                       steps_of_kc=project_steps)
    computed = _call(_core.compute_weather, name, dates, columns, options)
    return _steps_frame(computed["steps"], computed["summary"])


def apply_weather(project: Any, weather: Any, *, latitude: float, elevation: float,
                  kc: Any = 1.0, start: Any = None, steps: Optional[int] = None,
                  wind_height: float = 2.0, method: str = "penman-monteith",
                  coastal: bool = False, fill: Optional[str] = None, max_gap: int = 3):
    """A new project whose rain and evaporation are those of a station's daily weather.

    The weather is grouped into the project's time steps as ``halosoil.to_steps`` groups
    it (the step length is the project's): ``rain`` becomes the steps' rain and
    ``evaporation`` their Kc x ET0, in mm per step, as ``halosoil-batch weather --into``
    writes them.

    Parameters
    ----------
    weather : pandas.DataFrame
        Daily weather as ``halosoil.read_weather`` gives it.
    latitude, elevation, kc, start, steps, wind_height, method, coastal, fill, max_gap
        As for ``halosoil.to_steps``; ``kc`` per step has one value per step of this
        project.

    Returns
    -------
    Project
        A copy with ``steps`` the steps the weather covers, at most this project's:
        irrigation, irrigation salinity and measured salinities cannot be made from
        weather, so a project longer than the record is cut to the steps covered, and a
        record longer than the project fills only the project's steps. This project is
        left as it is.

    Raises
    ------
    halosoil.InputError
        As ``halosoil.to_steps`` does; also for a project whose values no input file
        could hold.

    Warns
    -----
    UserWarning
        Naming what was cut or left out when the record and the project differ in length.
    """
    from ._project import Project

    if not isinstance(project, Project):
        raise InputError(f"apply_weather needs a Project, not {type(project).__name__}")
    record = project._record()
    name, dates, columns = _record_of(weather)
    options = _options(latitude, elevation, wind_height, method, coastal, fill, max_gap,
                       step_length=project.step_length, start=start, steps=steps, kc=kc,
                       steps_of_kc=project.steps)
    attributes, messages, _ = _call(_core.apply_weather, record, name, dates, columns, options)
    for message in messages:
        warnings.warn(message, stacklevel=3)
    changed = Project._from_record(attributes)
    changed.label = dict(project.label)
    return changed
