"""The salt budget of a run, its warnings, and the conserving salt balance."""

import warnings

import numpy as np
import pandas as pd
import pytest

import halosoil
from conftest import EXAMPLES, run_batch

BUDGET_COLUMNS = ["in_irrigation", "in_rain", "in_percolation", "in_capillary_rise",
                  "in_seepage", "in_groundwater", "out_drainage", "out_percolation",
                  "out_capillary_rise", "out_seepage", "out_groundwater", "storage_change",
                  "imbalance"]


def long_daily(seasons=10):
    """The daily example's 120-day season repeated: 1,200 days by default."""
    season = halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
    project = season.copy()
    project.steps = 120 * seasons
    for name in ("rain", "irrigation", "evaporation", "irrigation_salinity"):
        setattr(project, name, np.tile(getattr(season, name), seasons))
    project.measured_salinity = {zone: np.full(project.steps, np.nan) for zone in project.zones}
    return project


def stored_water(project, zone):
    # W = 1000 x thickness x total porosity as a fraction, in mm.
    return 1000 * project.thickness[zone] * project.total_porosity[zone] / 100


def quiet_run(project, **keywords):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        return halosoil.run(project, **keywords)


class TestBudget:
    def test_storage_follows_the_results_salinities(self):
        project = halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
        result = halosoil.run(project)
        budget = result.salt_budget()
        assert list(budget.columns) == BUDGET_COLUMNS
        assert budget.index.names == ["step", "zone"]
        assert list(budget.loc[1].index) == list(project.zones)
        for zone in project.zones:
            change = budget.xs(zone, level="zone")["storage_change"].sum()
            expected = stored_water(project, zone) * (
                result.salinity[zone][-1] - project.initial_salinity[zone])
            assert change == pytest.approx(expected, rel=1e-9, abs=1e-9), zone
        # The imbalance is the storage change less what came in plus what went out.
        ins = budget[[c for c in BUDGET_COLUMNS if c.startswith("in_")]].sum(axis=1)
        outs = budget[[c for c in BUDGET_COLUMNS if c.startswith("out_")]].sum(axis=1)
        np.testing.assert_allclose(budget["imbalance"], budget["storage_change"] - ins + outs,
                                   atol=1e-9)
        # Rain is salt-free; only layer 1 takes irrigation, only the aquifer groundwater.
        assert (budget["in_rain"] == 0).all()
        assert (budget.drop("layer1", level="zone")["in_irrigation"] == 0).all()
        assert (budget.drop("aquifer", level="zone")["in_groundwater"] == 0).all()

    def test_a_flow_between_zones_leaves_one_as_it_enters_the_other(self):
        budget = halosoil.run(halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
                              ).salt_budget()
        np.testing.assert_allclose(budget.xs("layer1", level="zone")["out_percolation"],
                                   budget.xs("layer2", level="zone")["in_percolation"])
        np.testing.assert_allclose(budget.xs("transition", level="zone")["out_capillary_rise"],
                                   budget.xs("layer2", level="zone")["in_capillary_rise"])
        np.testing.assert_allclose(budget.xs("aquifer", level="zone")["in_seepage"],
                                   budget.xs("transition", level="zone")["out_seepage"])

    def test_the_specified_balance_of_a_long_run_makes_salt_and_says_so(self):
        project = long_daily()
        with pytest.warns(halosoil.SaltBalanceWarning, match="made .* mm x dS/m"):
            result = halosoil.run(project)
        budget = result.salt_budget()
        came_in = (budget["in_irrigation"] + budget["in_groundwater"]).sum()
        # Most of the salt made is the transition zone's, whose rise took none of its salt.
        made = budget["imbalance"].sum()
        assert made > came_in
        assert budget.xs("transition", level="zone")["imbalance"].sum() > 0.5 * made

    def test_the_conserving_balance_closes_and_stays_quiet(self):
        project = long_daily()
        result = quiet_run(project, salt_balance="conserving")
        budget = result.salt_budget()
        came_in = (budget["in_irrigation"] + budget["in_groundwater"]).sum()
        assert abs(budget["imbalance"].sum()) < 1e-8 * came_in
        # The water balance is the same; the transition zone ends less salty.
        with warnings.catch_warnings():
            warnings.simplefilter("ignore", halosoil.SaltBalanceWarning)
            made = halosoil.run(project)
        np.testing.assert_array_equal(result.water_table_depth, made.water_table_depth)
        assert result.salinity["transition"][-1] < made.salinity["transition"][-1]

    def test_the_default_is_the_specified_balance_to_the_byte(self, tmp_path):
        project = halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
        default = halosoil.run(project).output_text(tmp_path / "a.out")
        named = halosoil.run(project, salt_balance="specified").output_text(tmp_path / "a.out")
        conserving = halosoil.run(project, salt_balance="conserving").output_text(
            tmp_path / "a.out")
        assert default == named
        assert conserving != default

    def test_a_wrong_balance_is_refused_by_name(self):
        project = halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
        with pytest.raises(halosoil.InputError, match="salt_balance .* not 'conserve'"):
            halosoil.run(project, salt_balance="conserve")
        with pytest.raises(halosoil.InputError, match="salt_balance"):
            halosoil.sweep([project], salt_balance=True)

    def test_the_project_keeps_no_trace_of_the_balance(self):
        project = halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
        before = project.copy()
        halosoil.run(project, salt_balance="conserving")
        assert "salt_balance" not in vars(project)
        assert project == before


