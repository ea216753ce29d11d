"""Runs through the package give the batch runner's output files, and read back into the
same numbers."""

import numpy as np
import pytest

import halosoil
from conftest import example_files, run_batch

ANSWERS = [(False, False), (True, False), (False, True), (True, True)]

# Decimals of the output file's columns.
SERIES_DECIMALS = {"percolation": 1, "capillary_rise": 1, "actual_evaporation": 1,
                   "drainage": 1, "water_table_depth": 2}
SALINITY_DECIMALS = 2


@pytest.mark.parametrize("refine, optimise", ANSWERS)
@pytest.mark.parametrize("example", [path.name for path in example_files()])
def test_run_writes_the_bytes_of_the_batch_runner(example, refine, optimise, example_copy):
    input_path = example_copy(example)
    output_path = input_path.with_suffix(".out")
    flags = [flag for flag, chosen in (("--refine", refine), ("--optimise", optimise)) if chosen]
    status, errors = run_batch("run", *flags, input_path)
    assert status == 0, errors
    expected = output_path.read_bytes()
    output_path.unlink()

    result = halosoil.run(halosoil.read_input(input_path), refine=refine, optimise=optimise)
    result.write(str(output_path))
    assert output_path.read_bytes() == expected

    back = halosoil.read_output(output_path)
    assert (back.title1, back.title2) == (result.title1, result.title2)
    assert (back.steps, back.step_length, back.layers) == (
        result.steps, result.step_length, result.layers)
    for name, decimals in SERIES_DECIMALS.items():
        assert len(getattr(result, name)) == result.steps
        np.testing.assert_allclose(getattr(back, name), getattr(result, name),
                                   rtol=0, atol=0.5 * 10.0 ** -decimals + 1e-9, err_msg=name)
    assert set(back.salinity) == set(result.salinity)
    for zone in result.salinity:
        np.testing.assert_allclose(back.salinity[zone], result.salinity[zone], rtol=0,
                                   atol=0.5 * 10.0 ** -SALINITY_DECIMALS + 1e-9, err_msg=zone)
    # The header: QH1 with three decimals, efficiencies as fractions with two decimals (so
    # whole percent), coefficients in whole percent.
    assert back.refine_chosen == refine
    if refine:
        assert back.qh1_refined == result.qh1_refined
        assert back.qh1_used == pytest.approx(result.qh1_used, abs=0.0005 + 1e-12)
    else:
        assert back.qh1_used is None
    for zone, efficiency in back.leaching_efficiency.items():
        if efficiency is None:
            continue
        assert efficiency == pytest.approx(result.leaching_efficiency[zone], abs=0.5 + 1e-9)
        coefficient = result.coefficient_of_determination[zone]
        if coefficient is None:
            assert back.coefficient_of_determination[zone] is None
        else:
            assert back.optimised[zone] == result.optimised[zone]
            assert back.coefficient_of_determination[zone] == pytest.approx(
                coefficient, abs=0.5 + 1e-9)


def test_optimisation_changes_the_efficiencies_of_zones_with_four_measurements():
    # The yearly example measures layer 1 in 11 years and layer 2 in 10; the transition zone
    # and the aquifer never.
    project = halosoil.read_input(example_files()[0].parent / "two_layers_yearly_drained.inp")
    given = halosoil.run(project)
    optimised = halosoil.run(project, optimise=True)
    # In percent, as the project gives it.
    assert project.leaching_efficiency["layer1"] == 75
    assert given.leaching_efficiency["layer1"] == pytest.approx(75)
    assert given.optimised == {"layer1": False, "layer2": False, "transition": False,
                               "aquifer": False}
    assert optimised.optimised["layer1"] and optimised.optimised["layer2"]
    assert not optimised.optimised["transition"] and not optimised.optimised["aquifer"]
    assert optimised.coefficient_of_determination["transition"] is None


def test_a_water_table_below_the_aquifer_raises_with_its_step(example_copy):
    input_path = example_copy("one_layer_monthly.inp")
    project = halosoil.read_input(input_path)
    project.groundwater_outflow = 500.0
    project.write(input_path)
    status, errors = run_batch("run", input_path)
    assert status == 3
    with pytest.raises(halosoil.WaterTableBelowAquifer) as raised:
        halosoil.run(project)
    assert str(raised.value) == ("The water table is below the bottom of the aquifer. "
                                 "Calculations stopped.  Please adjust data.")
    assert 1 <= raised.value.step <= project.steps
    # Cut to the step that stopped, the project stops there again; one step shorter, it runs.
    for steps in (raised.value.step, raised.value.step - 1):
        shorter = project.copy()
        shorter.steps = steps
        for name in ("rain", "irrigation", "evaporation", "irrigation_salinity"):
            setattr(shorter, name, getattr(project, name)[:steps])
        shorter.measured_salinity = {zone: series[:steps]
                                     for zone, series in project.measured_salinity.items()}
        if steps == raised.value.step:
            with pytest.raises(halosoil.WaterTableBelowAquifer) as again:
                halosoil.run(shorter)
            assert again.value.step == steps
        elif steps >= 1:
            assert halosoil.run(shorter).steps == steps


def test_to_dataframe_is_indexed_by_step():
    result = halosoil.run(halosoil.read_input(example_files()[0].parent / "one_layer_monthly.inp"))
    frame = result.to_dataframe()
    assert list(frame.index) == list(range(1, result.steps + 1))
    assert frame.index.name == "step"
    assert list(frame.columns) == ["percolation", "capillary_rise", "actual_evaporation",
                                   "drainage", "water_table_depth", "salinity_layer1",
                                   "salinity_transition", "salinity_aquifer"]
    assert frame.loc[result.steps, "water_table_depth"] == result.water_table_depth[-1]


def test_every_per_step_attribute_is_a_bare_array_from_step_1_as_documented():
    result = halosoil.run(halosoil.read_input(example_files()[0].parent / "two_layers_daily.inp"))
    frame = result.to_dataframe()
    columns = {"percolation": result.percolation, "drainage": result.drainage,
               "capillary_rise": result.capillary_rise,
               "actual_evaporation": result.actual_evaporation,
               "water_table_depth": result.water_table_depth,
               **{f"salinity_{zone}": series for zone, series in result.salinity.items()}}
    for name, series in columns.items():
        assert type(series) is np.ndarray and series.shape == (result.steps,), name
        # Element 0 is the row of step 1, the last element the row of the last step.
        assert series[0] == frame.loc[1, name] and series[-1] == frame.loc[result.steps, name]
    for name in ("percolation", "water_table_depth", "salinity"):
        assert f"{name} : " in halosoil.Result.__doc__
    assert halosoil.Result.__doc__.count("a bare array (no index), element 0 for step 1") == 6


def test_reading_a_missing_output_file_is_pythons_file_not_found(tmp_path):
    with pytest.raises(FileNotFoundError):
        halosoil.read_output(tmp_path / "none.out")
