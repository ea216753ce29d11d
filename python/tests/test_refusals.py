"""What scripts hand the package that no input file could hold is refused, naming the
attribute, the zone or the step and the value; files that cannot be opened raise Python's own
errors, naming the path."""

import errno
import subprocess

import numpy as np
import pandas as pd
import pytest

import halosoil
from conftest import BATCH, EXAMPLES


def weekly():
    return halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")


def refusal(project):
    with pytest.raises(halosoil.InputError) as caught:
        project.check()
    return str(caught.value)


class TestInconsistentProjects:
    def test_fewer_steps_than_the_series_hold_no_longer_cut_the_series(self):
        project = weekly()
        project.steps = 5
        assert refusal(project) == "rain has 52 values; the project has 5 time steps"
        with pytest.raises(halosoil.InputError):
            halosoil.run(project)

    def test_a_misspelt_or_stale_zone_is_refused(self):
        project = weekly()
        project.thickness["layer 1"] = 0.3
        assert refusal(project) == (
            "thickness: a project of 3 root-zone layer(s) has no zone 'layer 1'; its zones are "
            "layer1, layer2, layer3, transition, aquifer")
        project = weekly()
        project.layers = 1  # the keys of layers 2 and 3 stay behind
        assert refusal(project) == (
            "thickness: a project of 1 root-zone layer(s) has no zone 'layer2'; its zones are "
            "layer1, transition, aquifer")
        project = weekly()
        project.measured_salinity["aquifers"] = np.full(52, np.nan)
        assert refusal(project).startswith("measured_salinity: a project of 3 root-zone layer(s) "
                                           "has no zone 'aquifers'")

    def test_values_of_the_wrong_type_are_refused_with_the_value(self):
        project = weekly()
        project.qh1 = "0.03"
        assert refusal(project) == "qh1 must be a number, not '0.03'"
        project = weekly()
        project.steps = 52.0
        assert refusal(project) == "steps must be a whole number, not 52.0"
        project = weekly()
        project.drains = "yes"
        assert refusal(project) == "drains must be True or False, not 'yes'"
        project = weekly()
        project.leaching_efficiency["layer2"] = None
        assert refusal(project) == "leaching_efficiency['layer2'] must be a number, not None"
        project = weekly()
        project.title1 = 7
        assert refusal(project) == "title1 must be text, not 7"

    def test_a_series_with_a_value_that_is_no_number_names_its_step(self):
        project = weekly()
        rain = list(project.rain)
        rain[3] = "wet"
        project.rain = rain
        assert refusal(project) == "rain, step 4: 'wet' is not a number"
        project = weekly()
        project.evaporation = np.ones((52, 2))
        assert refusal(project) == "evaporation must be a series of 52 values, one per time step"

    def test_unset_values_still_count_as_the_windows_empty_fields(self):
        project = weekly()
        project.rain = np.full(52, np.nan)
        with pytest.raises(halosoil.InputError, match="^There are empty cells"):
            project.check(panels=True)
        # Without the panels' checks, the engine's names the step.
        assert refusal(project) == ("The rainfall of time step 1 is not a finite number. The "
                                    "calculations cannot be made.")


class TestFileErrors:
    @pytest.mark.parametrize("read", [halosoil.read_input, halosoil.read_output])
    def test_a_missing_file_is_pythons_file_not_found_naming_the_path(self, read, tmp_path):
        path = tmp_path / "missing.inp"
        with pytest.raises(FileNotFoundError) as caught:
            read(path)
        assert caught.value.errno == errno.ENOENT
        assert caught.value.filename == str(path)
        assert str(path) in str(caught.value)

    def test_a_folder_is_pythons_is_a_directory(self, tmp_path):
        with pytest.raises(IsADirectoryError) as caught:
            halosoil.read_input(tmp_path)
        assert caught.value.filename == str(tmp_path)

    def test_every_exception_class_is_exported(self):
        for name in ("Error", "InputError", "FileError", "WaterTableBelowAquifer"):
            assert name in halosoil.__all__
            assert issubclass(getattr(halosoil, name), Exception)
        assert issubclass(halosoil.FileError, OSError)
        assert issubclass(halosoil.InputError, ValueError)


def test_run_and_sweep_refuse_what_they_cannot_take_naming_it():
    project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    with pytest.raises(halosoil.InputError, match=r"^refine must be True or False, not 'no'$"):
        halosoil.run(project, refine="no")
    with pytest.raises(halosoil.InputError, match=r"^threads must be 0 or more, not -3$"):
        halosoil.run(project, threads=-3)
    with pytest.raises(TypeError, match=r"^run takes a halosoil.Project, not NoneType$"):
        halosoil.run(None)
    with pytest.raises(TypeError, match=r"read the file first: halosoil.read_input\('x.inp'\)"):
        halosoil.run("x.inp")
    with pytest.raises(halosoil.InputError, match=r"^chunk_size must be 1 or more, not -5$"):
        halosoil.sweep([project], chunk_size=-5)
    with pytest.raises(halosoil.InputError, match=r"^optimise must be True or False, not 1$"):
        halosoil.sweep([project], optimise=1)


def test_a_sweep_gives_something_that_is_not_a_project_its_own_refusal():
    project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    results = halosoil.sweep([project, None, project], progress=False)
    assert isinstance(results[1], TypeError)
    assert str(results[1]) == "sweep takes a halosoil.Project, not NoneType"
    # The projects on either side ran as they run alone.
    alone = halosoil.run(project)
    for result in (results[0], results[2]):
        assert isinstance(result, halosoil.Result)
        np.testing.assert_array_equal(result.water_table_depth, alone.water_table_depth)


def test_messages_speak_of_what_a_script_gave():
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    wrong = project.copy()
    wrong.layers = 4
    with pytest.raises(halosoil.InputError,
                       match=r"^layers must be 1, 2 or 3 \(the root zone's layers\), not 4$"):
        halosoil.run(wrong)
    with pytest.raises(halosoil.InputError, match=r"the comparison first, not \(3, '>'\)$"):
        halosoil.ensemble(project, {"qh1": ("uniform", 0.02, 0.05)}, members=4,
                          thresholds={"salinity_layer1": (3, ">")})
    observed = pd.DataFrame({"salinity_layer1": ["1,42", "2.0"]},
                            index=pd.Index([4, 8], name="step"))
    with pytest.raises(halosoil.InputError,
                       match=r"^observations DataFrame, step 4, salinity_layer1: '1,42' has a "
                             r"comma; numbers take the decimal point"):
        halosoil.calibrate(project, observed, {"qh1": (0.02, 0.05)})


def test_a_step_length_of_older_files_is_kept_and_named_in_repr():
    project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    assert "(not a step length" not in repr(project)
    project.step_length = 10
    assert "10 day(s) (not a step length of the window: 360, 30, 7 or 1)" in repr(project)
    halosoil.run(project)  # still run as it stands


def test_the_package_tells_its_version():
    done = subprocess.run([BATCH, "--version"], capture_output=True, text=True)
    assert done.stdout == f"halosoil-batch {halosoil.__version__}\n"


def test_a_negative_observed_salinity_is_refused():
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    observed = pd.DataFrame({"salinity_layer1": [-2.0, 2.0]},
                            index=pd.Index([4, 8], name="step"))
    with pytest.raises(halosoil.InputError, match=r"-2(\.0)? dS/m is negative"):
        halosoil.calibrate(project, observed, {"qh1": (0.02, 0.05)})
