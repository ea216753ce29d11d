"""Observations and the joint calibration: a known truth found again, the batch runner's
numbers, and the program's refusals word for word."""

import errno
import json
import math

import numpy as np
import pandas as pd
import pytest

import halosoil
from conftest import EXAMPLES, batch_has, batch_output

WEEKLY = EXAMPLES / "three_layers_weekly_drained.inp"
WEEKLY_OBSERVATIONS = EXAMPLES / "three_layers_weekly_drained_observations.csv"
BOUNDS = {"qh1": (0.005, 0.05), "leaching_efficiency_layer1": (50.0, 100.0)}
TRUTH = {"qh1": 0.018, "leaching_efficiency_layer1": 68.0}

QUANTITY_LIST = ("water_table_depth, drainage, percolation, capillary_rise, actual_evaporation, "
                 "salinity_layer1, salinity_layer2, salinity_layer3, salinity_transition, "
                 "salinity_aquifer")


@pytest.fixture(scope="module")
def weekly():
    return halosoil.read_input(WEEKLY)


def with_values(project, qh1, efficiency):
    changed = project.copy()
    changed.qh1 = qh1
    changed.leaching_efficiency = dict(changed.leaching_efficiency, layer1=efficiency)
    return changed


def objective(result, observations, weights=None):
    """The unit-free objective as the calibration documents it, computed here from the run's
    arrays: per quantity the squared residuals over the observations' count and variance
    (the square of their mean where they do not vary), times the weight."""
    frame = result.to_dataframe()
    total = 0.0
    for quantity in observations:
        observed = observations[quantity].dropna()
        variance = observed.var(ddof=0)
        if not variance > 0:
            variance = observed.mean() ** 2 or 1.0
        residuals = frame.loc[observed.index, quantity].to_numpy() - observed.to_numpy()
        weight = 1.0 if weights is None else weights.get(quantity, 1.0)
        total += weight * np.sum(residuals ** 2) / (len(observed) * variance)
    return total


@pytest.fixture(scope="module")
def synthetic(weekly):
    """Every second week's water table depth (m) and first-layer salinity (dS/m) of a run with
    known values, with seeded noise of a tenth of each series' spread: one residual variance
    then fits both quantities, as the intervals assume."""
    truth = with_values(weekly, TRUTH["qh1"], TRUTH["leaching_efficiency_layer1"])
    exact = halosoil.run(truth).to_dataframe()[["water_table_depth", "salinity_layer1"]]
    observed = exact.iloc[1::2].copy()
    random = np.random.default_rng(2024)
    for quantity in observed:
        observed[quantity] += random.normal(0, 0.1 * observed[quantity].std(ddof=0),
                                            len(observed))
    # A few readings are missing, as in the field.
    observed.loc[[8, 30], "salinity_layer1"] = np.nan
    return truth, observed


