"""Projects: built in Python or read from a file, checked with the program's words, written
and pickled."""

import copy
import math
import pickle

import numpy as np
import pytest

import halosoil
from conftest import EXAMPLES

NAN = math.nan


def yearly_drained_project():
    """examples/two_layers_yearly_drained.inp, typed in from the file's text."""
    project = halosoil.Project(steps=15, step_length=360, layers=2)
    project.title1 = "Drained clay loam, root zone of two layers, salinity sampled yearly"
    project.title2 = ("Yearly steps over fifteen years, drains at 1.8 m; measurements allow "
                      "optimisation")
    project.drains = True
    project.drain_depth = 1.8
    project.qh1 = 0.012
    project.qh2 = 0.0015
    project.irrigation_water_salinity = 1.3
    project.water_table_depth = 1.2
    project.critical_depth = 1.5
    project.soil_moisture = 55.0
    project.irrigation_efficiency = 65.0
    project.groundwater_inflow = 0.8
    project.groundwater_outflow = 0.6
    project.inflow_salinity = 3.0
    project.initial_salinity = {"layer1": 12.0, "layer2": 10.0, "transition": 8.0,
                                "aquifer": 4.0}
    project.thickness = {"layer1": 0.3, "layer2": 0.4, "transition": 1.6, "aquifer": 12.0}
    project.total_porosity = {"layer1": 48, "layer2": 45, "transition": 42, "aquifer": 36}
    project.effective_porosity = {"layer1": 7, "layer2": 8, "transition": 9, "aquifer": 14}
    project.leaching_efficiency = {"layer1": 75, "layer2": 85, "transition": 80, "aquifer": 100}
    project.rain = np.array([230, 180, 260, 310, 150, 205, 240, 190, 275, 220, 165, 250, 295,
                             185, 215], dtype=float)
    project.irrigation = np.array([1340, 1380, 1320, 1360, 1300] * 3, dtype=float)
    project.evaporation = np.array([1805, 1790, 1775, 1760] * 3 + [1805, 1790, 1775],
                                   dtype=float)
    project.irrigation_salinity = np.array([1.3] * 8 + [1.1] * 7)
    project.measured_salinity = {
        "layer1": np.array([10.5, 9.1, 8.2, NAN, 6.9, 6.1, NAN, 5.2, 4.9, NAN, 4.4, 4.1, NAN,
                            3.8, 3.7]),
        "layer2": np.array([9.4, NAN, 8.1, 7.5, NAN, 6.6, 6.1, NAN, 5.5, 5.2, NAN, 4.8, 4.6,
                            NAN, 4.3]),
        "transition": np.full(15, NAN),
        "aquifer": np.full(15, NAN),
    }
    return project


class TestBuiltInPython:
    def test_equals_the_project_read_from_its_file(self):
        assert yearly_drained_project() == halosoil.read_input(
            EXAMPLES / "two_layers_yearly_drained.inp")

    def test_writes_the_bytes_of_its_file(self, tmp_path):
        expected = (EXAMPLES / "two_layers_yearly_drained.inp").read_bytes()
        project = yearly_drained_project()
        assert project.input_text("two_layers_yearly_drained.inp") == expected
        written = tmp_path / "field.inp"
        project.write(written)
        assert project.file_name == str(written)
        assert halosoil.read_input(written) == project

    def test_titles_are_latin1_text_as_in_the_window(self, tmp_path):
        project = yearly_drained_project()
        project.title1 = "Périmètre irrigué"
        project.title2 = "Feld \u0141ódź"
        project.write(tmp_path / "titles.inp")
        lines = (tmp_path / "titles.inp").read_bytes().split(b"\r\n")
        assert lines[2] == b" First title              : P\xe9rim\xe8tre irrigu\xe9"
        assert lines[3] == b" Second title             : Feld ?\xf3d?"
        assert halosoil.read_input(tmp_path / "titles.inp").title1 == "Périmètre irrigué"
        result = halosoil.run(project)
        result.write(tmp_path / "titles.out")
        assert halosoil.read_output(tmp_path / "titles.out").title1 == "Périmètre irrigué"

    def test_a_changed_copy_leaves_the_original(self):
        project = yearly_drained_project()
        changed = project.copy()
        changed.irrigation[0] = 0.0
        changed.thickness["layer1"] = 0.5
        assert project.irrigation[0] == 1340.0 and project.thickness["layer1"] == 0.3
        assert changed != project

    def test_results_follow_the_change(self):
        project = yearly_drained_project()
        wetter = project.copy()
        wetter.irrigation = wetter.irrigation * 1.2
        assert (halosoil.run(wetter).percolation.sum()
                > halosoil.run(project).percolation.sum())


