"""The depth of the water table is water_table_depth, the project's name, in everything the
package gives and takes; the batch runner's depth_water_table is still taken, with a
DeprecationWarning that names the new name, and its files keep it."""

import pickle
import subprocess
import sys
import warnings

import numpy as np
import pandas as pd
import pytest
import xarray as xr

import halosoil
from conftest import EXAMPLES

WEEKLY = EXAMPLES / "three_layers_weekly_drained.inp"
WEEKLY_OBSERVATIONS = EXAMPLES / "three_layers_weekly_drained_observations.csv"
NEW_NAME = "water_table_depth, the project's name"


@pytest.fixture(scope="module")
def weekly():
    return halosoil.read_input(WEEKLY)


@pytest.fixture
def no_warnings():
    with warnings.catch_warnings():
        warnings.simplefilter("error", DeprecationWarning)
        yield


class TestSummaries:
    def test_the_summary_names_the_extremes_after_the_project(self, weekly, no_warnings):
        result = halosoil.run(weekly)
        summary = result.summary()
        depth = result.water_table_depth
        assert summary["min_water_table_depth"] == depth.min()
        assert summary["max_water_table_depth"] == depth.max()
        assert not any("depth_water_table" in key for key in summary)
        table = halosoil.tabulate([result])
        assert table["max_water_table_depth"][0] == depth.max()
        assert "water_table_depth" in halosoil.to_dataset([result]).data_vars

    def test_the_old_keys_and_columns_still_answer_with_a_warning(self, weekly):
        result = halosoil.run(weekly)
        summary = result.summary()
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            assert summary["min_depth_water_table"] == summary["min_water_table_depth"]
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            assert summary.get("max_depth_water_table") == summary["max_water_table_depth"]
        assert summary.get("no such key", 7) == 7
        with pytest.raises(KeyError):
            summary["depth_water_table_of_nothing"]
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            column = halosoil.tabulate([result])["max_depth_water_table"]
        assert column.name == "max_depth_water_table"
        assert column[0] == result.water_table_depth.max()
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            variable = halosoil.to_dataset([result])["depth_water_table"]
        np.testing.assert_array_equal(variable.values[0], result.water_table_depth)


def test_the_frames_and_datasets_that_answer_the_old_names_pickle(weekly):
    result = halosoil.run(weekly)
    frame = result.to_dataframe()
    dataset = halosoil.ensemble(weekly, {"qh1": ("uniform", 0.005, 0.05)}, members=4).dataset
    # Unpickled in a process of its own, as a Dask worker would.
    script = ("import pickle, sys, warnings\n"
              "frame, dataset = pickle.loads(sys.stdin.buffer.read())\n"
              "with warnings.catch_warnings(record=True) as caught:\n"
              "    warnings.simplefilter('always')\n"
              "    old = frame['depth_water_table'], dataset['depth_water_table']\n"
              "print(len(frame), dataset.sizes['member'], len(caught))\n")
    done = subprocess.run([sys.executable, "-c", script], input=pickle.dumps((frame, dataset)),
                          capture_output=True, check=True)
    assert done.stdout.split() == [str(weekly.steps).encode(), b"4", b"2"]


class TestEnsembles:
    def test_a_threshold_on_the_water_table_names_it_after_the_project(self, weekly,
                                                                       no_warnings):
        ensemble = halosoil.ensemble(weekly, {"qh1": ("uniform", 0.005, 0.05)}, members=12,
                                     thresholds={"water_table_depth": ("<", 1.5)})
        dataset = ensemble.dataset
        assert "water_table_depth" in dataset.data_vars
        assert "depth_water_table" not in dataset.data_vars
        assert dataset["water_table_depth"].attrs["units"] == "m"
        assert dataset.attrs["thresholds"] == ["water_table_depth<1.5"]
        bands = ensemble.bands()
        depth = bands[bands.quantity == "water_table_depth"]
        assert len(depth) == weekly.steps
        # The share of the members shallower than 1.5 m, each step.
        ran = dataset["stopped_step"].values == 0
        shallower = (dataset["water_table_depth"].values[ran] < 1.5).mean(axis=0)
        np.testing.assert_array_equal(depth.p_exceed.to_numpy(), shallower)
        assert "depth_water_table" not in set(bands.quantity)

    def test_the_old_name_is_taken_with_a_warning(self, weekly):
        settings = {"parameters": {"qh1": ("uniform", 0.005, 0.05)}, "members": 12}
        new = halosoil.ensemble(weekly, thresholds={"water_table_depth": ("<", 1.5)},
                                **settings)
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            old = halosoil.ensemble(weekly, thresholds={"depth_water_table": ("<", 1.5)},
                                    **settings)
        xr.testing.assert_identical(old.dataset, new.dataset)
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            variable = new.dataset["depth_water_table"]
        np.testing.assert_array_equal(variable.values, new.dataset["water_table_depth"].values)
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            np.testing.assert_array_equal(new.dataset.depth_water_table.values, variable.values)
        # A dataset of the old names, as one written to a file before, still gives its bands.
        before = xr.Dataset(new.dataset).rename({"water_table_depth": "depth_water_table"})
        before.attrs["thresholds"] = ["depth_water_table<1.5"]
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            bands = halosoil.bands(before)
        pd.testing.assert_frame_equal(bands, new.bands())


