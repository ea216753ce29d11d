"""Ensembles: the members' runs, the bands against numpy and the batch runner, the same
members on a Dask cluster, and the refusals word for word."""

import numpy as np
import pandas as pd
import pytest
import xarray as xr

import halosoil
from conftest import EXAMPLES, batch_has, batch_output

WEEKLY = EXAMPLES / "three_layers_weekly_drained.inp"
WEEKLY_OBSERVATIONS = EXAMPLES / "three_layers_weekly_drained_observations.csv"
QUANTITIES = ["water_table_depth", "drainage", "percolation", "capillary_rise",
              "actual_evaporation", "salinity_layer1", "salinity_layer2", "salinity_layer3",
              "salinity_transition", "salinity_aquifer"]
# Beyond an outflow of about 25 mm/day the water table falls below the aquifer within the
# year, so some members stop.
DISTRIBUTIONS = {"qh1": ("uniform", 0.005, 0.05),
                 "leaching_efficiency_layer1": ("triangular", 50.0, 80.0, 100.0),
                 "groundwater_outflow": ("normal", 20.0, 8.0)}
THRESHOLDS = {"salinity_layer1": (">", 2.0), "water_table_depth": ("<", 1.45)}


@pytest.fixture(scope="module")
def weekly():
    return halosoil.read_input(WEEKLY)


@pytest.fixture(scope="module")
def members(weekly):
    return halosoil.ensemble(weekly, parameters=DISTRIBUTIONS, members=40, seed=9,
                             thresholds=THRESHOLDS)


def test_the_dataset_holds_every_members_run(weekly, members):
    dataset = members.dataset
    assert dict(dataset.sizes) == {"member": 40, "step": 52}
    assert list(dataset["step"].values) == list(range(1, 53))
    assert list(dataset.data_vars) == QUANTITIES + list(DISTRIBUTIONS) + ["stopped_step"]
    assert dataset["salinity_layer1"].attrs["units"] == "dS/m"
    assert dataset["leaching_efficiency_layer1"].attrs["units"] == "%"
    assert dataset.attrs["thresholds"] == ["salinity_layer1>2.0", "water_table_depth<1.45"]
    stopped = dataset["stopped_step"].values
    assert members.stopped == np.count_nonzero(stopped > 0) and 0 < members.stopped < 40
    assert members.refused == 0 and members.refusals == {}
    # Each member is the plain run of the project with its values.
    for member in range(40):
        project = weekly.copy()
        project.qh1 = float(dataset["qh1"][member])
        project.groundwater_outflow = float(dataset["groundwater_outflow"][member])
        project.leaching_efficiency = dict(
            project.leaching_efficiency,
            layer1=float(dataset["leaching_efficiency_layer1"][member]))
        if stopped[member] == 0:
            frame = halosoil.run(project).to_dataframe()
            for quantity in QUANTITIES:
                np.testing.assert_array_equal(dataset[quantity][member], frame[quantity])
            continue
        with pytest.raises(halosoil.WaterTableBelowAquifer) as raised:
            halosoil.run(project)
        assert raised.value.step == stopped[member]
        after = dataset["water_table_depth"][member].values[stopped[member]:]
        assert np.isnan(after).all()
        assert not np.isnan(dataset["water_table_depth"][member].values[:stopped[member]]).any()


def test_a_latin_hypercube_puts_one_member_in_every_stratum(weekly):
    dataset = halosoil.ensemble(weekly, parameters={"qh1": ("uniform", 0.01, 0.03)},
                                members=25, seed=4).dataset
    strata = np.floor((dataset["qh1"].values - 0.01) / 0.02 * 25).astype(int)
    assert sorted(strata) == list(range(25))
    again = halosoil.ensemble(weekly, parameters={"qh1": ("uniform", 0.01, 0.03)},
                              members=25, seed=4).dataset
    xr.testing.assert_identical(again, dataset)