def test_calibration_finds_the_truth_within_its_intervals(weekly, synthetic):
    truth, observed = synthetic
    start = with_values(weekly, 0.04, 90.0)
    calibration = halosoil.calibrate(start, observations=observed, parameters=BOUNDS, seed=3)
    estimates = calibration.parameters
    assert list(estimates.index) == ["qh1", "leaching_efficiency_layer1"]
    assert list(estimates.columns) == ["unit", "start", "low", "high", "value", "standard_error",
                                       "ci95_low", "ci95_high", "at_bound"]
    assert list(estimates["unit"]) == ["m/day per m", "%"]
    assert list(estimates["start"]) == [0.04, 90.0]
    assert list(estimates["low"]) == [0.005, 50.0] and list(estimates["high"]) == [0.05, 100.0]
    for name, value in TRUTH.items():
        assert estimates.loc[name, "ci95_low"] <= value <= estimates.loc[name, "ci95_high"], name
        assert 0 < estimates.loc[name, "standard_error"] < (BOUNDS[name][1] - BOUNDS[name][0])
        assert not estimates.loc[name, "at_bound"]
    # The optimum is no worse than the truth, and the objective is the documented one.
    assert calibration.objective["end"] <= objective(halosoil.run(truth), observed)
    assert calibration.objective["end"] == pytest.approx(
        objective(calibration.result, observed), rel=1e-12)
    assert calibration.objective["start"] == pytest.approx(
        objective(halosoil.run(start), observed), rel=1e-12)
    # The calibrated project carries the values, and its result is its plain run.
    assert calibration.project.qh1 == estimates.loc["qh1", "value"]
    assert (calibration.project.leaching_efficiency["layer1"]
            == estimates.loc["leaching_efficiency_layer1", "value"])
    again = halosoil.run(calibration.project)
    np.testing.assert_array_equal(calibration.result.water_table_depth, again.water_table_depth)
    np.testing.assert_array_equal(calibration.result.salinity["layer1"],
                                  again.salinity["layer1"])
    # The fit, computed here from the calibrated run.
    fit = calibration.fit
    assert list(fit.index) == ["water_table_depth", "salinity_layer1"]
    simulated = calibration.result.to_dataframe()
    for quantity in fit.index:
        observed_values = observed[quantity].dropna()
        residuals = simulated.loc[observed_values.index, quantity] - observed_values
        assert fit.loc[quantity, "n"] == len(observed_values)
        assert fit.loc[quantity, "rmse"] == pytest.approx(np.sqrt(np.mean(residuals ** 2)))
        assert fit.loc[quantity, "bias"] == pytest.approx(residuals.mean(), abs=1e-12)
    assert list(calibration.correlation.index) == list(estimates.index)
    assert calibration.correlation.loc["qh1", "qh1"] == pytest.approx(1.0)
    assert calibration.warnings == []
    assert calibration.runs > 10


def without_seconds(report):
    parsed = json.loads(report)
    del parsed["seconds"]
    return parsed


def test_a_seed_gives_the_same_calibration(weekly, synthetic):
    _, observed = synthetic
    start = with_values(weekly, 0.04, 90.0)
    first = halosoil.calibrate(start, observations=observed, parameters=BOUNDS, seed=11)
    second = halosoil.calibrate(start, observations=observed, parameters=BOUNDS, seed=11,
                                threads=1)
    assert without_seconds(first.to_json()) == without_seconds(second.to_json())
    pd.testing.assert_frame_equal(first.parameters, second.parameters, check_exact=True)


def test_the_report_is_the_batch_runners(tmp_path, weekly):
    if not batch_has("calibrate"):
        pytest.skip("this halosoil-batch has no calibrate command")
    report = tmp_path / "report.json"
    calibrated = tmp_path / "calibrated.inp"
    batch_output("calibrate", WEEKLY, "--observations", WEEKLY_OBSERVATIONS, "--seed", 5,
                 "--parameter", "qh1=0.005:0.05", "--parameter", "groundwater_inflow=0:2",
                 "--weight", "drainage=0.5", "--report", report, "-o", calibrated)
    calibration = halosoil.calibrate(weekly, observations=WEEKLY_OBSERVATIONS,
                                     parameters={"qh1": (0.005, 0.05),
                                                 "groundwater_inflow": (0, 2)},
                                     weights={"drainage": 0.5}, seed=5)
    assert without_seconds(calibration.to_json()) == without_seconds(report.read_text())
    assert calibration.project.input_text(calibrated) == calibrated.read_bytes()
    # The same observations as a DataFrame give the same calibration.
    frame = halosoil.read_observations(WEEKLY_OBSERVATIONS, weekly)
    from_frame = halosoil.calibrate(weekly, observations=frame,
                                    parameters={"qh1": (0.005, 0.05),
                                                "groundwater_inflow": (0, 2)},
                                    weights={"drainage": 0.5}, seed=5)
    assert without_seconds(from_frame.to_json()) == without_seconds(report.read_text())


def test_save_writes_the_report(tmp_path, weekly, synthetic):
    _, observed = synthetic
    calibration = halosoil.calibrate(weekly, observations=observed,
                                     parameters={"qh1": (0.005, 0.05)})
    path = tmp_path / "field-calibration.json"
    path.write_text("an older report that is longer than the new one " * 100)
    calibration.save(path)
    assert path.read_text() == calibration.to_json()
    assert json.loads(path.read_text())["parameters"][0]["name"] == "qh1"
    assert [p.name for p in tmp_path.iterdir()] == ["field-calibration.json"]


