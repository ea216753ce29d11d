"""Regions from Python: the same GeoPackage as the batch runner's, each field's steps equal to
its one-field run, refusals per field, wrong arguments at once, and a Dask cluster that gives
the same numbers even when a worker is lost."""

import os
import signal
import sqlite3
import threading
import time

import numpy as np
import pytest

import halosoil
from conftest import EXAMPLES, batch_has, run_batch

geopandas = pytest.importorskip("geopandas")
shapely = pytest.importorskip("shapely.geometry")

LAYER = EXAMPLES / "district_fields.geojson"


@pytest.fixture(scope="module")
def base():
    return halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")


@pytest.fixture(scope="module")
def example(base):
    return halosoil.region(base, LAYER, id="plot")


def table(path, name):
    with sqlite3.connect(path) as connection:
        return connection.execute(f"SELECT * FROM {name} ORDER BY fid").fetchall()


def field_columns(path):
    """The fields layer's attribute rows without the geometry blob, which holds the same
    coordinates but may differ in its envelope flags between writers."""
    with sqlite3.connect(path) as connection:
        names = [row[1] for row in connection.execute("PRAGMA table_info(fields)")
                 if row[1] != "geom"]
        return connection.execute(f"SELECT {', '.join(names)} FROM fields ORDER BY fid").fetchall()


@pytest.mark.skipif(not batch_has("region"), reason="the batch runner has no region command")
def test_the_saved_results_hold_the_batch_runners_tables(example, tmp_path):
    status, errors = run_batch("region", EXAMPLES / "two_layers_yearly_drained.inp", LAYER,
                               "--id", "plot", "-o", tmp_path / "batch.gpkg")
    assert status == 0, errors
    example.save(tmp_path / "python.gpkg")
    assert table(tmp_path / "python.gpkg", "steps") == table(tmp_path / "batch.gpkg", "steps")
    assert field_columns(tmp_path / "python.gpkg") == field_columns(tmp_path / "batch.gpkg")


def test_each_fields_steps_are_its_one_field_run_to_the_bit(example, base):
    # B2: the second field of the second row: QH1 0.004 + 0.002 * 1 = 0.006, irrigation factor
    # 0.8 + 0.1 * 1 = 0.9, initial salinity of the first layer 6 + 2 ((7 + 3) % 5) = 6.
    project = halosoil.scenarios(base, qh1=[0.006], irrigation_factor=[0.9],
                                 initial_salinity_layer1=[6.0])[0]
    expected = halosoil.run(project)
    steps = example.steps.sel(field="B2")
    for name in ("water_table_depth", "drainage", "percolation", "capillary_rise",
                 "actual_evaporation"):
        np.testing.assert_array_equal(steps[name].to_numpy(), getattr(expected, name))
    np.testing.assert_array_equal(steps["salinity_layer1"].to_numpy(),
                                  expected.salinity["layer1"])
    assert np.isnan(steps["salinity_layer3"].to_numpy()).all()
    assert example.steps["water_table_depth"].attrs["units"] == "m"
    row = example.fields.set_index("field").loc["B2"]
    assert row["status"] == "ok"
    assert row["water_table_depth_final"] == expected.water_table_depth[-1]
    assert row["water_table_depth_max"] == expected.water_table_depth.max()


def test_a_geodataframe_gives_its_index_as_ids_and_each_refusal_stays_in_its_row(base):
    squares = [shapely.box(720000 + 200 * k, 3290000, 720200 + 200 * k, 3290200)
               for k in range(3)]
    frame = geopandas.GeoDataFrame(
        {"qh1": [0.01, -0.5, None], "crop": ["wheat", "cotton", "rice"]},
        geometry=squares, crs="EPSG:32643", index=[101, 102, 103])
    done = halosoil.region(base, frame)
    fields = done.fields.set_index("field")
    assert list(fields.index) == [101, 102, 103]
    assert list(fields["status"]) == ["ok", "refused", "ok"]
    assert fields.loc[102, "message"].startswith(
        "Field 102: column qh1 holds -0.5: beyond what it can take (")
    assert np.isnan(fields.loc[102, "drainage_mean"])
    assert list(fields["crop"]) == ["wheat", "cotton", "rice"]
    assert done.fields.crs.to_epsg() == 32643
    # The NULL keeps the base's QH1: field 103 is the base itself.
    expected = halosoil.run(base)
    np.testing.assert_array_equal(done.steps["drainage"].sel(field=103).to_numpy(),
                                  expected.drainage)
    assert done.summary["refused"] == 1