def test_the_bands_are_numpys_quantiles_over_the_members_that_ran_through(members):
    dataset = members.dataset
    bands = members.bands()
    assert list(bands.columns) == ["step", "quantity", "mean", "q05", "q25", "q50", "q75", "q95",
                                   "p_exceed", "p_stopped"]
    assert len(bands) == 52 * len(QUANTITIES)
    assert list(bands.quantity[:len(QUANTITIES)]) == QUANTITIES
    stopped_step = dataset["stopped_step"].values
    through = stopped_step == 0
    ran = stopped_step >= 0
    steps = np.arange(1, 53)
    # The shares are of every member run. A stopped member's salinities are no results (its
    # run never reached the salt balance); its water table counts before its stop, and from
    # its stop on lies below the aquifer, above no '<' threshold.
    before_stop = through[:, None] | (steps[None, :] < stopped_step[:, None])
    stopped_by = (stopped_step[:, None] > 0) & (stopped_step[:, None] <= steps[None, :])
    assert stopped_by[ran].any(), "the test wants members that stopped"
    for quantity in QUANTITIES:
        values = dataset[quantity].values[through]  # members x steps
        rows = bands[bands.quantity == quantity]
        assert list(rows.step) == list(range(1, 53))
        np.testing.assert_allclose(rows["mean"], values.mean(axis=0), rtol=1e-12, atol=1e-12)
        for column, p in (("q05", 0.05), ("q25", 0.25), ("q50", 0.5), ("q75", 0.75),
                          ("q95", 0.95)):
            np.testing.assert_allclose(rows[column], np.quantile(values, p, axis=0),
                                       rtol=1e-12, atol=1e-12, err_msg=f"{quantity} {column}")
        every = dataset[quantity].values[ran]
        if quantity == "salinity_layer1":
            np.testing.assert_array_equal(rows.p_exceed, (values > 2.0).sum(axis=0) / ran.sum())
        elif quantity == "water_table_depth":
            below = np.where(before_stop[ran], every < 1.45, False)
            np.testing.assert_array_equal(rows.p_exceed, below.sum(axis=0) / ran.sum())
        else:
            assert rows.p_exceed.isna().all()
        np.testing.assert_array_equal(rows.p_stopped, stopped_by[ran].sum(axis=0) / ran.sum())
    pd.testing.assert_frame_equal(halosoil.bands(dataset), bands, check_exact=True)


def batch_bands(tmp_path, *arguments):
    if not batch_has("ensemble"):
        pytest.skip("this halosoil-batch has no ensemble command")
    table = tmp_path / "bands.csv"
    batch_output("ensemble", WEEKLY, *arguments, "-o", table)
    expected = pd.read_csv(table, float_precision="round_trip")
    expected["quantity"] = expected["quantity"].replace("depth_water_table", "water_table_depth")
    return expected


def test_the_bands_are_the_batch_runners(tmp_path, weekly):
    arguments = ["--members", 30, "--seed", 6, "--design", "sobol"]
    for name, (kind, *numbers) in DISTRIBUTIONS.items():
        arguments += ["--parameter", f"{name}={kind}:" + ":".join(map(repr, numbers))]
    # The batch runner names the water table's depth after its output table's column.
    for quantity, (sign, value) in THRESHOLDS.items():
        quantity = quantity.replace("water_table_depth", "depth_water_table")
        arguments += ["--threshold", f"{quantity}{sign}{value!r}"]
    expected = batch_bands(tmp_path, *arguments)
    bands = halosoil.ensemble(weekly, parameters=DISTRIBUTIONS, members=30, seed=6,
                              design="sobol", thresholds=THRESHOLDS).bands()
    pd.testing.assert_frame_equal(bands, expected, check_exact=True, check_dtype=False)


def test_a_calibration_or_its_report_gives_the_members(tmp_path, weekly):
    calibration = halosoil.calibrate(weekly, observations=WEEKLY_OBSERVATIONS,
                                     parameters={"qh1": (0.005, 0.05),
                                                 "groundwater_inflow": (0.0, 2.0)})
    report = tmp_path / "report.json"
    calibration.save(report)
    drawn = halosoil.ensemble(weekly, from_calibration=calibration, members=50, seed=1)
    from_file = halosoil.ensemble(weekly, from_calibration=report, members=50, seed=1)
    xr.testing.assert_identical(drawn.dataset, from_file.dataset)
    estimates = calibration.parameters
    for name in ("qh1", "groundwater_inflow"):
        values = drawn.dataset[name].values
        assert (values >= estimates.loc[name, "low"]).all()
        assert (values <= estimates.loc[name, "high"]).all()
        # Drawn around the estimate with its standard error.
        assert values.mean() == pytest.approx(estimates.loc[name, "value"],
                                              abs=3 * estimates.loc[name, "standard_error"])
    if batch_has("ensemble"):
        expected = batch_bands(tmp_path, "--from", report, "--members", 50, "--seed", 1)
        pd.testing.assert_frame_equal(drawn.bands(), expected, check_exact=True,
                                      check_dtype=False)


