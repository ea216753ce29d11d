"""A study's results as tables, and what the reprs of projects and results show."""

import numpy as np

import halosoil
from conftest import EXAMPLES


def study():
    base = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
    base.thickness["aquifer"] = 0.5
    projects = halosoil.scenarios(base, irrigation_factor=[0.8, 1.2],
                                  groundwater_outflow=[0.5, 40.0])
    return projects, halosoil.sweep(projects, progress=False)


def test_the_results_tabulate_with_labels_summaries_and_the_errors_of_failed_projects():
    projects, results = study()
    table = halosoil.tabulate(results)
    assert list(table["irrigation_factor"]) == [0.8, 0.8, 1.2, 1.2]
    assert list(table["groundwater_outflow"]) == [0.5, 40.0, 0.5, 40.0]
    # An outflow of 40 mm/day empties the thin aquifer: those runs stop early.
    failed = [isinstance(r, halosoil.WaterTableBelowAquifer) for r in results]
    assert failed == [False, True, False, True]
    assert table["error"][1] == str(results[1]) and table["error"][1] != ""
    assert table["error"][0] == ""
    first = results[0]
    assert table["final_salinity_layer1"][0] == first.salinity["layer1"][-1]
    assert table["max_water_table_depth"][0] == np.max(first.water_table_depth)
    assert table["total_drainage"][0] == np.sum(first.drainage)
    assert np.isnan(table["final_salinity_layer1"][1])
    assert list(halosoil.tabulate(results, projects)["groundwater_outflow"]) == [0.5, 40.0, 0.5, 40.0]


def test_the_per_step_results_form_a_dataset_of_scenario_and_step():
    _, results = study()
    data = halosoil.to_dataset(results)
    assert data.sizes == {"scenario": 4, "step": 15}
    assert list(data["step"].values) == list(range(1, 16))
    np.testing.assert_array_equal(data["salinity_layer2"].values[2], results[2].salinity["layer2"])
    np.testing.assert_array_equal(data["drainage"].values[0], results[0].drainage)
    assert np.isnan(data["drainage"].values[1]).all()
    assert data["error"].values[0] == "" and data["error"].values[1] != ""
    assert list(data["irrigation_factor"].values) == [0.8, 0.8, 1.2, 1.2]


def test_reprs_show_what_matters():
    project = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
    assert repr(project).startswith(f"Project({project.title1!r}, 15 steps of 360 day(s), "
                                    "2 root-zone layer(s), drains at ")
    assert "layer2" in project._repr_html_()
    result = halosoil.run(project)
    depth = np.asarray(result.water_table_depth)
    assert (f"water table {depth.min():.2f} to {depth.max():.2f} m" in repr(result))
    assert f"layer1 {result.salinity['layer1'][-1]:.2f}" in repr(result)
    summary = result.summary()
    assert summary["mean_salinity_aquifer"] == np.mean(result.salinity["aquifer"])
    assert "final salinity layer1" in result._repr_html_()


def test_a_studys_dataset_carries_units_and_is_selected_by_its_factors():
    base = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
    projects = halosoil.scenarios(base, irrigation_factor=[0.8, 1.0, 1.2],
                                  leaching_efficiency_layer1=[60, 70])
    results = halosoil.sweep(projects, progress=False)
    dataset = halosoil.to_dataset(results)
    assert dataset["drainage"].attrs["units"] == "mm per time step"
    assert dataset["water_table_depth"].attrs["units"] == "m"
    assert dataset["salinity_layer1"].attrs["units"] == "dS/m"
    chosen = dataset.sel(irrigation_factor=1.0)
    assert list(chosen["leaching_efficiency_layer1"].values) == [60, 70]
    # The scenario of factor 1.0 and efficiency 70 is the fourth of the design.
    np.testing.assert_array_equal(
        chosen["salinity_layer1"].values[1], results[3].salinity["layer1"])
    # The six scenarios stay six when the factors make the dimensions.
    grid = dataset.set_index(scenario=["irrigation_factor", "leaching_efficiency_layer1"]) \
        .unstack("scenario")
    assert grid.sizes["irrigation_factor"] == 3 and grid.sizes["leaching_efficiency_layer1"] == 2
    assert int(np.isfinite(grid["drainage"].isel(step=0)).sum()) == 6
