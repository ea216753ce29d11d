"""Studies: the factorial design and sweeps over threads and a Dask cluster."""

import gc
import math
import os
import signal
import threading
import time

import numpy as np
import pytest

import distributed

import halosoil
from conftest import EXAMPLES


@pytest.fixture(scope="module")
def base():
    return halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")


def test_scenarios_build_the_full_factorial_design(base):
    projects = halosoil.scenarios(base, irrigation_factor=[0.8, 1.2],
                                  irrigation_salinity=[0.8, 1.5, 3.0], drain_depth=[1.2])
    assert [p.label for p in projects] == [
        {"irrigation_factor": f, "irrigation_salinity": s, "drain_depth": 1.2}
        for f in (0.8, 1.2) for s in (0.8, 1.5, 3.0)]
    fourth = projects[3]  # factor 1.2, salinity 0.8
    np.testing.assert_array_equal(fourth.irrigation, base.irrigation * 1.2)
    np.testing.assert_array_equal(fourth.irrigation_salinity, np.full(base.steps, 0.8))
    assert fourth.irrigation_water_salinity == 0.8
    assert fourth.drain_depth == 1.2
    # The rest is the base project's, and the base is left as it was.
    assert fourth.rain is not base.rain
    np.testing.assert_array_equal(fourth.rain, base.rain)
    assert base.irrigation[0] == 1340.0 and base.drain_depth == 1.8 and base.label == {}


def test_scenarios_refuse_an_unknown_variation(base):
    with pytest.raises(TypeError, match="irigation_factor"):
        halosoil.scenarios(base, irigation_factor=[1.0])


def study(base):
    """Six scenarios with failing projects among them: one the engine refuses, one whose
    series do not fit its steps, one the water table stops."""
    projects = halosoil.scenarios(base, irrigation_factor=[0.9, 1.1],
                                  drain_depth=[1.4, 1.8, 2.2])
    broken = base.copy()
    broken.soil_moisture = math.nan
    broken.label = {"broken": "moisture"}
    shortened = base.copy()
    shortened.steps = 5
    drained = base.copy()
    drained.groundwater_outflow = 900.0
    drained.label = {"broken": "outflow"}
    return projects[:3] + [broken] + projects[3:5] + [shortened, drained] + projects[5:]


BROKEN = "The initial soil moisture content is not a finite number. The calculations cannot be made."


def assert_same_results(results, expected):
    assert len(results) == len(expected)
    for got, want in zip(results, expected):
        if isinstance(want, Exception):
            assert type(got) is type(want) and str(got) == str(want)
            continue
        assert got.label == want.label
        for name in ("percolation", "capillary_rise", "actual_evaporation", "drainage",
                     "water_table_depth"):
            np.testing.assert_array_equal(getattr(got, name), getattr(want, name))
        for zone in want.salinity:
            np.testing.assert_array_equal(got.salinity[zone], want.salinity[zone])
        assert got.qh1_used == want.qh1_used
        assert got.leaching_efficiency == want.leaching_efficiency


def plain_loop(projects, refine, optimise):
    results = []
    for project in projects:
        try:
            results.append(halosoil.run(project, refine, optimise))
        except halosoil.Error as error:
            results.append(error)
    return results


def test_sweep_on_threads_equals_a_plain_loop(base):
    projects = study(base)
    results = halosoil.sweep(projects, refine=True, optimise=True, progress=False)
    expected = plain_loop(projects, True, True)
    assert isinstance(results[3], halosoil.InputError)
    assert str(results[3]) == BROKEN
    assert results[3].label == {"broken": "moisture"}
    assert str(results[6]) == "rain has 15 values; the project has 5 time steps"
    assert isinstance(results[7], halosoil.WaterTableBelowAquifer)
    assert results[7].step == expected[7].step and results[7].label == {"broken": "outflow"}
    assert_same_results(results, expected)


def test_sweep_in_small_chunks_keeps_the_order(base):
    projects = study(base)
    assert_same_results(halosoil.sweep(projects, progress=False, chunk_size=2),
                        plain_loop(projects, False, False))


def test_sweep_on_a_local_cluster_equals_a_plain_loop(base):
    projects = study(base)
    expected = plain_loop(projects, True, True)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        results = halosoil.sweep(projects, refine=True, optimise=True, client=client,
                                 progress=False)
    assert isinstance(results[3], halosoil.InputError)
    assert_same_results(results, expected)


def test_a_worker_killed_in_the_middle_of_a_sweep_leaves_the_study_whole(base):
    projects = halosoil.scenarios(base, irrigation_factor=list(np.linspace(0.8, 1.2, 50)),
                                  drain_depth=[1.4, 1.8, 2.2, 2.0])
    expected = halosoil.sweep(projects, refine=True, progress=False)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        pids = client.run(os.getpid)
        outcome = {}
        study = threading.Thread(target=lambda: outcome.update(results=halosoil.sweep(
            projects, refine=True, client=client, progress=False, chunk_size=4)))
        study.start()
        # Once the first chunks have come back, the worker busiest with the rest is killed.
        victim = None
        while study.is_alive() and victim is None:
            time.sleep(0.02)
            if any(client.who_has().values()):
                busy = [address for address, keys in client.processing().items() if keys]
                victim = busy[0] if busy else None
        assert victim is not None, "the study ended before a worker could be killed"
        os.kill(pids[victim], signal.SIGKILL)
        study.join(timeout=600)
        assert not study.is_alive()
        assert pids[victim] not in client.run(os.getpid).values()
    assert_same_results(outcome["results"], expected)


