"""From salinity to decisions: the crop table, a run's relative yield and leaching
requirement, and Hooghoudt's drainage factors, with hand-worked figures."""

import math

import numpy as np
import pytest

import halosoil
from conftest import EXAMPLES


def test_the_crop_table_holds_the_published_figures():
    table = halosoil.crops()
    assert list(table.columns) == ["crop", "threshold", "slope", "class", "source"]
    assert len(table) >= 40
    rows = table.set_index("crop")
    # Maas and Hoffman's barley, cotton, wheat, maize and bean (FAO-29 Table 4).
    for crop, threshold, slope in [("barley", 8.0, 5.0), ("cotton", 7.7, 5.2),
                                   ("wheat", 6.0, 7.1), ("maize", 1.7, 12), ("bean", 1.0, 19)]:
        assert rows.loc[crop, "threshold"] == threshold
        assert rows.loc[crop, "slope"] == slope
    assert (table["source"] != "").all()


def test_a_table_of_ones_own_and_its_damage(tmp_path):
    own = tmp_path / "own.csv"
    own.write_text("crop,threshold,slope,class,source\nmillet,5.5,9,,trial\n")
    assert halosoil.crops(own)["crop"].tolist() == ["millet"]
    own.write_text("crop,threshold,slope\nrye,1l,2\n")
    with pytest.raises(halosoil.InputError, match=r"line 2: threshold '1l' is not a number"):
        halosoil.crops(own)
    with pytest.raises(FileNotFoundError):
        halosoil.crops(tmp_path / "none.csv")


def test_the_leaching_requirement_of_fao29():
    # Wheat (ECe_t 6.0), water of 1.2 dS/m: 1.2 / (30 - 1.2) = 0.0416667.
    assert halosoil.leaching_requirement(1.2, 6.0) == pytest.approx(0.0416667, abs=1e-7)
    assert halosoil.leaching_requirement(1.2, "wheat") == pytest.approx(0.0416667, abs=1e-7)
    # Beans (1.0) with water of 1.0: 1 / 4; water of 2.5 ECe_t cannot be leached to it.
    values = halosoil.leaching_requirement([1.0, 0.0, 2.5], 1.0)
    assert values[0] == 0.25 and values[1] == 0 and math.isnan(values[2])


def test_hooghoudts_factors_and_the_spacing_of_a_qh1():
    # D/L = 0.1: d = 5 / (1 + 0.1 (8/pi ln 50 - 3.4)) = 5 / 1.6561885 = 3.018980 m;
    # QH1 = 8 x 1 x 3.018980 / 2500 = 0.009660736; QH2 = 4 x 0.5 / 2500 = 0.0008.
    factors = halosoil.drainage_factors(50, k_above=0.5, k_below=1, impervious=5, radius=0.1)
    assert factors["equivalent_depth"] == pytest.approx(3.018980, abs=1e-6)
    assert factors["qh1"] == pytest.approx(0.009660736, abs=1e-9)
    assert factors["qh2"] == pytest.approx(0.0008)
    assert halosoil.drain_spacing(0.009660736, 0.5, 1, 5, 0.1) == pytest.approx(50, abs=1e-4)
    with pytest.raises(halosoil.InputError, match="--radius 0: it must be a number above 0"):
        halosoil.drainage_factors(50, 0.5, 1, 5, 0)


def test_a_runs_relative_yield_per_step(tmp_path):
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    result = halosoil.run(project)
    table = result.relative_yield("cotton")
    assert list(table.columns) == ["ece", "relative_yield", "leaching_requirement",
                                   "irrigation_needed"]
    assert table.index.tolist() == list(range(1, 53))
    # Step 1's layers of 0.2, 0.3 and 0.4 m hold 4.58, 6.02 and 6.54 dS/m (the salinity
    # table's two decimals): (0.916 + 1.806 + 2.616) / 0.9 x 0.5 = 2.9656. Water of 1.1 dS/m
    # for cotton: 1.1 / 37.4 = 0.029412; 12.8 mm / 0.970588 = 13.1879 mm.
    assert table.loc[1, "ece"] == pytest.approx(2.9656, abs=0.003)
    assert table.loc[1, "relative_yield"] == 100
    assert table.loc[1, "leaching_requirement"] == pytest.approx(0.029412, abs=1e-6)
    assert table.loc[1, "irrigation_needed"] == pytest.approx(13.1879, abs=1e-4)
    assert table.attrs["ece_factor"] == 0.5 and table.attrs["threshold"] == 7.7
    # A crop of its own, and another factor: ECe 0.6 / 0.5 times as high.
    own = result.relative_yield({"threshold": 2, "slope": 10}, ece_factor=0.6)
    assert own.loc[1, "ece"] == pytest.approx(table.loc[1, "ece"] * 1.2)
    assert own.loc[1, "relative_yield"] == pytest.approx(100 - 10 * (own.loc[1, "ece"] - 2))
    # The output file read back knows its project from the input file beside it.
    result.write(tmp_path / "field.out")
    project.write(tmp_path / "field.inp")
    again = halosoil.read_output(tmp_path / "field.out").relative_yield("cotton")
    assert np.allclose(again["ece"], table["ece"], atol=0.005)