class TestSensitivity:
    def test_a_target_on_the_water_table_names_it_after_the_project(self, weekly):
        settings = {"parameters": {"qh1": (0.005, 0.05)}, "samples": 16, "method": "morris"}
        with warnings.catch_warnings():
            warnings.simplefilter("error", DeprecationWarning)
            new = halosoil.sensitivity(weekly, targets=["water_table_depth:mean"], **settings)
        assert list(new.target) == ["water_table_depth:mean"]
        assert new.mu_star[0] > 0
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            old = halosoil.sensitivity(weekly, targets=["depth_water_table:mean"], **settings)
        pd.testing.assert_frame_equal(old, new)


class TestObservationsAndCalibration:
    def test_observations_give_and_take_the_projects_name(self, weekly, tmp_path, no_warnings):
        frame = halosoil.read_observations(WEEKLY_OBSERVATIONS, weekly)
        assert "water_table_depth" in frame.columns
        assert "depth_water_table" not in frame.columns
        # A file of the frame as pandas writes it reads back as the same frame.
        written = tmp_path / "written.csv"
        frame.to_csv(written)
        pd.testing.assert_frame_equal(halosoil.read_observations(written, weekly), frame)
        bounds = {"qh1": (0.005, 0.05)}
        weights = {"water_table_depth": 2.0}
        from_file = halosoil.calibrate(weekly, WEEKLY_OBSERVATIONS, bounds, weights=weights)
        from_frame = halosoil.calibrate(weekly, frame, bounds, weights=weights)
        from_written = halosoil.calibrate(weekly, written, bounds, weights=weights)
        assert from_frame.parameters.equals(from_file.parameters)
        assert from_written.parameters.equals(from_file.parameters)
        assert "water_table_depth" in from_file.fit.index
        # The weight counts: twice the weight moves the fit.
        plain = halosoil.calibrate(weekly, WEEKLY_OBSERVATIONS, bounds)
        assert plain.objective["end"] != from_file.objective["end"]

    def test_the_old_name_is_taken_with_a_warning(self, weekly):
        frame = halosoil.read_observations(WEEKLY_OBSERVATIONS, weekly)
        with pytest.warns(DeprecationWarning, match=NEW_NAME):
            column = frame["depth_water_table"]
        np.testing.assert_array_equal(column, frame["water_table_depth"])
        old_frame = pd.DataFrame(frame).rename(columns={"water_table_depth": "depth_water_table"})
        bounds = {"qh1": (0.005, 0.05)}
        new = halosoil.calibrate(weekly, frame, bounds, weights={"water_table_depth": 2.0})
        with pytest.warns(DeprecationWarning, match=NEW_NAME) as caught:
            old = halosoil.calibrate(weekly, old_frame, bounds,
                                     weights={"depth_water_table": 2.0})
        # The warnings point at this file, the line that gave the old names.
        assert {record.filename for record in caught} == {__file__}
        assert {str(record.message).split(" is ")[0] for record in caught} == {
            "the observations' column depth_water_table", "the weight's quantity depth_water_table"}
        assert old.parameters.equals(new.parameters)

    def test_a_refusal_lists_the_quantities_by_the_projects_names(self, weekly, tmp_path):
        unknown = tmp_path / "unknown.csv"
        unknown.write_text("step,depth\n1,1.2\n")
        with pytest.raises(halosoil.InputError) as refused:
            halosoil.read_observations(unknown, weekly)
        assert "the columns are water_table_depth, drainage" in str(refused.value)
        # A file's name is left as it is.
        named = tmp_path / "depth_water_table.csv"
        named.write_text("step,depth\n1,1.2\n")
        with pytest.raises(halosoil.InputError) as refused:
            halosoil.read_observations(named, weekly)
        assert str(refused.value).startswith(str(named))

    def test_a_refusal_names_the_quantity_after_the_project(self, weekly):
        frame = halosoil.read_observations(WEEKLY_OBSERVATIONS, weekly)
        with pytest.raises(halosoil.InputError) as refused:
            halosoil.calibrate(weekly, frame, {"qh1": (0.005, 0.05)},
                               weights={"water_table_depth": -1.0})
        assert "water_table_depth" in str(refused.value)
        assert "depth_water_table" not in str(refused.value)
