"""One unit per quantity: efficiencies and coefficients of determination in percent in
results as in projects, from a run and from an output file alike."""

import pytest

import halosoil
from conftest import EXAMPLES


def test_a_runs_efficiencies_are_the_projects_percentages():
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    result = halosoil.run(project)
    assert set(result.leaching_efficiency) == set(project.zones)
    for zone, given in project.leaching_efficiency.items():
        # 100 x (given / 100), as the run itself restores the record: up to the last digit.
        assert result.leaching_efficiency[zone] == pytest.approx(given, rel=1e-15)
        assert not result.optimised[zone]


def test_an_optimised_run_gives_efficiencies_and_fits_in_percent(tmp_path):
    project = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
    result = halosoil.run(project, optimise=True)
    assert result.optimised["layer1"]
    # An efficiency is a percentage of the leachate, the fit a percentage too.
    assert 1 < result.leaching_efficiency["layer1"] <= 100
    coefficient = result.coefficient_of_determination["layer1"]
    assert coefficient is not None and 1 < coefficient <= 100
    result.write(tmp_path / "optimised.out")
    (tmp_path / "optimised.inp").write_bytes(
        (EXAMPLES / "two_layers_yearly_drained.inp").read_bytes())
    back = halosoil.read_output(tmp_path / "optimised.out")
    # The file holds the efficiency as a fraction of two decimals and the fit in whole
    # percent: read back, whole percentages, within rounding of the run's.
    for zone in ("layer1", "layer2"):
        assert back.leaching_efficiency[zone] == round(back.leaching_efficiency[zone])
        assert back.leaching_efficiency[zone] == pytest.approx(
            result.leaching_efficiency[zone], abs=0.5)
        assert back.coefficient_of_determination[zone] == round(
            result.coefficient_of_determination[zone])


def test_an_output_files_fraction_reads_as_the_whole_percentage(tmp_path):
    # 0.07 x 100 is 7.000000000000001 in binary; the file's 0.07 stands for 7 %.
    project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    project.leaching_efficiency = dict(project.leaching_efficiency, layer1=7.0)
    project.write(tmp_path / "low.inp")
    halosoil.run(project).write(tmp_path / "low.out")
    assert b"0.07" in (tmp_path / "low.out").read_bytes()
    assert halosoil.read_output(tmp_path / "low.out").leaching_efficiency["layer1"] == 7.0