def test_a_crop_gives_each_field_its_relative_yield_here_and_on_a_cluster(base, dask_client):
    squares = [shapely.box(720000 + 200 * k, 3290000, 720200 + 200 * k, 3290200)
               for k in range(3)]
    frame = geopandas.GeoDataFrame({"crop": [None, "threshold=0,slope=10", "whaet"]},
                                   geometry=squares, crs="EPSG:32643", index=[1, 2, 3])
    done = halosoil.region(base, frame, crop="barley")
    fields = done.fields.set_index("field")
    assert list(fields["status"]) == ["ok", "ok", "refused"]
    assert fields.loc[3, "message"].startswith("Field 3: column crop holds whaet: ")
    assert "wheat" in fields.loc[3, "message"]
    # Yr = 100 - B (0.5 x root zone's salinity - T) within 0..100, the root zone's salinity the
    # two layers' mean by thickness: barley (8, 5) for field 1, (0, 10) for field 2.
    thickness = [base.thickness["layer1"], base.thickness["layer2"]]
    for field, (threshold, slope) in {1: (8.0, 5.0), 2: (0.0, 10.0)}.items():
        s1 = done.steps["salinity_layer1"].sel(field=field).to_numpy()
        s2 = done.steps["salinity_layer2"].sel(field=field).to_numpy()
        ece = 0.5 * (s1 * thickness[0] + s2 * thickness[1]) / sum(thickness)
        expected = np.clip(100 - slope * (ece - threshold), 0, 100)
        np.testing.assert_allclose(done.steps["relative_yield"].sel(field=field), expected,
                                   atol=1e-9)
        assert fields.loc[field, "relative_yield_min"] == pytest.approx(expected.min(), abs=1e-9)
    assert done.steps["relative_yield"].attrs["units"] == "%"
    there = halosoil.region(base, frame, crop="barley", client=dask_client, fields_per_task=2)
    np.testing.assert_array_equal(there.steps["relative_yield"].to_numpy(),
                                  done.steps["relative_yield"].to_numpy())
    with pytest.raises(halosoil.InputError, match="barly"):
        halosoil.region(base, frame, crop="barly")
    # Without a crop of the region, the column is an attribute like any other.
    plain = halosoil.region(base, frame)
    assert "relative_yield" not in plain.steps
    assert list(plain.fields["status"]) == ["ok", "ok", "ok"]


def test_wrong_arguments_raise_at_once(base):
    with pytest.raises(TypeError, match="takes a halosoil.Project"):
        halosoil.region(str(EXAMPLES / "two_layers_yearly_drained.inp"), LAYER)
    with pytest.raises(TypeError, match="GeoDataFrame or the path of a layer"):
        halosoil.region(base, 42)
    with pytest.raises(halosoil.InputError, match="refine must be True or False"):
        halosoil.region(base, LAYER, refine="yes")
    with pytest.raises(FileNotFoundError):
        halosoil.region(base, EXAMPLES / "no_such_layer.gpkg")
    with pytest.raises(halosoil.InputError, match="has no column 'name' for the ids"):
        halosoil.region(base, LAYER, id="name")


def test_a_region_on_a_cluster_gives_the_same_numbers(example, base, dask_client):
    done = halosoil.region(base, LAYER, id="plot", client=dask_client, fields_per_task=5)
    assert list(done.fields["field"]) == list(example.fields["field"])
    for name in example.steps.data_vars:
        np.testing.assert_array_equal(done.steps[name].to_numpy(), example.steps[name].to_numpy())
    assert list(done.fields["status"]) == list(example.fields["status"])