def test_a_dask_cluster_gives_the_local_members(weekly, members, dask_client):
    spread = halosoil.ensemble(weekly, parameters=DISTRIBUTIONS, members=40, seed=9,
                               thresholds=THRESHOLDS, client=dask_client, members_per_task=7)
    xr.testing.assert_identical(spread.dataset, members.dataset)
    assert spread.stopped == members.stopped
    pd.testing.assert_frame_equal(spread.bands(), members.bands(), check_exact=True)
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.ensemble(weekly, parameters=DISTRIBUTIONS, members=1, client=dask_client)
    assert str(refused.value) == "An ensemble needs at least 2 members, not 1."


@pytest.mark.parametrize("settings, message", [
    ({"parameters": {"qh1": ("normal", 0.02, -1)}},
     "Parameter qh1: the standard deviation -1 must be above 0"),
    ({"parameters": {"qh1": ("gamma", 1, 2)}},
     "'qh1=gamma:1.0:2.0' is not NAME=uniform:LOW:HIGH, NAME=normal:MEAN:SD or "
     "NAME=triangular:LOW:MODE:HIGH"),
    ({"parameters": {"qh1": ("uniform", 0.02)}},
     "'qh1=uniform:0.02' is not NAME=uniform:LOW:HIGH, NAME=normal:MEAN:SD or "
     "NAME=triangular:LOW:MODE:HIGH"),
    ({"parameters": {"leaching_efficiency_layer1": ("triangular", 50, 40, 90)}},
     "Parameter leaching_efficiency_layer1: the mode 40 lies outside 50:90"),
    ({"parameters": {"qh1": ("uniform", 0.05, 0.01)}},
     "Parameter qh1: the bounds 0.05:0.01 are reversed"),
    ({"parameters": {"qh1": ("uniform", "low", 0.05)}},
     "Parameter qh1: 'low' is not a valid floating point value"),
    ({"parameters": {}}, "Name at least one parameter to move."),
    ({"members": 1}, "An ensemble needs at least 2 members, not 1."),
    ({"design": "grid"}, "The design is lhs or sobol, not 'grid'."),
    ({"thresholds": {"salinity_layer1": (">=", 4)}},
     "Threshold salinity_layer1: a threshold is ('>', value) or ('<', value), the comparison "
     "first, not ('>=', 4)"),
    ({"thresholds": {"salinity_root": (">", 4)}},
     "Threshold salinity_root>4.0: 'salinity_root' is not a quantity"),
    ({"from_calibration": "unused"},
     "Give the parameters' distributions or a calibration to draw from, not both."),
])
def test_refusals_carry_the_programs_words(weekly, settings, message):
    arguments = {"parameters": {"qh1": ("uniform", 0.01, 0.03)}, "members": 4, **settings}
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.ensemble(weekly, **arguments)
    assert str(refused.value) == message


def test_a_threshold_of_a_zone_the_project_lacks_is_refused():
    project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.ensemble(project, parameters={"irrigation_factor": ("uniform", 0.8, 1.2)},
                          members=4, thresholds={"salinity_layer2": (">", 4)})
    assert str(refused.value) == "Threshold salinity_layer2>4.0: the project has no salinity_layer2"


def test_a_report_that_is_not_one_is_refused_naming_it(tmp_path, weekly, monkeypatch):
    monkeypatch.chdir(tmp_path)
    (tmp_path / "report.json").write_text('{"runs": 3}')
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.ensemble(weekly, from_calibration="report.json", members=4)
    assert str(refused.value) == ("report.json: not a calibration report: it has no list of "
                                  "parameters")
    with pytest.raises(FileNotFoundError):
        halosoil.ensemble(weekly, from_calibration="missing.json", members=4)