def check_message(project):
    """The refusal of the window's checks, the input panels' included."""
    with pytest.raises(halosoil.InputError) as raised:
        project.check(panels=True)
    return str(raised.value)


class TestCheck:
    def test_a_complete_project_passes(self):
        assert yearly_drained_project().check() is None

    def test_an_empty_hydrological_cell(self):
        project = yearly_drained_project()
        project.evaporation[4] = NAN
        assert check_message(project) == "There are empty cells, please correct."

    def test_an_empty_soil_cell_of_one_or_two_layers(self):
        project = yearly_drained_project()
        del project.total_porosity["transition"]
        assert check_message(project) == "There are invalid values. Please adjust."

    def test_the_second_layers_efficiency_may_stay_empty(self):
        project = yearly_drained_project()
        del project.leaching_efficiency["layer2"]
        project.check(panels=True)

    def test_an_incomplete_zone_of_three_layers(self):
        project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
        project.effective_porosity["layer3"] = NAN
        assert check_message(project) == ("The soil data for the 3rd layer are not complete. "
                                          "Calculations cannot be done")

    def test_an_empty_irrigation_salinity(self):
        project = yearly_drained_project()
        project.irrigation_salinity[2] = NAN
        assert check_message(project) == "'' is not a valid floating point value"

    @pytest.mark.parametrize("depth, qh1, qh2, message", [
        (NAN, 0.012, 0.0015, "Then depth value is invalid. Please adjust."),
        (0.6, 0.012, 0.0015, "The drain depth must be greater than the total thickness of the "
                             "root zone. Enlarge the drain depth or reduce the rootzone "
                             "thickness."),
        (2.4, 0.012, 0.0015, "The drain depth must be less than the total thickness of the "
                             "root zone plus transition zone. Reduce the drain depth or enlarge "
                             "the transition zone thickness."),
        (1.8, 0.0, 0.0, "The drainage recation factors QH1 and QH2 need to be given a value."),
    ])
    def test_the_drains(self, depth, qh1, qh2, message):
        # Root zone 0.3 + 0.4 = 0.7 m, transition zone 1.6 m: drains between 0.7 and 2.3 m.
        project = yearly_drained_project()
        project.drain_depth, project.qh1, project.qh2 = depth, qh1, qh2
        assert check_message(project) == message

    def test_drains_at_the_edges_of_the_transition_zone_pass(self):
        project = yearly_drained_project()
        for depth in (0.7, 2.3):
            project.drain_depth = depth
            project.check(panels=True)

    def test_an_empty_condition(self):
        project = yearly_drained_project()
        project.inflow_salinity = NAN
        assert check_message(project) == "There are invalid values. Please adjust."

    def test_too_many_time_steps(self):
        project = yearly_drained_project()
        project.steps = 50001
        assert check_message(project) == ("The number of time steps is 50001. "
                                          "It can be at most 50000.")

    def test_a_series_shorter_than_the_steps(self):
        project = yearly_drained_project()
        project.steps = 16
        project.measured_salinity = {z: np.full(16, NAN) for z in project.zones}
        # Named in a script's terms: the series and both lengths.
        assert check_message(project) == "rain has 15 values; the project has 16 time steps"

    def test_what_the_engine_refuses(self):
        project = yearly_drained_project()
        project.effective_porosity["aquifer"] = 0
        assert check_message(project) == (
            "The effective porosity of the aquifer is 0 %. It must be greater than 0 for the "
            "water table to move through the zone.")

    def test_moisture_and_efficiency_outside_the_panels_limits(self):
        project = yearly_drained_project()
        project.irrigation_efficiency = 25
        assert check_message(project) == ("The irrigation efficiency is 25 %. It must lie "
                                          "between 30 and 100 %.")

    def test_run_and_write_refuse_as_check_does(self, tmp_path):
        project = yearly_drained_project()
        project.rain[0] = NAN
        message = ("The rainfall of time step 1 is not a finite number. The calculations "
                   "cannot be made.")
        with pytest.raises(halosoil.InputError) as checked:
            project.check()
        assert str(checked.value) == message
        with pytest.raises(halosoil.InputError, match="^The rainfall of time step 1 is not"):
            halosoil.run(project)
        with pytest.raises(halosoil.InputError, match="^The rainfall of time step 1 is not"):
            project.write(tmp_path / "x.inp")
        assert not (tmp_path / "x.inp").exists()

    def test_a_damaged_file(self, tmp_path):
        damaged = tmp_path / "damaged.inp"
        text = (EXAMPLES / "one_layer_monthly.inp").read_bytes()
        damaged.write_bytes(text.replace(b"Nunber of time steps     : 24",
                                         b"Nunber of time steps     : 2x"))
        with pytest.raises(halosoil.InputError):
            halosoil.read_input(damaged)

    def test_a_damaged_line_is_named_with_the_file(self, tmp_path):
        # Line 23 of the file holds the irrigation efficiency; the reader quotes its field.
        damaged = tmp_path / "p.inp"
        text = (EXAMPLES / "one_layer_monthly.inp").read_bytes()
        damaged.write_bytes(text.replace(b"Irrigation efficiency (%)           :    70.0",
                                         b"Irrigation efficiency (%)           :    7,0x"))
        with pytest.raises(halosoil.InputError) as raised:
            halosoil.read_input(damaged)
        assert str(raised.value) == (
            f"{damaged}, line 23: '    7,0x' is not a valid floating point value")