def test_a_worker_killed_in_the_middle_of_a_region_loses_no_field(example, base):
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        pids = client.run(os.getpid)
        outcome = {}
        study = threading.Thread(target=lambda: outcome.update(done=halosoil.region(
            base, LAYER, id="plot", client=client, fields_per_task=1)))
        study.start()
        victim = None
        while study.is_alive() and victim is None:
            time.sleep(0.02)
            if any(client.who_has().values()):
                busy = [address for address, keys in client.processing().items() if keys]
                victim = busy[0] if busy else None
        if victim is None:
            study.join()
            pytest.skip("the region ended before a worker could be killed")
        os.kill(pids[victim], signal.SIGKILL)
        study.join(timeout=600)
        assert not study.is_alive()
    done = outcome["done"]
    assert list(done.fields["field"]) == list(example.fields["field"])
    np.testing.assert_array_equal(done.steps["water_table_depth"].to_numpy(),
                                  example.steps["water_table_depth"].to_numpy())


def test_after_a_region_a_failed_write_is_still_pythons_own_oserror(example, base, tmp_path):
    # The region's extension translates the program's errors for its own functions only.
    with pytest.raises(FileNotFoundError) as raised:
        base.write(tmp_path / "no such folder" / "base.inp")
    assert raised.value.filename == str(tmp_path / "no such folder" / "base.inp")


def test_the_water_tables_columns_take_the_projects_name_and_the_file_keeps_its_own(
        example, tmp_path):
    fields = example.fields
    summaries = [f"water_table_depth_{s}" for s in ("final", "mean", "min", "max")]
    assert set(summaries) <= set(fields.columns)
    assert not any(column.startswith("depth_water_table") for column in fields.columns)
    assert "water_table_depth" in example.steps.data_vars
    # The older names still select, with a warning, under the name asked for.
    with pytest.warns(DeprecationWarning, match="water_table_depth_mean, the project's name"):
        column = fields["depth_water_table_mean"]
    assert column.name == "depth_water_table_mean"
    np.testing.assert_array_equal(column.to_numpy(), fields["water_table_depth_mean"].to_numpy())
    with pytest.warns(DeprecationWarning, match="water_table_depth, the project's name"):
        steps = example.steps["depth_water_table"]
    np.testing.assert_array_equal(steps.to_numpy(), example.steps["water_table_depth"].to_numpy())
    # A selection of the frame is a plain GeoDataFrame with its geometry.
    assert type(fields[["field", "geometry"]]).__name__ == "GeoDataFrame"
    assert fields[["field", "geometry"]].geometry.equals(fields.geometry)
    # The GeoPackage keeps the batch runner's columns.
    example.save(tmp_path / "saved.gpkg")
    with sqlite3.connect(tmp_path / "saved.gpkg") as connection:
        names = [row[1] for row in connection.execute("PRAGMA table_info(fields)")]
        steps_names = [row[1] for row in connection.execute("PRAGMA table_info(steps)")]
    assert "depth_water_table_mean" in names and "water_table_depth_mean" not in names
    assert "depth_water_table" in steps_names


def test_plot_draws_the_fields_by_a_quantitys_statistic(example):
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    axes = example.plot("water_table_depth", "mean")
    assert axes.get_title() == "water_table_depth (mean, m)"
    # One patch collection of the 36 fields, coloured by their values.
    (collection,) = axes.collections
    assert len(collection.get_paths()) == 36
    np.testing.assert_allclose(collection.get_array(),
                               example.fields["water_table_depth_mean"].to_numpy())
    with pytest.warns(DeprecationWarning, match="water_table_depth, the project's name"):
        old = example.plot("depth_water_table", "mean")
    assert old.get_title() == "water_table_depth (mean, m)"
    with pytest.raises(halosoil.InputError, match="unknown quantity 'salt'"):
        example.plot("salt")
    with pytest.raises(halosoil.InputError, match="the statistic must be one of"):
        example.plot("drainage", "median")