def test_refusals_name_what_is_wrong():
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    result = halosoil.run(project)
    with pytest.raises(halosoil.InputError, match="Unknown crop 'whaet'; close names: wheat"):
        result.relative_yield("whaet")
    with pytest.raises(halosoil.InputError, match="must be a number above 0"):
        result.relative_yield("wheat", ece_factor=0)
    with pytest.raises(halosoil.InputError, match="a crop of its own is"):
        result.relative_yield({"threshold": 2})
    (swept,) = halosoil.sweep([project])
    with pytest.raises(halosoil.InputError, match="needs the project the result is of"):
        swept.relative_yield("wheat")
    assert swept.relative_yield("wheat", project=project).shape == (52, 4)


def test_a_design_is_the_least_water_that_meets_the_requirement():
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    found = halosoil.design(project, crop="bean", controls={"irrigation_factor": (0.3, 2)},
                            require="relative_yield>=99@final", minimise="irrigation")
    assert found.feasible
    factor = found.controls.loc["irrigation_factor", "value"]
    assert 0.3 < factor < 2
    assert found.active_constraints == ["relative_yield>=99@final"]
    assert found.report["controls"]["irrigation_factor"]["value"] == factor
    # The designed project meets it in its last week; with 1 % less water it does not.
    final = halosoil.run(found.project).relative_yield("bean")["relative_yield"].iloc[-1]
    assert final >= 99 - 1e-6
    less = project.copy()
    less.irrigation = np.asarray(project.irrigation) * factor * 0.99
    assert halosoil.run(less).relative_yield("bean")["relative_yield"].iloc[-1] < 99
    # The objective is the irrigation of every step, summed.
    assert found.summary["objective"] == pytest.approx(
        float(np.sum(project.irrigation)) * factor, rel=1e-9)


def test_a_design_with_a_probability_and_its_refusals():
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    found = halosoil.design(project, crop="bean", controls={"irrigation_factor": (0.3, 2)},
                            require="relative_yield>=75@final", probability=0.9,
                            parameters={"irrigation_salinity_factor": ("uniform", 1, 4)},
                            members=50, seed=1)
    assert found.feasible and found.summary["achieved_probability"] >= 0.9
    with pytest.raises(halosoil.InputError, match="a probability lies from 0 to 1"):
        halosoil.design(project, crop="bean", controls={"irrigation_factor": (0.3, 2)},
                        require="relative_yield>=75", probability=1.5,
                        parameters={"rain_factor": ("uniform", 0.5, 1)})
    with pytest.raises(halosoil.InputError, match="Unknown parameter 'water'"):
        halosoil.design(project, crop="bean", controls={"water": (0.3, 2)},
                        require="relative_yield>=75")
    with pytest.raises(halosoil.InputError, match="is not a quantity a requirement can be on"):
        halosoil.design(project, crop="bean", controls={"irrigation_factor": (0.3, 2)},
                        require="drainage>=75")


def test_a_design_on_a_cluster_is_the_design_found_here(dask_client):
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    settings = dict(crop="bean", controls={"irrigation_factor": (0.3, 2)},
                    require="relative_yield>=75@final", probability=0.9,
                    parameters={"irrigation_salinity_factor": ("uniform", 1, 4)},
                    members=30, seed=3)
    here = halosoil.design(project, **settings)
    there = halosoil.design(project, client=dask_client, members_per_task=7, **settings)
    # The same members and the same search: the same candidates, to the bit.
    assert there.controls["value"].tolist() == here.controls["value"].tolist()
    assert there.summary["objective"] == here.summary["objective"]
    assert there.summary["achieved_probability"] == here.summary["achieved_probability"]
    assert there.summary["runs"] == here.summary["runs"]
    with pytest.raises(halosoil.InputError, match="members_per_task must be 1 or more"):
        halosoil.design(project, client=dask_client, members_per_task=0, **settings)


def test_the_members_of_a_candidate_on_a_worker_are_those_run_here():
    # Two members of bean at the final step, the controls first: without the ensemble's
    # search the worker's part must give what a plain run of each member's project gives.
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    arguments = halosoil._core.DesignArguments(
        "bean", "", 0.5, ["irrigation_factor=0.3:2"], "relative_yield>=75@final", 0.9,
        ["irrigation_salinity_factor=uniform:1:4"], None, 2, 0, "irrigation", "")
    values = np.array([[1.0, 1.0], [1.5, 3.0]])
    statistics, goals = halosoil._core.design_members(project._record(), arguments, values)
    for (factor, salinity), statistic, goal in zip(values, statistics, goals):
        member = project.copy()
        member.irrigation = np.asarray(project.irrigation) * factor
        member.irrigation_salinity = np.asarray(project.irrigation_salinity) * salinity
        final = halosoil.run(member).relative_yield("bean")["relative_yield"].iloc[-1]
        assert statistic == pytest.approx(final, abs=1e-9)
        assert goal == pytest.approx(float(np.sum(member.irrigation)), rel=1e-12)
    from halosoil._errors import translated
    with pytest.raises(halosoil.InputError, match="not a whole number of rows of 2"):
        translated(halosoil._core.design_members, project._record(), arguments,
                   np.array([1.0, 2.0, 3.0]))
