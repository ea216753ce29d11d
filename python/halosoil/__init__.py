"""Halosoil for Python: the water table and soil salinity of irrigated land, on the engine of
the Halosoil program.

    import halosoil
    project = halosoil.read_input("field.inp")
    result = halosoil.run(project, refine=True)
    result.to_dataframe()

Projects are read, built, checked and written (``read_input``, ``Project``); runs return
numpy arrays (``run``, ``Result``, ``read_output``) and run exactly what ``halosoil-batch run``
runs, to the same bytes (``Project.check(panels=True)`` adds the window's panel refusals);
studies run many projects over the machine's cores or a Dask cluster (``scenarios``,
``sweep``, ``tabulate``, ``to_dataset``).

Units are those of the program's files, in projects and results alike: depths and
thicknesses in m, water in mm per time step, groundwater flows in mm/day, salinities in dS/m,
porosities, moisture and efficiencies in percent. Observations of the field
(``read_observations``) calibrate a project's parameters jointly (``calibrate``,
``Calibration``); ``sensitivity`` tells which parameters matter for a result, and
``ensemble`` (``Ensemble``, ``bands``) gives prediction bands for uncertain parameters.

A crop's salt tolerance (``crops``) turns a run's salinity into its relative yield per step
(``Result.relative_yield``); ``leaching_requirement`` gives the water that must pass the
root zone, and ``drainage_factors`` and ``drain_spacing`` the drainage reaction factors of
drains in physical terms (Hooghoudt).

A station's daily weather (``read_weather``: a CSV file, or the nearest cell of a gridded
dataset) gives reference evapotranspiration by FAO-56 (``et0``), climate-change scenarios
(``delta_change``) and the rain and evaporation of the project's time steps (``to_steps``,
``Project.apply_weather``).

Every field of a GIS layer runs as a project of its own (``read_fields``, ``region``,
``Region``), its results a GeoPackage and an xarray Dataset of its steps.
"""

from . import _core
from ._calibration import Calibration, calibrate
from ._decisions import (ECE_FACTOR, Design, crops, design, drain_spacing, drainage_factors,
                         leaching_requirement)
from ._ensemble import Ensemble, bands, ensemble
from ._errors import (ClusterError, Error, FileError, InputError, SaltBalanceWarning,
                      WaterTableBelowAquifer)
from ._observations import read_observations
from ._project import Project, read_input
from ._region import Region, read_fields, region, region_scenarios
from ._result import Result, read_output, run
from ._sensitivity import sensitivity
from ._study import scenarios, sweep, tabulate, to_dataset
from ._weather import et0, read_weather
from ._weather_steps import delta_change, to_steps
from ._zones import ZONE_KEYS

#: The program's version, as ``halosoil-batch --version`` gives it.
__version__: str = _core.version

__all__ = [
    "__version__",
    "Error",
    "InputError",
    "FileError",
    "WaterTableBelowAquifer",
    "SaltBalanceWarning",
    "ClusterError",
    "Project",
    "read_input",
    "Result",
    "run",
    "read_output",
    "sweep",
    "scenarios",
    "tabulate",
    "to_dataset",
    "read_observations",
    "calibrate",
    "Calibration",
    "sensitivity",
    "ensemble",
    "Ensemble",
    "bands",
    "read_weather",
    "et0",
    "delta_change",
    "to_steps",
    "read_fields",
    "region",
    "region_scenarios",
    "Region",
    "ZONE_KEYS",
    "crops",
    "leaching_requirement",
    "drainage_factors",
    "drain_spacing",
    "ECE_FACTOR",
    "design",
    "Design",
]
