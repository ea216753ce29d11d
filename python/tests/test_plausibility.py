"""Values no soil or climate can have are refused by check() and run() with the core's words,
as the batch runner refuses them in a file; what files hold and the batch runner runs, run()
runs too, to the same bytes. The window's panel refusals come only when asked for."""

import numpy as np
import pytest

import halosoil
from conftest import EXAMPLES, run_batch


def weekly():
    return halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")


def refusals(project):
    """The messages of check() and of run(), which must agree."""
    messages = []
    for call in (project.check, lambda: halosoil.run(project)):
        with pytest.raises(halosoil.InputError) as caught:
            call()
        messages.append(str(caught.value))
    assert messages[0] == messages[1]
    return messages[0]


def set_zone(name, zone, value):
    def change(project):
        getattr(project, name)[zone] = value
    return change


def set_step(name, step, value):
    def change(project):
        series = np.array(getattr(project, name), dtype=float)
        series[step - 1] = value
        setattr(project, name, series)
    return change


IMPLAUSIBLE = [
    (set_zone("total_porosity", "aquifer", 300.0),
     "The total porosity of the aquifer is 300 %. It must lie between 0 and 100 %."),
    (set_zone("effective_porosity", "layer2", 45.0),
     "The effective porosity of the 2nd layer is 45 %. It cannot be greater than the total "
     "porosity of 44 %."),
    (set_zone("thickness", "transition", -1.5),
     "The thickness of the transition zone is -1.5 m. It cannot be negative."),
    (set_zone("leaching_efficiency", "layer1", 150.0),
     "The leaching efficiency of the 1st layer is 150 %. It must lie between 0 and 100 %."),
    (set_zone("initial_salinity", "layer3", -0.5),
     "The initial salinity of the 3rd layer is -0.5 dS/m. It cannot be negative."),
    (lambda p: setattr(p, "qh1", -0.03),
     "The drainage reaction factor QH1 is -0.03 m/day per m. It cannot be negative."),
    (set_step("rain", 3, -5.0),
     "The rainfall of time step 3 is -5 mm per time step. It cannot be negative."),
    (set_step("irrigation", 52, -1.0),
     "The irrigation of time step 52 is -1 mm per time step. It cannot be negative."),
    (set_step("evaporation", 1, -20.0),
     "The evaporation of time step 1 is -20 mm per time step. It cannot be negative."),
    (set_step("irrigation_salinity", 7, -1.1),
     "The irrigation salinity of time step 7 is -1.1 dS/m. It cannot be negative."),
]


@pytest.mark.parametrize("change, message", IMPLAUSIBLE)
def test_implausible_values_are_refused_naming_what_and_where(change, message):
    project = weekly()
    change(project)
    assert refusals(project) == message
    with pytest.raises(halosoil.InputError, match="^" + message.replace(".", r"\.")):
        project.input_text("x.inp")


def test_what_files_hold_passes():
    project = weekly()
    project.water_table_depth = -0.2  # ponding
    project.step_length = 10  # a hand-edited step length
    project.leaching_efficiency = dict(project.leaching_efficiency, transition=0.0, aquifer=0.0)
    project.check()
    assert halosoil.run(project).steps == 52


def test_the_batch_runner_refuses_a_file_with_an_implausible_value(tmp_path):
    text = (EXAMPLES / "one_layer_monthly.inp").read_bytes()
    damaged = text.replace(b"         3        30.00", b"         3       -30.00", 1)
    assert damaged != text
    path = tmp_path / "wet.inp"
    path.write_bytes(damaged)
    status, errors = run_batch("run", path)
    assert status == 1
    assert errors == (f"{path}: The rainfall of time step 3 is -30 mm per time step. "
                      "It cannot be negative.\n")
    assert not path.with_suffix(".out").exists()
    assert refusals(halosoil.read_input(path)) == (
        "The rainfall of time step 3 is -30 mm per time step. It cannot be negative.")


class TestDrainBelowTheTransitionZone:
    """A drain deeper than the root and transition zones, which the drainage panel refuses but
    a file may hold."""

    @pytest.fixture
    def deep(self, tmp_path):
        text = (EXAMPLES / "three_layers_weekly_drained.inp").read_bytes()
        damaged = text.replace(b" Depth subsurf. drains(m) :    1.50",
                               b" Depth subsurf. drains(m) :    3.00", 1)
        assert damaged != text
        path = tmp_path / "deep.inp"
        path.write_bytes(damaged)
        return path

    @pytest.mark.parametrize("refine", [False, True])
    def test_runs_to_the_batch_runners_bytes(self, deep, refine):
        status, errors = run_batch("run", *(["--refine"] if refine else []), deep)
        assert status == 0, errors
        expected = deep.with_suffix(".out").read_bytes()
        deep.with_suffix(".out").unlink()
        project = halosoil.read_input(deep)
        assert project.drain_depth == 3.0
        halosoil.run(project, refine=refine).write(deep.with_suffix(".out"))
        assert deep.with_suffix(".out").read_bytes() == expected

    def test_the_panels_refusal_only_when_asked_for(self, deep):
        project = halosoil.read_input(deep)
        assert project.check() is None
        with pytest.raises(halosoil.InputError) as caught:
            project.check(panels=True)
        assert str(caught.value) == (
            "The drain depth must be less than the total thickness of the root zone plus "
            "transition zone. Reduce the drain depth or enlarge the transition zone thickness.")
        assert halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp").check(
            panels=True) is None


def test_the_panels_limits_of_the_conditions_only_when_asked_for():
    project = weekly()
    project.soil_moisture = 10.0  # below the conditions panel's 20 %
    project.check()
    with pytest.raises(halosoil.InputError) as caught:
        project.check(panels=True)
    assert str(caught.value) == (
        "The initial soil moisture content is 10 %. It must lie between 20 and 100 %.")
    project.soil_moisture = 120.0  # beyond what a soil holds: refused either way
    assert refusals(project) == (
        "The initial soil moisture content is 120 %. It must lie between 0 and 100 %.")


@pytest.mark.parametrize("command", ["calibrate", "ensemble"])
def test_the_batch_runners_studies_refuse_the_file_as_its_run_does(command, tmp_path):
    text = (EXAMPLES / "one_layer_monthly.inp").read_bytes()
    path = tmp_path / "wet.inp"
    path.write_bytes(text.replace(b"         3        30.00", b"         3       -30.00", 1))
    arguments = {"calibrate": ["--parameter", "groundwater_inflow=0:2"],
                 "ensemble": ["--parameter", "groundwater_inflow=uniform:0:2", "--members", "8"]}
    status, errors = run_batch(command, path, *arguments[command])
    assert status == 1, errors
    assert errors == (f"{path}: The rainfall of time step 3 is -30 mm per time step. "
                      "It cannot be negative.\n")