class TestPickling:
    def test_projects(self):
        project = yearly_drained_project()
        project.label = {"field": 7}
        back = pickle.loads(pickle.dumps(project))
        assert back == project and back.label == {"field": 7}
        assert copy.deepcopy(project) == project

    def test_results_write_the_same_file(self, tmp_path):
        result = halosoil.run(yearly_drained_project(), refine=True, optimise=True)
        back = pickle.loads(pickle.dumps(result))
        assert back.output_text(tmp_path / "a.out") == result.output_text(tmp_path / "a.out")
        np.testing.assert_array_equal(back.salinity["layer2"], result.salinity["layer2"])
        assert back.coefficient_of_determination == result.coefficient_of_determination

    def test_errors(self):
        error = pickle.loads(pickle.dumps(halosoil.WaterTableBelowAquifer("stopped", 7)))
        assert isinstance(error, halosoil.WaterTableBelowAquifer)
        assert (str(error), error.step) == ("stopped", 7)
        error = pickle.loads(pickle.dumps(halosoil.InputError("There are invalid values.")))
        assert isinstance(error, halosoil.InputError) and str(error) == "There are invalid values."


def test_a_misspelt_attribute_is_refused_naming_it_and_the_one_meant():
    project = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
    depth = project.drain_depth
    with pytest.raises(halosoil.InputError,
                       match=r"Project has no attribute 'drain_depht' \(set to 2.5\); "
                             r"did you mean 'drain_depth'\?"):
        project.drain_depht = 2.5
    assert project.drain_depth == depth
    assert "drain_depht" not in vars(project)
    # The attributes it has are still set as before.
    project.drain_depth = 2.5
    project.label = {"case": 1}
    assert project.drain_depth == 2.5


def test_the_docstrings_read_as_numpydoc():
    # Every attribute at the indentation of its heading, the first one too.
    assert "    ----------\n    title1 : str\n        The first title" in halosoil.Project.__doc__
    assert halosoil.FileError.__doc__.startswith("A file the program could not read or write")
