"""A file the package cannot write raises Python's own OSError for the errno (FileNotFoundError,
PermissionError, IsADirectoryError, ...), naming the path, with errno, strerror and filename
set; each is a halosoil.FileError too, and an earlier file stays as it was."""

import errno
import os
import pathlib
import pickle
import subprocess
import sys
import textwrap

import pandas as pd
import pytest

import halosoil
from conftest import EXAMPLES

MONTHLY = EXAMPLES / "one_layer_monthly.inp"


@pytest.fixture(scope="module")
def project():
    return halosoil.read_input(MONTHLY)


@pytest.fixture(scope="module")
def result(project):
    return halosoil.run(project)


@pytest.fixture(scope="module")
def calibration():
    weekly = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    observed = pd.DataFrame({"water_table_depth": [1.35, 1.42, 1.43]},
                            index=pd.Index([1, 3, 5], name="step"))
    return halosoil.calibrate(weekly, observations=observed, parameters={"qh1": (0.01, 0.05)})


@pytest.fixture(params=["Project.write", "Result.write", "Calibration.save"])
def write(request, project, result):
    """Each of the package's writes, as a function of the path."""
    if request.param == "Project.write":
        # write() sets file_name: a copy keeps the shared project as it was read.
        return lambda path: project.copy().write(path)
    if request.param == "Result.write":
        return result.write
    return request.getfixturevalue("calibration").save


def expect_os_error(caught, kind, number, path):
    error = caught.value
    assert type(error).__name__ == kind.__name__
    assert isinstance(error, kind) and isinstance(error, halosoil.FileError)
    assert error.errno == number
    assert error.strerror == os.strerror(number)
    assert error.filename == str(path)
    assert str(error) == f"[Errno {number}] {os.strerror(number)}: '{path}'"


def test_a_missing_folder_is_file_not_found_naming_the_path(write, tmp_path):
    path = tmp_path / "no-such-folder" / "field.out"
    with pytest.raises(FileNotFoundError) as caught:
        write(path)
    expect_os_error(caught, FileNotFoundError, errno.ENOENT, path)
    assert not (tmp_path / "no-such-folder").exists()


def test_a_folder_in_the_files_place_is_a_directory_error(write, tmp_path):
    path = tmp_path / "field.out"
    path.mkdir()
    with pytest.raises(IsADirectoryError) as caught:
        write(path)
    expect_os_error(caught, IsADirectoryError, errno.EISDIR, path)
    # Neither the folder nor a temporary file beside it is left changed.
    assert path.is_dir() and list(path.iterdir()) == []
    assert [p.name for p in tmp_path.iterdir()] == ["field.out"]


def test_a_file_in_a_folders_place_is_not_a_directory_error(write, tmp_path):
    (tmp_path / "runs").write_text("a file, not a folder")
    path = tmp_path / "runs" / "field.out"
    with pytest.raises(NotADirectoryError) as caught:
        write(path)
    expect_os_error(caught, NotADirectoryError, errno.ENOTDIR, path)


def test_a_folder_without_write_permission_is_a_permission_error(write, tmp_path):
    if os.geteuid() != 0:
        folder = tmp_path / "locked"
        folder.mkdir()
        folder.chmod(0o500)
    elif os.path.isdir("/sys/kernel"):
        # Root writes into any folder of a disk; sysfs refuses it a new file all the same.
        folder = pathlib.Path("/sys/kernel")
    else:
        pytest.skip("no folder this user may not write into")
    path = folder / "field.out"
    try:
        with pytest.raises(PermissionError) as caught:
            write(path)
    finally:
        if folder.parent == tmp_path:
            folder.chmod(0o700)
    expect_os_error(caught, PermissionError, errno.EACCES, path)


def test_code_catching_the_core_file_error_still_catches_a_failed_write(result, tmp_path):
    path = tmp_path / "missing" / "field.out"
    with pytest.raises(halosoil.FileError) as caught:
        result.write(path)
    # A study on a Dask cluster sends errors back pickled: the class and the path survive.
    again = pickle.loads(pickle.dumps(caught.value))
    assert type(again) is type(caught.value)
    assert (again.errno, again.filename) == (errno.ENOENT, str(path))


WRITE_WITH_A_FILE_SIZE_LIMIT = textwrap.dedent("""
    import errno, resource, signal, sys
    import halosoil
    # A disk that fills up part-way: the file-size limit stops the write as ENOSPC would,
    # with EFBIG, an errno no subclass of OSError stands for.
    signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    result = halosoil.run(halosoil.read_input(sys.argv[1]))
    resource.setrlimit(resource.RLIMIT_FSIZE, (512, resource.RLIM_INFINITY))
    try:
        result.write(sys.argv[2])
    except OSError as error:
        print(type(error).__name__, isinstance(error, halosoil.FileError),
              error.errno == errno.EFBIG, error.filename == sys.argv[2])
""")


def test_a_write_stopped_part_way_is_an_os_error_with_its_errno(tmp_path):
    path = tmp_path / "field.out"
    path.write_bytes(b"the previous output file")
    done = subprocess.run([sys.executable, "-c", WRITE_WITH_A_FILE_SIZE_LIMIT, str(MONTHLY),
                           str(path)], capture_output=True, text=True, env=os.environ)
    assert done.stdout.split() == ["FileError", "True", "True", "True"], done.stderr
    assert path.read_bytes() == b"the previous output file"
    assert [p.name for p in tmp_path.iterdir()] == ["field.out"]

