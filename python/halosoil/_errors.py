"""The exceptions of the halosoil package."""

from __future__ import annotations

from . import _core


class Error(Exception):
    """Base class of the errors the halosoil package raises about projects and runs."""


class InputError(Error, ValueError):
    """A project the program would refuse, or an input or output file it cannot read.

    The message is the text the program itself shows, word for word.
    """


class WaterTableBelowAquifer(Error):
    """The water table fell below the bottom of the aquifer and the run stopped.

    Attributes:
        step: the time step (1-based) at whose end the water table lay below the aquifer.
    """

    def __init__(self, message: str, step: int) -> None:
        super().__init__(message)
        self.step = step

    def __reduce__(self):
        return (type(self), (str(self), self.step))


def translated(call, *args):
    """Calls into the core, raising the core's refusals as InputError."""
    try:
        return call(*args)
    except _core.FileError:
        raise
    except _core.HalosoilError as error:
        raise InputError(str(error)) from None
