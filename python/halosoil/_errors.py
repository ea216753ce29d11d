"""The exceptions of the halosoil package."""

from __future__ import annotations

import os

from . import _core
from ._names import in_script_terms


class Error(Exception):
    """Base class of the errors the halosoil package raises about projects and runs."""


class InputError(Error, ValueError):
    """A project the program would refuse, or an input or output file it cannot read.

    Notes
    -----
    The message is the text the program itself shows, word for word; for a damaged file it
    names the file and the line.
    """


class ClusterError(Error, RuntimeError):
    """The Dask cluster a study was sent to went away or failed during the study.

    Notes
    -----
    Raised instead of Dask's own errors (a closed connection, cancelled futures, a timeout),
    which differ from run to run; the message says what happened and the state of the client.
    The results of the study are lost; the package stays usable, with a new client or
    without one.
    """


class SaltBalanceWarning(UserWarning):
    """A run's salt budget does not hold: the salt balance made or lost more than 5 % of the
    salt that came in with irrigation and groundwater, or a zone's salinity passed 200 dS/m,
    which no soil water reaches.

    Notes
    -----
    The specified salt balance (the default, the earlier program's to the byte) lets the
    capillary rise carry the transition zone's salt upward without taking it out of the
    transition zone, so long runs with capillary rise gain salt from nowhere. Run with
    ``salt_balance="conserving"`` for a balance that keeps to what comes in, and see
    ``Result.salt_budget()`` for where the salt appears.
    """


class WaterTableBelowAquifer(Error):
    """The water table fell below the bottom of the aquifer and the run stopped.

    Parameters
    ----------
    message : str
        The program's message.
    step : int
        See below.

    Attributes
    ----------
    step : int
        The time step (1-based) at whose end the water table lay below the aquifer.
    """

    def __init__(self, message: str, step: int) -> None:
        super().__init__(message)
        self.step = step

    def __reduce__(self):
        return (type(self), (str(self), self.step))


#: A file the core could not read or write (an OSError); see its docstring.
FileError = _core.FileError
FileError.__doc__ = """A file the program could not read or write, as an OSError.

    Notes
    -----
    A write that fails (``Project.write``, ``Result.write``, ``Calibration.save``) raises
    Python's own subclass of OSError for the errno, which is a FileError too: a missing
    folder FileNotFoundError, no permission PermissionError, a folder in the file's place
    IsADirectoryError, a file in a folder's place NotADirectoryError; any other errno (a full
    disk: ``errno.ENOSPC``) this class itself. ``errno``, ``strerror`` and ``filename`` (the
    path) are set, and the message reads as Python's ("[Errno 2] No such file or directory:
    'runs/p.out'"). ``except FileError`` and ``except FileNotFoundError`` alike catch it.

    A file the package opens to read raises Python's own FileNotFoundError,
    IsADirectoryError or PermissionError before the program reads it. A file found unusable
    as a whole, without an errno, raises FileError with the program's own text.
    """


def readable(path) -> str:
    """The path, once Python itself has opened it for reading: a file that is missing, a
    folder or one without permission raises FileNotFoundError, IsADirectoryError or
    PermissionError with errno and filename set, naming the path."""
    path = os.fspath(path)
    with open(path, "rb"):
        pass
    return path


def translated(call, *args):
    """Calls into the core, raising the core's refusals as InputError in the package's names
    of the quantities."""
    try:
        return call(*args)
    except _core.FileError:
        raise
    except _core.HalosoilError as error:
        raise InputError(in_script_terms(str(error))) from None
