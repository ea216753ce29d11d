"""The example study runs from the command line and writes its table and picture."""

import pathlib
import subprocess
import sys

EXAMPLE = pathlib.Path(__file__).resolve().parents[2] / "examples" / "python" / "salinity_study.py"


def test_the_example_study_tabulates_27_scenarios_and_writes_a_png(tmp_path):
    picture = tmp_path / "study.png"
    done = subprocess.run([sys.executable, str(EXAMPLE), "--output", str(picture)],
                          capture_output=True, text=True, cwd=tmp_path)
    assert done.returncode == 0, done.stderr
    rows = [line for line in done.stdout.splitlines() if line.strip()[:4] in ("0.80", "1.00", "1.20")]
    assert len(rows) == 27
    # No scenario failed: every row has both final values.
    assert all("nan" not in row for row in rows)
    assert picture.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
