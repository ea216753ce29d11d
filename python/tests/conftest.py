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