def _row_of_three(transmissivity, elevations):
    """Three 200 m squares in a row, each with its transmissivity and elevation."""
    squares = [shapely.box(720000 + 200 * k, 3290000, 720200 + 200 * k, 3290200)
               for k in range(3)]
    return geopandas.GeoDataFrame(
        {"transmissivity": transmissivity, "elevation": elevations},
        geometry=squares, crs="EPSG:32643", index=[1, 2, 3])


def test_an_exchange_gives_the_lateral_flows_and_the_neighbours(base):
    # The middle field stands 1 m higher than the two beside it: it feeds both, alike.
    done = halosoil.region(base, _row_of_three([50.0, 80.0, 50.0], [0.0, 1.0, 0.0]),
                           exchange=True)
    assert done.summary["ran"] == 3
    for name, unit in (("lateral_inflow", "mm/day"), ("lateral_outflow", "mm/day"),
                       ("lateral_salinity", "dS/m"), ("head", "m")):
        assert done.steps[name].attrs["units"] == unit
    inflow = done.steps["lateral_inflow"]
    np.testing.assert_array_equal(inflow.sel(field=1).to_numpy(), inflow.sel(field=3).to_numpy())
    assert (inflow.sel(field=1).to_numpy() > 0).all()
    # What the middle field loses is what the two receive: the fields are of one area.
    np.testing.assert_allclose(done.steps["lateral_outflow"].sel(field=2).to_numpy(),
                               2 * inflow.sel(field=1).to_numpy(), rtol=1e-12)
    # Its neighbours: 1 and 3 along 200 m, their centroids 200 m away; 1 and 3 touch only 2.
    neighbours = done.neighbours
    assert sorted(zip(neighbours["field"], neighbours["neighbour"])) == [(1, 2), (2, 1), (2, 3),
                                                                        (3, 2)]
    np.testing.assert_allclose(neighbours["length"], 200)
    np.testing.assert_allclose(neighbours["distance"], 200)
    assert list(done.fields.set_index("field")["neighbours"]) == [1, 2, 1]


def test_an_exchange_without_transmissivity_is_the_region_without_it(base):
    frame = _row_of_three([0.0, None, 0.0], [0.0, 1.0, 2.0])
    coupled = halosoil.region(base, frame, exchange=True)
    alone = halosoil.region(base, frame)
    assert alone.neighbours is None
    for name in alone.steps.data_vars:
        np.testing.assert_array_equal(coupled.steps[name].to_numpy(), alone.steps[name].to_numpy())


def test_an_exchange_refuses_the_calibrations(base):
    with pytest.raises(halosoil.InputError, match="fit each field alone"):
        halosoil.region(base, _row_of_three([50.0] * 3, [0.0] * 3), exchange=True, refine=True)


def test_an_exchange_on_a_cluster_runs_on_one_worker_with_the_same_numbers(base, dask_client):
    frame = _row_of_three([50.0, 80.0, 50.0], [0.0, 1.0, 0.0])
    here = halosoil.region(base, frame, exchange=True)
    there = halosoil.region(base, frame, exchange=True, client=dask_client)
    for name in here.steps.data_vars:
        np.testing.assert_array_equal(there.steps[name].to_numpy(), here.steps[name].to_numpy())
    assert there.neighbours.equals(here.neighbours)


def test_scenarios_of_a_coupled_region_go_to_the_workers_as_units(base, dask_client):
    frame = _row_of_three([50.0, 80.0, 50.0], [0.0, 1.0, 0.0])
    wetter = halosoil.scenarios(base, rain_factor=[1.3])[0]
    done = halosoil.region_scenarios([base, wetter], frame, exchange=True, client=dask_client)
    assert len(done) == 2
    for scenario, result in zip((base, wetter), done):
        expected = halosoil.region(scenario, frame, exchange=True)
        for name in expected.steps.data_vars:
            np.testing.assert_array_equal(result.steps[name].to_numpy(),
                                          expected.steps[name].to_numpy())
    # More rain raises the water tables: the scenarios are told apart.
    assert (done[1].steps["water_table_depth"].to_numpy().mean()
            < done[0].steps["water_table_depth"].to_numpy().mean())
    with pytest.raises(TypeError, match="sequence of halosoil.Project"):
        halosoil.region_scenarios(base, frame)
