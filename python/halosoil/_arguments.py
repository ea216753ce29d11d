"""The checks of a function's arguments that are not part of a project: the flags, counts and
the project itself, refused at once with the argument's name and value."""

from __future__ import annotations

import numbers
import os
from typing import Any, Optional

import numpy as np

from ._errors import InputError


def flag(name: str, value: Any) -> bool:
    """A True or False argument; "no" or 0 would otherwise pass as whatever its truth is."""
    if isinstance(value, (bool, np.bool_)):
        return bool(value)
    raise InputError(f"{name} must be True or False, not {value!r}")


def count(name: str, value: Any, minimum: int) -> int:
    """A whole number of at least minimum."""
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Integral):
        raise InputError(f"{name} must be a whole number, not {value!r}")
    if value < minimum:
        raise InputError(f"{name} must be {minimum} or more, not {value!r}")
    return int(value)


def optional_count(name: str, value: Any, minimum: int) -> Optional[int]:
    return None if value is None else count(name, value, minimum)


def not_a_project(function: str, value: Any) -> TypeError:
    """The refusal of something given where a Project belongs; a path gets the hint of how to
    read it."""
    if isinstance(value, (str, bytes, os.PathLike)):
        path = os.fsdecode(value)
        return TypeError(f"{function} takes a halosoil.Project, not the path {path!r}; read "
                         f"the file first: halosoil.read_input({path!r})")
    return TypeError(f"{function} takes a halosoil.Project, not {type(value).__name__}")
