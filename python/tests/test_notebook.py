"""The example notebook runs from a base project to its plot without an error."""

import json
import os
import sys

import pytest

from conftest import EXAMPLES

nbformat = pytest.importorskip("nbformat")
nbclient = pytest.importorskip("nbclient")


def test_the_calibration_notebook_runs_to_its_plot(tmp_path, monkeypatch):
    # A kernel of this very interpreter, whatever other kernels the machine knows.
    kernel = tmp_path / "kernels" / "halosoil-test"
    kernel.mkdir(parents=True)
    (kernel / "kernel.json").write_text(json.dumps({
        "argv": [sys.executable, "-m", "ipykernel_launcher", "-f", "{connection_file}"],
        "display_name": "halosoil test", "language": "python"}))
    monkeypatch.setenv("JUPYTER_PATH", str(tmp_path))
    before = sorted(os.listdir(EXAMPLES / "python"))
    notebook = nbformat.read(EXAMPLES / "python" / "calibration_study.ipynb", as_version=4)
    client = nbclient.NotebookClient(
        notebook, kernel_name="halosoil-test", timeout=300,
        resources={"metadata": {"path": str(EXAMPLES / "python")}})
    client.execute()

    outputs = [output for cell in notebook.cells if cell.cell_type == "code"
               for output in cell.outputs]
    assert not [o for o in outputs if o.output_type == "error"]
    texts = "\n".join(o.get("data", {}).get("text/plain", "") for o in outputs)
    assert "qh1" in texts and "ci95_low" in texts
    assert "salinity_layer1:final" in texts
    assert any("image/png" in o.get("data", {}) for o in outputs)
    # Nothing is written beside the examples.
    assert sorted(os.listdir(EXAMPLES / "python")) == before