def test_a_packed_chunk_runs_to_the_plain_results_and_a_damaged_one_is_refused(base):
    from halosoil import _core

    packed = _core.pack_projects([base._record(), base._record()])
    (first, second) = _core.unpack_outcomes(_core.run_packed(packed, True, False))
    expected = halosoil.run(base, refine=True)
    for outcome in (first, second):
        result = halosoil.Result._from_fields(outcome)
        assert_same_results([result], [expected])
        assert result.qh1_refined == expected.qh1_refined
    for damaged in (packed[:-8], packed + b"\0"):
        with pytest.raises(ValueError, match="^A packed chunk of runs is damaged.$"):
            _core.run_packed(damaged, False, False)


def test_a_chunk_of_different_projects_packs_each_against_the_one_before(base):
    from halosoil import _core

    # Different layers and steps side by side, a refusal between them, and repeats: each
    # run reads its own record back, whatever the run before it was.
    others = [halosoil.read_input(EXAMPLES / f"{name}.inp")
              for name in ("one_layer_monthly", "three_layers_weekly_drained")]
    wetter = base.copy()
    wetter.rain = base.rain * 1.5
    broken = base.copy()
    broken.soil_moisture = math.nan
    chunk = [base, others[0], others[0], broken, wetter, others[1], base, base]
    outcomes = _core.unpack_outcomes(_core.run_packed(
        _core.pack_projects([project._record() for project in chunk]), False, False))
    assert outcomes[3] == (BROKEN, 0)
    for project, outcome in zip(chunk[:3] + chunk[4:], outcomes[:3] + outcomes[4:]):
        result = halosoil.Result._from_fields(outcome)
        assert_same_results([result], [halosoil.run(project)])
        assert result.title1 == project.title1 and result.layers == project.layers
        assert result.output_text("a.out") == halosoil.run(project).output_text("a.out")
    # A project repeated takes a few bytes per text and series, not its values again.
    one = len(_core.pack_projects([base._record()]))
    assert len(_core.pack_projects([base._record()] * 3)) < one + 2 * one // 4


def test_a_sweep_leaves_the_garbage_collector_as_it_found_it(base):
    assert gc.isenabled()
    halosoil.sweep([base], progress=False)
    assert gc.isenabled()
    # A sweep that fails within: a client that is no client.
    with pytest.raises(AttributeError):
        halosoil.sweep([base], progress=False, client=object())
    assert gc.isenabled()
    gc.disable()
    try:
        halosoil.sweep([base], progress=False)
        assert not gc.isenabled()
    finally:
        gc.enable()



def test_scenarios_vary_one_zone_by_its_flat_name_and_label_it_flat(base):
    projects = halosoil.scenarios(base, leaching_efficiency_layer1=[60, 70],
                                  irrigation_factor=[1.0, 1.2])
    assert [p.label for p in projects] == [
        {"leaching_efficiency_layer1": 60, "irrigation_factor": 1.0},
        {"leaching_efficiency_layer1": 60, "irrigation_factor": 1.2},
        {"leaching_efficiency_layer1": 70, "irrigation_factor": 1.0},
        {"leaching_efficiency_layer1": 70, "irrigation_factor": 1.2}]
    assert [p.leaching_efficiency["layer1"] for p in projects] == [60, 60, 70, 70]
    # The other zones and the base project keep their values.
    assert projects[0].leaching_efficiency["transition"] == base.leaching_efficiency["transition"]
    assert base.leaching_efficiency["layer1"] not in (60, 70)
    table = halosoil.tabulate(halosoil.sweep(projects, progress=False))
    assert len(table.drop_duplicates(["leaching_efficiency_layer1", "irrigation_factor"])) == 4


def test_scenarios_of_whole_zone_dicts_are_labelled_per_zone(base):
    projects = halosoil.scenarios(base, thickness=[{"layer1": 0.2}, {"layer1": 0.3}])
    assert [p.label for p in projects] == [{"thickness_layer1": 0.2}, {"thickness_layer1": 0.3}]
    with pytest.raises(TypeError, match=r"^scenarios: thickness is a property per zone; vary "
                                        r"one zone with thickness_layer1=\[\.\.\.\]"):
        halosoil.scenarios(base, thickness=[0.2, 0.3])


def test_a_client_closed_in_the_middle_of_a_study_is_one_cluster_error(base):
    projects = halosoil.scenarios(base, irrigation_factor=list(np.linspace(0.8, 1.2, 50)),
                                  drain_depth=[1.4, 1.8, 2.2, 2.0])
    with distributed.LocalCluster(n_workers=1, threads_per_worker=1, processes=False,
                                  dashboard_address=None) as cluster:
        client = distributed.Client(cluster)
        outcome = {}

        def sweep():
            try:
                outcome["results"] = halosoil.sweep(projects, refine=True, client=client,
                                                    progress=False, chunk_size=2)
            except Exception as error:  # what the study raised, for the test to look at
                outcome["error"] = error

        study = threading.Thread(target=sweep)
        study.start()
        while study.is_alive() and not any(client.who_has().values()):
            time.sleep(0.01)
        assert study.is_alive(), "the study ended before the client could be closed"
        client.close()
        study.join(timeout=120)
        assert not study.is_alive()
        assert isinstance(outcome.get("error"), halosoil.ClusterError), outcome
        assert "the Dask cluster failed during the study" in str(outcome["error"]) or \
            "the Dask client is closed" in str(outcome["error"])
        # A later study with the closed client says so, and one without a client still runs.
        with pytest.raises(halosoil.ClusterError,
                           match=r"^the Dask client is closed; start a new Client"):
            halosoil.sweep(projects[:2], client=client, progress=False)
        with pytest.raises(halosoil.ClusterError):
            halosoil.ensemble(base, {"qh1": ("uniform", 0.02, 0.05)}, members=4, client=client)
    assert isinstance(halosoil.sweep(projects[:1], progress=False)[0], halosoil.Result)
