"""The sensitivity analysis: the batch runner's numbers, a parameter without effect, the same
numbers on a Dask cluster, and the refusals word for word."""

import pandas as pd
import pytest

import halosoil
from conftest import EXAMPLES, batch_has, batch_output

WEEKLY = EXAMPLES / "three_layers_weekly_drained.inp"
WEEKLY_OBSERVATIONS = EXAMPLES / "three_layers_weekly_drained_observations.csv"
# Beyond an outflow of about 25 mm/day the water table falls below the aquifer within the
# year: some members fail, and their samples must be left out alike everywhere.
PARAMETERS = {"qh1": (0.005, 0.05), "leaching_efficiency_layer1": (50.0, 100.0),
              "groundwater_outflow": (0.0, 30.0)}
TARGETS = ["salinity_layer1:final", "water_table_depth:mean", "objective"]
SOBOL_COLUMNS = ["target", "parameter", "S1", "S1_low", "S1_high", "ST", "ST_low", "ST_high"]
MORRIS_COLUMNS = ["target", "parameter", "mu_star", "mu_star_low", "mu_star_high", "sigma"]


@pytest.fixture(scope="module")
def weekly():
    return halosoil.read_input(WEEKLY)


def batch_table(tmp_path, method, samples, seed):
    if not batch_has("sensitivity"):
        pytest.skip("this halosoil-batch has no sensitivity command")
    table = tmp_path / "indices.csv"
    arguments = ["sensitivity", WEEKLY, "--method", method, "--samples", samples, "--seed", seed,
                 "--observations", WEEKLY_OBSERVATIONS, "-o", table]
    for name, (low, high) in PARAMETERS.items():
        arguments += ["--parameter", f"{name}={low!r}:{high!r}"]
    # The batch runner names the water table's depth after its output table's column.
    for target in TARGETS:
        arguments += ["--target", target.replace("water_table_depth", "depth_water_table")]
    batch_output(*arguments)
    expected = pd.read_csv(table, float_precision="round_trip")
    expected["target"] = expected["target"].str.replace("depth_water_table", "water_table_depth")
    return expected


@pytest.mark.parametrize("method, samples, seed", [("sobol", 48, 3), ("morris", 12, 8)])
def test_the_indices_are_the_batch_runners(tmp_path, weekly, method, samples, seed):
    expected = batch_table(tmp_path, method, samples, seed)
    frame = halosoil.sensitivity(weekly, parameters=PARAMETERS, targets=TARGETS, method=method,
                                 samples=samples, seed=seed, observations=WEEKLY_OBSERVATIONS)
    assert list(frame.columns) == (SOBOL_COLUMNS if method == "sobol" else MORRIS_COLUMNS)
    pd.testing.assert_frame_equal(frame, expected, check_exact=True, check_dtype=False)
    runs = samples * (len(PARAMETERS) + (2 if method == "sobol" else 1))
    assert frame.attrs["runs"] == runs
    assert 0 < frame.attrs["failed_runs"] < runs


def test_a_parameter_without_effect_has_indices_of_0(weekly):
    # Without inflow of groundwater its salinity reaches no zone.
    project = weekly.copy()
    project.groundwater_inflow = 0.0
    parameters = {"qh1": (0.005, 0.05), "inflow_salinity": (1.0, 5.0)}
    targets = ["salinity_layer1:final", "salinity_aquifer:max"]
    sobol = halosoil.sensitivity(project, parameters=parameters, targets=targets, samples=64)
    for target in targets:
        row = sobol[(sobol.target == target) & (sobol.parameter == "inflow_salinity")]
        assert row[SOBOL_COLUMNS[2:]].to_numpy().tolist() == [[0.0] * 6], target
    drains = sobol[(sobol.target == "salinity_layer1:final") & (sobol.parameter == "qh1")]
    assert drains.S1.item() > 0.5 and drains.ST.item() > 0.5
    morris = halosoil.sensitivity(project, parameters=parameters, targets=targets,
                                  method="morris", samples=6)
    row = morris[morris.parameter == "inflow_salinity"]
    assert row[MORRIS_COLUMNS[2:]].to_numpy().tolist() == [[0.0] * 4] * 2
    assert (morris[morris.parameter == "qh1"].mu_star > 0).all()