def test_a_salinity_column_replaces_the_measured_salinities(weekly, synthetic):
    _, observed = synthetic
    measured = weekly.copy()
    series = np.full(measured.steps, np.nan)
    series[[9, 19, 29, 39]] = [3.1, 2.4, 2.0, 1.8]  # steps 10, 20, 30 and 40
    measured.measured_salinity = dict(measured.measured_salinity, layer1=series)
    one = {"leaching_efficiency_layer1": (50.0, 100.0)}

    def counts(observations):
        fit = halosoil.calibrate(measured, observations=observations, parameters=one).fit
        return dict(fit["n"])

    assert counts(None) == {"salinity_layer1": 4}
    assert counts(observed[["water_table_depth"]]) == {"water_table_depth": 26,
                                                        "salinity_layer1": 4}
    assert counts(observed) == {"water_table_depth": 26, "salinity_layer1": 24}
    # A column with nothing observed still replaces the measurements of its zone.
    empty = observed.copy()
    empty["salinity_layer1"] = np.nan
    assert counts(empty) == {"water_table_depth": 26}


def write(path, text):
    path.write_bytes(text.encode())
    return path


def test_read_observations_gives_a_frame_by_step(tmp_path, weekly):
    # The file takes the batch runner's name of the water table's depth; the frame gives the
    # project's.
    path = write(tmp_path / "obs.csv",
                 "step,salinity_layer1,depth_water_table\n"
                 "5,3.25,\n"
                 "1,,1.41\n"
                 "\n"
                 "3,2.5,1.375\n"
                 "7,,\n")
    frame = halosoil.read_observations(path, weekly)
    expected = pd.DataFrame({"water_table_depth": [1.41, 1.375, np.nan],
                             "salinity_layer1": [np.nan, 2.5, 3.25]},
                            index=pd.Index([1, 3, 5], name="step"))
    pd.testing.assert_frame_equal(frame, expected, check_exact=True)
    # A column without any observation is there all the same.
    path = write(tmp_path / "none.csv", "step,drainage,percolation\n2,,4.5\n")
    frame = halosoil.read_observations(path)
    assert list(frame.columns) == ["drainage", "percolation"]
    assert frame["drainage"].isna().all() and frame.loc[2, "percolation"] == 4.5


