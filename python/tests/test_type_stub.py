"""The package's type stub, written by the build from the core's tables of fields, says of
Project and Result what the classes hold; the zone keys come from the core."""

import ast
import pathlib

import halosoil
from halosoil import _core
from halosoil._zones import ZONE_NUMBERS, zones_of

from conftest import EXAMPLES

STUB = pathlib.Path(halosoil.__file__).with_name("__init__.pyi")

PROJECT_TYPES = {"text": "str", "whole": "int", "flag": "bool", "number": "float",
                 "zones": "dict[str, float]", "series": "_Series"}
RESULT_TYPES = {"series": "_Series", "zones": "dict[str, _Series]"}


def annotations(class_name):
    """The class's annotated attributes in the stub, in order: (name, annotation)."""
    tree = ast.parse(STUB.read_text(encoding="utf-8"))
    body = next(node for node in tree.body
                if isinstance(node, ast.ClassDef) and node.name == class_name).body
    return [(node.target.id, ast.unparse(node.annotation))
            for node in body if isinstance(node, ast.AnnAssign)]


def test_the_stub_has_no_placeholder_left():
    text = STUB.read_text(encoding="utf-8")
    for placeholder in ("@PROJECT_FIELDS@", "@RESULT_SERIES@", "@RESULT_ZONES@"):
        assert placeholder not in text


def test_the_projects_fields_stand_first_in_the_cores_order_and_types():
    fields = _core.project_fields()
    stubbed = annotations("Project")
    assert stubbed[:len(fields)] == [(name, PROJECT_TYPES[kind]) for name, kind, _, _ in fields]
    # What the package adds after them.
    assert [name for name, _ in stubbed[len(fields):]] == ["measured_salinity", "file_name",
                                                            "label"]


def test_the_results_series_and_salinities_are_the_cores():
    stubbed = dict(annotations("Result"))
    for name, kind, _, _ in _core.result_fields():
        assert stubbed.pop(name) == RESULT_TYPES[kind], name
    # The header, the deprecated name and the calibrations' values are the package's own.
    assert "depth_water_table" in stubbed and "qh1_used" in stubbed and "layers" in stubbed


def test_every_stubbed_field_is_an_attribute_of_a_project_and_a_result():
    project = halosoil.read_input(EXAMPLES / "two_layers_yearly_drained.inp")
    result = halosoil.run(project)
    for name, _ in annotations("Project"):
        assert hasattr(project, name), name
    for name, kind, _, _ in _core.result_fields():
        assert hasattr(result, name), name


def test_the_zone_keys_are_the_cores_top_down():
    assert halosoil.ZONE_KEYS == _core.zone_keys() == (
        "layer1", "layer2", "layer3", "transition", "aquifer")
    assert ZONE_NUMBERS == {"layer1": 1, "layer2": 2, "layer3": 3, "transition": 4, "aquifer": 5}
    assert zones_of(1) == ("layer1", "transition", "aquifer")
    assert zones_of(2) == ("layer1", "layer2", "transition", "aquifer")
    assert zones_of(3) == halosoil.ZONE_KEYS


def test_the_units_are_the_programmes():
    units = {name: unit for name, _, unit, _ in _core.project_fields()}
    assert units["qh1"] == "m/day per m"
    assert units["qh2"] == "m/day per m squared"
    assert units["rain"] == "mm per time step"
    results = {name: unit for name, _, unit, _ in _core.result_fields()}
    assert results["drainage"] == "mm per time step"
    assert results["water_table_depth"] == "m"
    assert results["salinity"] == "dS/m"
    quantities = {name: unit for name, unit, _ in _core.quantities()}
    assert quantities["drainage"] == "mm per time step"