class TestStudies:
    def test_sweep_takes_the_balance_and_its_results_give_their_budget(self):
        project = halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
        alone = halosoil.run(project, salt_balance="conserving")
        [swept] = halosoil.sweep([project], salt_balance="conserving", progress=False)
        for zone in alone.salinity:
            np.testing.assert_array_equal(swept.salinity[zone], alone.salinity[zone])
        pd.testing.assert_frame_equal(swept.salt_budget(), alone.salt_budget())

    def test_a_result_read_back_runs_its_input_for_the_budget(self, example_copy):
        path = example_copy("two_layers_daily.inp")
        status, errors = run_batch("run", path)
        assert status == 0, errors
        back = halosoil.read_output(path.with_suffix(".out"))
        ran = halosoil.run(halosoil.read_input(path))
        pd.testing.assert_frame_equal(back.salt_budget(), ran.salt_budget())


class TestBatchRunner:
    def test_run_takes_the_conserving_balance(self, example_copy, tmp_path):
        path = example_copy("two_layers_daily.inp")
        status, errors = run_batch("run", "--salt-balance", "conserving", path)
        assert status == 0, errors
        expected = halosoil.run(halosoil.read_input(path), salt_balance="conserving")
        assert path.with_suffix(".out").read_bytes() == expected.output_text(
            path.with_suffix(".out"))

    def test_a_long_specified_run_warns_on_standard_error(self, tmp_path):
        path = tmp_path / "long.inp"
        long_daily().write(path)
        status, errors = run_batch("run", path)
        assert status == 0
        assert f"{path}: warning: the salt balance made" in errors
        status, errors = run_batch("run", "--salt-balance", "conserving", path)
        assert status == 0
        assert errors == ""

    def test_the_salt_budget_table_is_the_runs_budget(self, example_copy, tmp_path):
        path = example_copy("two_layers_daily.inp")
        target = tmp_path / "budget.csv"
        status, errors = run_batch("table", "salt-budget", path, "--salt-balance", "conserving",
                                   "-o", target)
        assert status == 0, errors
        table = pd.read_csv(target, index_col=["step", "zone"])
        assert list(table.columns) == BUDGET_COLUMNS
        expected = halosoil.run(halosoil.read_input(path), salt_balance="conserving"
                                ).salt_budget()
        np.testing.assert_allclose(table.to_numpy(), expected.to_numpy(), rtol=1e-9,
                                   atol=1e-9)
        # It runs the input; the output file is not written.
        assert not path.with_suffix(".out").exists()

    def test_the_salt_budget_table_refuses_an_output_file(self, example_copy):
        path = example_copy("two_layers_daily.inp")
        status, errors = run_batch("table", "salt-budget", path.with_suffix(".out"))
        assert status == 2
        assert "give the input file" in errors
        status, errors = run_batch("table", "salinity", path.with_suffix(".out"),
                                   "--salt-balance", "conserving")
        assert status == 2
        assert "belongs to the salt-budget table" in errors


class TestRegion:
    def test_every_field_runs_the_balance_asked_for(self, tmp_path):
        pytest.importorskip("geopandas")
        base = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
        layer = EXAMPLES / "district_fields.geojson"
        region = halosoil.region(base, layer, id="plot", salt_balance="conserving")
        # B2: QH1 0.006, irrigation factor 0.9, initial salinity of the first layer 6 (as the
        # region tests work it out from the layer's columns).
        project = halosoil.scenarios(base, qh1=[0.006], irrigation_factor=[0.9],
                                     initial_salinity_layer1=[6.0])[0]
        expected = halosoil.run(project, salt_balance="conserving")
        steps = region.steps.sel(field="B2")
        np.testing.assert_array_equal(steps["salinity_transition"].to_numpy(),
                                      expected.salinity["transition"])
        # The specified balance floors this field's transition zone; the conserving does not.
        assert (expected.salinity["transition"] > 1).all()
