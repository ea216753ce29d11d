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


#: The salt balances a run can compute.
SALT_BALANCES = ("specified", "conserving")


def salt_balance(value: Any) -> str:
    """The name of a salt balance: "specified" (the earlier program's, the default) or
    "conserving"."""
    if isinstance(value, str) and value in SALT_BALANCES:
        return value
    raise InputError(f"salt_balance must be 'specified' or 'conserving', not {value!r}")


def with_salt_balance(record: dict, name: str) -> dict:
    """The record with the balance its runs compute; the specified one travels as the
    record's absence of the key, as a record always has."""
    # The record may be the project's own attributes, which must not gain the key.
    return {**record, "salt_balance": name} if name != "specified" else record
