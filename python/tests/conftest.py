"""What the tests share: the example projects, the batch runner and scratch folders."""

import os
import pathlib
import subprocess

import pytest

EXAMPLES = pathlib.Path(os.environ.get(
    "HALOSOIL_EXAMPLES", pathlib.Path(__file__).resolve().parents[2] / "examples"))
BATCH = os.environ.get("HALOSOIL_BATCH", "halosoil-batch")


def example_files():
    files = sorted(EXAMPLES.glob("*.inp"))
    assert len(files) >= 4, f"the example projects are missing from {EXAMPLES}"
    return files


def run_batch(*arguments):
    """Runs halosoil-batch; its exit status and standard error."""
    done = subprocess.run([BATCH, *map(str, arguments)], capture_output=True, text=True)
    return done.returncode, done.stderr


@pytest.fixture
def example_copy(tmp_path):
    """Copies an example project into the test's own folder."""
    def copy(name):
        target = tmp_path / name
        target.write_bytes((EXAMPLES / name).read_bytes())
        return target
    return copy


def batch_has(command):
    """Whether the batch runner has the command (it answers its --help)."""
    try:
        done = subprocess.run([BATCH, command, "--help"], capture_output=True, text=True)
    except OSError:
        return False
    return done.returncode == 0


def batch_output(*arguments):
    """Runs halosoil-batch, failing the test with its standard error unless it exits 0."""
    done = subprocess.run([BATCH, *map(str, arguments)], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    return done.stdout


@pytest.fixture(scope="session")
def dask_client():
    """A client of a local cluster of two worker processes of one thread each."""
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        yield client
