"""A project's start date: results indexed by the dates of their steps' ends, dated series
and observations matched to steps; and the water table depth under the project's name."""

import datetime
import warnings

import numpy as np
import pandas as pd
import pytest

import halosoil
from conftest import EXAMPLES


def weekly():
    return halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")


class TestStart:
    def test_results_are_indexed_by_the_step_ends(self):
        project = weekly()
        project.start = "2024-03-01"
        assert project.start == datetime.date(2024, 3, 1)
        frame = halosoil.run(project).to_dataframe()
        assert isinstance(frame.index, pd.DatetimeIndex)
        assert frame.index.name == "date"
        # Step k ends start + 7k days: 2024-03-08, then 2024-03-15; the 52nd 364 days on.
        assert frame.index[0] == pd.Timestamp("2024-03-08")
        assert frame.index[1] == pd.Timestamp("2024-03-15")
        assert frame.index[-1] == pd.Timestamp("2025-02-28")
        assert len(frame) == project.steps

    def test_a_year_is_the_models_360_days(self):
        project = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
        project.start = datetime.date(2000, 1, 1)
        frame = halosoil.run(project).to_dataframe()
        # 2000 is a leap year: 360 days after 1 January is 26 December.
        assert frame.index[0] == pd.Timestamp("2000-12-26")
        budget = halosoil.run(project).salt_budget()
        assert budget.index.names == ["date", "zone"]

    def test_without_a_start_the_steps_stay(self):
        frame = halosoil.run(weekly()).to_dataframe()
        assert frame.index.name == "step"
        assert frame.index[0] == 1

    def test_the_start_is_not_written_and_a_wrong_one_is_refused(self, tmp_path):
        project = weekly()
        plain = project.input_text(tmp_path / "a.inp")
        project.start = "2024-03-01"
        assert project.input_text(tmp_path / "a.inp") == plain
        with pytest.raises(halosoil.InputError, match="start must be a date"):
            project.start = "1 March"
        with pytest.raises(halosoil.InputError, match="start must be a date"):
            project.start = 2024

    def test_a_dated_series_goes_to_its_steps(self):
        project = weekly()
        project.start = "2024-03-01"
        ends = pd.date_range("2024-03-08", periods=project.steps, freq="7D")
        values = np.arange(project.steps, dtype=float)
        # In any order: each value goes to the step its date ends.
        project.rain = pd.Series(values, index=ends)[::-1]
        np.testing.assert_array_equal(project.rain, values)

    def test_a_dated_series_that_misses_the_steps_is_refused(self):
        project = weekly()
        project.start = "2024-03-01"
        shifted = pd.date_range("2024-03-09", periods=project.steps, freq="7D")
        with pytest.raises(halosoil.InputError, match="2024-03-09 is no step's end"):
            project.rain = pd.Series(1.0, index=shifted)
        undated = weekly()
        with pytest.raises(halosoil.InputError, match="no start"):
            undated.rain = pd.Series(1.0, index=shifted)

    def test_dated_observations_are_matched_to_their_steps(self):
        project = weekly()
        project.start = "2024-03-01"
        truth = halosoil.run(project)
        # Step 3 covers 2024-03-16 to 2024-03-22, step 10 up to 2024-05-10.
        observed = pd.DataFrame(
            {"salinity_layer1": [truth.salinity["layer1"][2], truth.salinity["layer1"][9]]},
            index=pd.DatetimeIndex(["2024-03-20", "2024-05-10"]))
        by_step = observed.set_axis(pd.Index([3, 10], name="step"))
        from halosoil._observations import study_observations

        assert repr(study_observations(project, observed)) == repr(
            study_observations(project, by_step))
        outside = observed.set_axis(pd.DatetimeIndex(["2024-03-01", "2024-05-10"]))
        with pytest.raises(halosoil.InputError, match="2024-03-01 lies outside"):
            study_observations(project, outside)
        # The results' name of the water table depth is an observation's too.
        depths = pd.DataFrame({"water_table_depth": [1.2]}, index=pd.Index([4], name="step"))
        old = depths.rename(columns={"water_table_depth": "depth_water_table"})
        with pytest.warns(DeprecationWarning, match="use water_table_depth"):
            from_old = study_observations(project, old)
        assert repr(study_observations(project, depths)) == repr(from_old)


class TestWaterTableDepth:
    def test_results_take_the_projects_name_and_keep_the_old_as_deprecated(self):
        result = halosoil.run(weekly())
        assert len(result.water_table_depth) == result.steps
        with pytest.warns(DeprecationWarning, match="water_table_depth"):
            old = result.depth_water_table
        np.testing.assert_array_equal(old, result.water_table_depth)
        frame = result.to_dataframe()
        assert "water_table_depth" in frame.columns
        assert "depth_water_table" not in frame.columns
        with pytest.warns(DeprecationWarning):
            column = frame["depth_water_table"]
        np.testing.assert_array_equal(column, result.water_table_depth)

    def test_the_new_name_warns_of_nothing(self):
        result = halosoil.run(weekly())
        with warnings.catch_warnings():
            warnings.simplefilter("error")
            result.water_table_depth
            result.to_dataframe()["water_table_depth"]
            result.summary()