def test_one_parameter_explains_all_of_the_variance(weekly):
    frame = halosoil.sensitivity(weekly, parameters={"qh1": (0.005, 0.05)},
                                 targets=["water_table_depth:mean"], samples=256)
    row = frame.iloc[0]
    assert row.S1 == pytest.approx(1, abs=0.1) and row.ST == pytest.approx(1, abs=0.1)
    assert row.S1_low <= row.S1 <= row.S1_high and row.ST_low <= row.ST <= row.ST_high


def test_a_seed_gives_the_same_trajectories(weekly):
    def morris(seed):
        return halosoil.sensitivity(weekly, parameters=PARAMETERS,
                                    targets=["salinity_layer1:mean"], method="morris",
                                    samples=8, seed=seed)

    first = morris(5)
    pd.testing.assert_frame_equal(first, morris(5), check_exact=True)
    assert not first.equals(morris(6))


def test_a_dask_cluster_gives_the_local_numbers(weekly, dask_client):
    # The target stopped as well: its value is 1 or 0 in every run, stopped or not.
    targets = [*TARGETS, "stopped"]
    for method, samples in (("sobol", 24), ("morris", 9)):
        with pytest.warns(UserWarning, match=r"runs \(.* %\) did not go through"):
            local = halosoil.sensitivity(weekly, parameters=PARAMETERS, targets=targets,
                                         method=method, samples=samples, seed=2,
                                         observations=WEEKLY_OBSERVATIONS)
        with pytest.warns(UserWarning, match=r"runs \(.* %\) did not go through"):
            spread = halosoil.sensitivity(weekly, parameters=PARAMETERS, targets=targets,
                                          method=method, samples=samples, seed=2,
                                          observations=WEEKLY_OBSERVATIONS, client=dask_client,
                                          members_per_task=25)
        pd.testing.assert_frame_equal(spread, local, check_exact=True)
        assert spread.attrs == local.attrs and local.attrs["failed_runs"] > 0
        assert local.attrs["stopped_runs"] > 0
        # What decides the stops shows in the target stopped.
        stopped = local[local.target == "stopped"]
        assert (stopped.iloc[:, 2].abs() > 0).any(), stopped
    # What the core refuses is refused before anything is sent.
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.sensitivity(weekly, parameters=PARAMETERS, targets=[], client=dask_client)
    assert str(refused.value) == "Name at least one target."


@pytest.mark.parametrize("settings, message", [
    ({"targets": ["salinity_layer1:last"]},
     "'salinity_layer1:last' is not a target: QUANTITY:final, QUANTITY:mean, QUANTITY:max, "
     "QUANTITY:min, objective or stopped"),
    ({"targets": ["salinity_layer2:final"]},
     "Target salinity_layer2:final: the project has no salinity_layer2"),
    ({"targets": []}, "Name at least one target."),
    ({"method": "fast"}, "The method is sobol or morris, not 'fast'."),
    ({"samples": 1}, "The Sobol method needs at least 2 samples."),
    ({"method": "morris", "samples": 1}, "The Morris method needs at least 2 trajectories."),
    ({"parameters": {"qh1": (0.02, 0.01)}},
     "Parameter qh1: the project has no subsurface drains"),
    ({"parameters": {"irrigation_factor": (1.2, 0.8)}},
     "Parameter irrigation_factor: the bounds 1.2:0.8 are reversed"),
    ({"targets": ["objective"]},
     "There is nothing to fit: no observations (measured salinities in the input file or an "
     "observations file) of a quantity with a weight above 0."),
])
def test_refusals_carry_the_programs_words(settings, message):
    # The monthly example has one layer and no drains.
    project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    project.measured_salinity = {zone: series * float("nan")
                                 for zone, series in project.measured_salinity.items()}
    arguments = {"parameters": {"irrigation_factor": (0.8, 1.2)},
                 "targets": ["salinity_layer1:final"], "samples": 8, **settings}
    with pytest.raises(halosoil.InputError) as refused:
        halosoil.sensitivity(project, **arguments)
    assert str(refused.value) == message
