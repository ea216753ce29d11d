// The core's failed file operations as Python's own errors: halosoil._core.FileError is an
// OSError, and a failure whose errno is known is raised as the OSError subclass Python gives
// that errno (FileNotFoundError, PermissionError, IsADirectoryError, NotADirectoryError,
// FileExistsError), made a FileError too, with errno, strerror and filename set. Code that
// catches FileError or the builtin class alike goes on working.
#pragma once

#include <pybind11/pybind11.h>

#include "Errors.h"

namespace halosoil::python {

// Adds FileError and its subclasses to the module.
void AddFileErrors(pybind11::module_& m);

// Sets the Python error for a failed file operation (for an exception translator).
void SetFileError(const FileError& error);

}  // namespace halosoil::python
