#include "FileErrors.h"

#include <cerrno>
#include <cstring>

namespace py = pybind11;

namespace halosoil::python {

namespace {

// The Python classes live as long as the process: the translator may run while the
// interpreter shuts the module down, and a class must never be freed under it.
struct FileErrorClasses {
    PyObject* base = nullptr;
    PyObject* notFound = nullptr;
    PyObject* exists = nullptr;
    PyObject* isDirectory = nullptr;
    PyObject* notDirectory = nullptr;
    PyObject* permission = nullptr;
};

FileErrorClasses& Classes() {
    static FileErrorClasses classes;
    return classes;
}

// A FileError that is also the builtin class of the same name, so that tracebacks read as
// Python's own ("FileNotFoundError: [Errno 2] No such file or directory: 'x/p.inp'").
PyObject* SubclassOf(py::module_& m, const char* builtinName) {
    const py::object builtin = py::module_::import("builtins").attr(builtinName);
    py::dict body;
    body["__module__"] = m.attr("__name__");
    body["__doc__"] = py::str(std::string(builtinName) +
                              " of a file the program could not write or read; a FileError too.");
    const py::object type =
        py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyType_Type));
    py::object subclass =
        type(builtinName, py::make_tuple(py::handle(Classes().base), builtin), body);
    m.attr(builtinName) = subclass;
    return subclass.release().ptr();
}

PyObject* ClassFor(int errorNumber) {
    const FileErrorClasses& classes = Classes();
    switch (errorNumber) {
        case ENOENT:
            return classes.notFound;
        case EEXIST:
            return classes.exists;
        case EISDIR:
            return classes.isDirectory;
        case ENOTDIR:
            return classes.notDirectory;
        case EACCES:
        case EPERM:
            return classes.permission;
        default:
            return classes.base;  // an OSError with its errno: "Disk full" is ENOSPC
    }
}

}  // namespace

void AddFileErrors(py::module_& m) {
    FileErrorClasses& classes = Classes();
    classes.base = PyErr_NewException("halosoil._core.FileError", PyExc_OSError, nullptr);
    m.attr("FileError") = py::handle(classes.base);
    classes.notFound = SubclassOf(m, "FileNotFoundError");
    classes.exists = SubclassOf(m, "FileExistsError");
    classes.isDirectory = SubclassOf(m, "IsADirectoryError");
    classes.notDirectory = SubclassOf(m, "NotADirectoryError");
    classes.permission = SubclassOf(m, "PermissionError");
}

void SetFileError(const FileError& error) {
    const int errorNumber = error.ErrorNumber();
    if (errorNumber == 0) {
        // No errno to go by (a file a reader found unusable as a whole): the program's text.
        PyErr_SetString(Classes().base, error.what());
        return;
    }
    PyObject* kind = ClassFor(errorNumber);
    py::tuple arguments;
    if (error.File().empty()) {
        arguments = py::make_tuple(errorNumber, std::strerror(errorNumber));
    } else {
        // A path is bytes to the system: names that are no UTF-8 come back as os.fsdecode
        // gives them.
        PyObject* decoded = PyUnicode_DecodeFSDefaultAndSize(
            error.File().data(), static_cast<Py_ssize_t>(error.File().size()));
        if (!decoded) return;  // the decoding set its own error
        const py::object path = py::reinterpret_steal<py::object>(decoded);
        arguments = py::make_tuple(errorNumber, std::strerror(errorNumber), path);
    }
    PyObject* instance = PyObject_Call(kind, arguments.ptr(), nullptr);
    if (!instance) return;  // the call set its own error
    PyErr_SetObject(kind, instance);
    Py_DECREF(instance);
}

}  // namespace halosoil::python
