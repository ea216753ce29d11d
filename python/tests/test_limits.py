"""Values no soil or climate can have, refused as a script sets them on a Project, and kept
with a warning where an input file holds them."""

import warnings

import numpy as np
import pytest

import halosoil
from conftest import EXAMPLES


def weekly():
    return halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")


def daily():
    return halosoil.read_input(EXAMPLES / "two_layers_daily.inp")


class TestRefusedWhenSet:
    def test_a_drain_above_the_surface(self):
        project = weekly()
        with pytest.raises(halosoil.InputError,
                           match=r"drain_depth = -0\.5: a drain above the soil surface"):
            project.drain_depth = -0.5
        # Refused, the value stays as it was.
        assert project.drain_depth == weekly().drain_depth

    def test_a_critical_depth_above_the_surface(self):
        with pytest.raises(halosoil.InputError, match=r"critical_depth = -1: a critical depth"):
            daily().critical_depth = -1.0

    def test_a_zone_of_zero_thickness(self):
        project = daily()
        with pytest.raises(halosoil.InputError,
                           match=r"thickness\['layer2'\] = 0: a zone of zero thickness"):
            project.thickness = {**project.thickness, "layer2": 0.0}

    def test_an_initial_salinity_beyond_any_brine(self):
        project = daily()
        with pytest.raises(halosoil.InputError,
                           match=r"initial_salinity\['transition'\] = 600: an initial "
                                 r"salinity above 500 dS/m"):
            project.initial_salinity = {**project.initial_salinity, "transition": 600.0}
        # 500 itself stands.
        project.initial_salinity = {**project.initial_salinity, "transition": 500.0}

    def test_rain_beyond_two_metres_a_day_of_the_step(self):
        project = weekly()
        rain = np.array(project.rain, dtype=float)
        # A week's step holds at most 7 x 2000 = 14000 mm.
        rain[3] = 14000.0
        project.rain = rain
        rain[3] = 14000.5
        with pytest.raises(halosoil.InputError, match=r"rain\[3\] = 14000\.5: more than 2000 mm "
                                                      r"a day over a step of 7 days"):
            project.rain = rain
        # Shortening the step makes the same rain impossible.
        project.rain = np.minimum(rain, 14000.0)
        with pytest.raises(halosoil.InputError, match=r"rain\[3\] = 14000: .* step of 1 day "):
            project.step_length = 1
        assert project.step_length == 7

    def test_in_the_constructor(self):
        with pytest.raises(halosoil.InputError, match="drain_depth = -1"):
            halosoil.Project(steps=2, drains=True, drain_depth=-1.0)

    def test_in_scenarios_and_inside_a_zones_dict(self):
        with pytest.raises(halosoil.InputError, match=r"thickness\['layer1'\] = 0"):
            halosoil.scenarios(daily(), thickness_layer1=[0.25, 0.0])
        project = daily()
        project.thickness["layer1"] = 0.0
        with pytest.raises(halosoil.InputError, match=r"thickness\['layer1'\] = 0"):
            halosoil.run(project)


class TestKeptFromFiles:
    def test_a_file_with_such_values_reads_and_runs_with_a_warning(self, tmp_path):
        project = weekly()
        # Written through the core as an older program's file could hold it.
        record = project._record()
        record = {**record, "critical_depth": -0.2,
                  "initial_salinity": {**record["initial_salinity"], "aquifer": 800.0}}
        path = tmp_path / "old.inp"
        halosoil._core.write_input(record, str(path))
        back = halosoil.read_input(path)
        assert back.critical_depth == -0.2
        assert back.initial_salinity["aquifer"] == 800.0
        with pytest.warns(UserWarning) as caught:
            halosoil.run(back)
        texts = [str(warning.message) for warning in caught]
        assert any("critical_depth = -0.2" in text and "run as it stands" in text
                   for text in texts)
        assert any("initial_salinity['aquifer'] = 800" in text for text in texts)
        # The file's own values may stay, a new one is refused.
        back.title1 = "kept"
        with pytest.raises(halosoil.InputError, match="critical_depth = -0.5"):
            back.critical_depth = -0.5

    def test_drains_below_the_transition_zone_only_warn(self):
        project = weekly()
        bottom = sum(project.thickness[zone] for zone in project.zones if zone != "aquifer")
        project.drain_depth = bottom + 1.0
        with pytest.warns(UserWarning, match="lies below the transition zone"):
            halosoil.run(project)

    def test_the_examples_run_without_warnings_of_their_values(self):
        for path in sorted(EXAMPLES.glob("*.inp")):
            with warnings.catch_warnings():
                warnings.simplefilter("error")
                warnings.simplefilter("ignore", halosoil.SaltBalanceWarning)
                halosoil.run(halosoil.read_input(path))