def test_observations_are_checked_against_the_project(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    write(tmp_path / "obs.csv", "step,salinity_layer3\n1,2.0\n60,2.5\n")
    # Without a project: three layers and any step a project may have.
    frame = halosoil.read_observations("obs.csv")
    assert list(frame.index) == [1, 60] and list(frame["salinity_layer3"]) == [2.0, 2.5]
    weekly = halosoil.read_input(WEEKLY)
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.read_observations("obs.csv", weekly)
    assert str(refused.value) == ("obs.csv, line 3, column 1: step 60 lies outside the "
                                  "project's steps 1 to 52")
    monthly = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.read_observations("obs.csv", monthly)
    assert str(refused.value) == ("obs.csv, line 1, column 2: salinity_layer3: the project has "
                                  "no third root-zone layer")


def test_damaged_observations_are_refused_word_for_word(tmp_path, monkeypatch, weekly):
    monkeypatch.chdir(tmp_path)
    write(tmp_path / "obs.csv", "step,salinity_layer1\n1,1x5\n")
    message = "obs.csv, line 2, column 2: '1x5' is not a valid floating point value"
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.read_observations("obs.csv")
    assert str(refused.value) == message
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.calibrate(weekly, observations="obs.csv", parameters=BOUNDS)
    assert str(refused.value) == message
    write(tmp_path / "twice.csv", "step,water_table_depth\n4,1.2\n4,1.3\n")
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.read_observations("twice.csv")
    assert str(refused.value) == ("twice.csv, line 3, column 1: step 4 is given twice "
                                  "(also in line 2)")
    write(tmp_path / "header.csv", "step,salinity_layer9\n")
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.read_observations("header.csv")
    assert str(refused.value) == ("header.csv, line 1, column 2: 'salinity_layer9' is not a "
                                  "quantity; the columns are " + QUANTITY_LIST)


def test_a_missing_observations_file_is_not_found(tmp_path, weekly):
    missing = tmp_path / "none.csv"
    with pytest.raises(FileNotFoundError) as raised:
        halosoil.read_observations(missing)
    assert raised.value.errno == errno.ENOENT
    assert raised.value.filename == str(missing)
    assert str(missing) in str(raised.value)
    with pytest.raises(FileNotFoundError):
        halosoil.calibrate(weekly, observations=missing, parameters=BOUNDS)


def test_a_damaged_frame_is_refused_in_its_own_terms(weekly, synthetic):
    _, observed = synthetic
    late = observed.copy()
    late.index = late.index + 10  # the last rows fall beyond step 52
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.calibrate(weekly, observations=late, parameters=BOUNDS)
    assert str(refused.value) == ("observations DataFrame, row of step 54, index: step 54 lies "
                                  "outside the project's steps 1 to 52")
    renamed = observed.rename(columns={"salinity_layer1": "salinity_root"})
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.calibrate(weekly, observations=renamed, parameters=BOUNDS)
    assert str(refused.value) == ("observations DataFrame, column 'salinity_root': "
                                  "'salinity_root' is not a quantity; the columns are "
                                  + QUANTITY_LIST)
    infinite = observed.copy()
    infinite.loc[4, "water_table_depth"] = math.inf
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.calibrate(weekly, observations=infinite, parameters=BOUNDS)
    assert str(refused.value) == ("observations DataFrame, row of step 4, column "
                                  "'water_table_depth': 'inf' is not a valid floating point "
                                  "value")


@pytest.mark.parametrize("parameters, weights, message", [
    ({"qh3": (0.01, 0.02)}, None,
     "Unknown parameter 'qh3'; the parameters are qh1, qh2, groundwater_inflow, "
     "groundwater_outflow, inflow_salinity, critical_depth, irrigation_efficiency, "
     "thickness_<zone>, total_porosity_<zone>, effective_porosity_<zone>, "
     "leaching_efficiency_<zone>, initial_salinity_<zone>, rain_factor, irrigation_factor, "
     "evaporation_factor, irrigation_salinity_factor, drain_depth, drain_spacing (zones "
     "layer1, layer2, layer3, transition, aquifer)"),
    ({"qh1": (0.05, 0.005)}, None, "Parameter qh1: the bounds 0.05:0.005 are reversed"),
    ({"leaching_efficiency_layer1": (50, 120)}, None,
     "Parameter leaching_efficiency_layer1: the bounds 50:120 go beyond what it can take "
     "(0 to 100 %)"),
    ({"leaching_efficiency": (50, 90)}, None,
     "Parameter leaching_efficiency: name the zone, e.g. leaching_efficiency_layer1 or "
     "leaching_efficiency_aquifer"),
    ({}, None, "Name at least one parameter to move."),
    ({"qh1": (0.005, 0.05)}, {"salinity_layer1": -1.0},
     "The weight of salinity_layer1 must be 0 or more, not -1."),
    ({"qh1": (0.005, 0.05)}, {"salinity_root": 2.0},
     "Weight salinity_root: 'salinity_root' is not a quantity; the quantities are "
     + QUANTITY_LIST),
    ({"qh1": (0.005, 0.05)}, {"water_table_depth": 0.0, "salinity_layer1": 0.0},
     "There is nothing to fit: no observations (measured salinities in the input file or an "
     "observations file) of a quantity with a weight above 0."),
])
def test_refusals_carry_the_programs_words(weekly, synthetic, parameters, weights, message):
    _, observed = synthetic
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.calibrate(weekly, observations=observed, parameters=parameters,
                           weights=weights)
    assert str(refused.value) == message


def test_a_project_without_measurements_has_nothing_to_fit(weekly):
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.calibrate(weekly, parameters=BOUNDS)
    assert str(refused.value) == (
        "There is nothing to fit: no observations (measured salinities in the input file or an "
        "observations file) of a quantity with a weight above 0.")
