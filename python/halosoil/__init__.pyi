# Type stub of the halosoil package: what scripts may rely on.
import datetime
import os
from typing import Any, Iterable, Mapping, Optional, Sequence, Union

import numpy as np
import numpy.typing as npt
import pandas
import xarray

_Path = Union[str, os.PathLike[str]]
_Series = npt.NDArray[np.float64]

__version__: str
ZONE_KEYS: tuple[str, ...]
ECE_FACTOR: float

# A crop: its name in the table, "threshold=T,slope=B", or {'threshold': T, 'slope': B}.
_Crop = Union[str, Mapping[str, float]]

# Kc: a number, by month (a dict {month: kc}, a Series indexed 1..12, 12 values) or per step.
_Kc = Union[float, Mapping[int, float], pandas.Series, Sequence[float]]
_Day = Union[None, str, datetime.date, pandas.Timestamp]

class Error(Exception): ...
class InputError(Error, ValueError): ...
class FileError(OSError): ...  # a file the core could not read or write

class ClusterError(Error, RuntimeError): ...

class SaltBalanceWarning(UserWarning): ...

class WaterTableBelowAquifer(Error):
    step: int
    def __init__(self, message: str, step: int) -> None: ...

class Project:
    title1: str
    title2: str
    steps: int
    step_length: int
    layers: int
    drains: bool
    drain_depth: float
    qh1: float
    qh2: float
    irrigation_water_salinity: float
    water_table_depth: float
    critical_depth: float
    soil_moisture: float
    irrigation_efficiency: float
    groundwater_inflow: float
    groundwater_outflow: float
    inflow_salinity: float
    thickness: dict[str, float]
    total_porosity: dict[str, float]
    effective_porosity: dict[str, float]
    leaching_efficiency: dict[str, float]
    initial_salinity: dict[str, float]
    rain: _Series
    irrigation: _Series
    evaporation: _Series
    irrigation_salinity: _Series
    measured_salinity: dict[str, _Series]
    file_name: str
    label: dict[str, Any]
    def __init__(self, *, steps: int = ..., step_length: int = ..., layers: int = ...,
                 **values: Any) -> None: ...
    @property
    def zones(self) -> tuple[str, ...]: ...
    def copy(self) -> Project: ...
    def check(self, panels: bool = ...) -> None: ...
    def write(self, path: _Path) -> None: ...
    def input_text(self, path: Optional[_Path] = ...) -> bytes: ...
    def apply_weather(self, weather: pandas.DataFrame, *, latitude: float, elevation: float,
                      kc: _Kc = ..., start: _Day = ..., steps: Optional[int] = ...,
                      wind_height: float = ..., method: str = ..., coastal: bool = ...,
                      fill: Optional[str] = ..., max_gap: int = ...) -> Project: ...

class Result:
    title1: str
    title2: str
    steps: int
    step_length: int
    layers: int
    percolation: _Series
    capillary_rise: _Series
    actual_evaporation: _Series
    drainage: _Series
    water_table_depth: _Series
    # Deprecated: the older name of water_table_depth; reading it warns.
    depth_water_table: _Series
    salinity: dict[str, _Series]
    qh1_used: Optional[float]
    qh1_refined: bool
    refine_chosen: bool
    leaching_efficiency: dict[str, Optional[float]]
    optimised: dict[str, Optional[bool]]
    coefficient_of_determination: dict[str, Optional[float]]
    label: dict[str, Any]
    def write(self, path: _Path) -> None: ...
    def output_text(self, path: _Path) -> bytes: ...
    def to_dataframe(self) -> pandas.DataFrame: ...
    def summary(self) -> dict[str, float]: ...
    def salt_budget(self) -> pandas.DataFrame: ...
    def relative_yield(self, crop: _Crop, ece_factor: float = ...,
                       project: Optional[Project] = ...,
                       crops: Optional[_Path] = ...) -> pandas.DataFrame: ...

def read_input(path: _Path) -> Project: ...
def read_output(path: _Path) -> Result: ...
def run(project: Project, refine: bool = ..., optimise: bool = ..., *,
        threads: int = ..., salt_balance: str = ...) -> Result: ...
def sweep(projects: Iterable[Project], refine: bool = ..., optimise: bool = ...,
          client: Optional[Any] = ..., progress: bool = ...,
          chunk_size: Optional[int] = ...,
          salt_balance: str = ...) -> list[Union[Result, Exception]]: ...
def scenarios(base: Project, **variations: Sequence[Any]) -> list[Project]: ...
def tabulate(results: Sequence[Union[Result, Exception]],
             projects: Optional[Sequence[Project]] = ...) -> pandas.DataFrame: ...
def to_dataset(results: Sequence[Union[Result, Exception]],
               projects: Optional[Sequence[Project]] = ...) -> xarray.Dataset: ...

def read_observations(path: _Path, project: Optional[Project] = ...) -> pandas.DataFrame: ...

_Observations = Union[None, _Path, pandas.DataFrame]

class Calibration:
    project: Project
    parameters: pandas.DataFrame
    fit: pandas.DataFrame
    correlation: pandas.DataFrame
    result: Optional[Result]
    warnings: list[str]
    objective: dict[str, float]
    runs: int
    seconds: float
    def to_json(self) -> str: ...
    def save(self, path: _Path) -> None: ...

def calibrate(project: Project, observations: _Observations = ...,
              parameters: Optional[Mapping[str, tuple[float, float]]] = ...,
              weights: Optional[Mapping[str, float]] = ..., seed: int = ...,
              client: Optional[Any] = ..., threads: int = ...,
              salt_balance: str = ...) -> Calibration: ...

def sensitivity(project: Project,
                parameters: Optional[Mapping[str, tuple[float, float]]] = ...,
                targets: Sequence[str] = ..., method: str = ..., samples: Optional[int] = ...,
                seed: int = ..., observations: _Observations = ...,
                weights: Optional[Mapping[str, float]] = ..., client: Optional[Any] = ...,
                threads: int = ..., members_per_task: int = ...,
                salt_balance: str = ...) -> pandas.DataFrame: ...

class Ensemble:
    dataset: xarray.Dataset
    stopped: int
    refused: int
    refusals: dict[int, str]
    def bands(self) -> pandas.DataFrame: ...

def ensemble(project: Project, parameters: Optional[Mapping[str, tuple[Any, ...]]] = ...,
             from_calibration: Union[None, Calibration, _Path] = ..., members: int = ...,
             seed: int = ..., design: str = ...,
             thresholds: Optional[Mapping[str, tuple[str, float]]] = ...,
             client: Optional[Any] = ..., threads: int = ...,
             members_per_task: int = ..., salt_balance: str = ...) -> Ensemble: ...

def bands(dataset: xarray.Dataset) -> pandas.DataFrame: ...

def read_weather(source: Union[_Path, xarray.Dataset], *, latitude: Optional[float] = ...,
                 longitude: Optional[float] = ...,
                 variables: Optional[Mapping[str, str]] = ...) -> pandas.DataFrame: ...

def et0(weather: pandas.DataFrame, *, latitude: float, elevation: float,
        wind_height: float = ..., method: str = ..., coastal: bool = ...,
        fill: Optional[str] = ..., max_gap: int = ...) -> pandas.Series: ...

def delta_change(weather: pandas.DataFrame, *, monthly: Optional[pandas.DataFrame] = ...,
                 **changes: Union[float, str]) -> pandas.DataFrame: ...

def to_steps(weather: pandas.DataFrame, project: Union[Project, str, int], *, latitude: float,
             elevation: float, kc: _Kc = ..., start: _Day = ..., steps: Optional[int] = ...,
             wind_height: float = ..., method: str = ..., coastal: bool = ...,
             fill: Optional[str] = ..., max_gap: int = ...) -> pandas.DataFrame: ...

def read_fields(path: _Path, layer: Optional[str] = ...) -> Any: ...

class Region:
    fields: Any  # geopandas.GeoDataFrame
    steps: xarray.Dataset
    neighbours: Optional[pandas.DataFrame]
    summary: dict[str, Any]
    def save(self, path: _Path) -> None: ...
    def plot(self, quantity: str, statistic: str = ..., **keywords: Any) -> Any: ...

def region(base: Project, fields: Any, refine: bool = ..., optimise: bool = ..., *,
           layer: Optional[str] = ..., id: Optional[str] = ..., fill: Optional[str] = ...,
           max_gap: int = ..., client: Any = ..., fields_per_task: int = ...,
           threads: int = ..., exchange: bool = ..., crop: Any = ...,
           ece_factor: float = ..., crops: Any = ..., salt_balance: str = ...) -> Region: ...
def region_scenarios(bases: Sequence[Project], fields: Any, *, layer: Optional[str] = ...,
                     id: Optional[str] = ..., fill: Optional[str] = ..., max_gap: int = ...,
                     client: Any = ..., threads: int = ...,
                     exchange: bool = ...) -> list[Region]: ...

def crops(path: Optional[_Path] = ...) -> pandas.DataFrame: ...
def leaching_requirement(irrigation_salinity: Union[float, Sequence[float], _Series],
                         threshold: Union[float, _Crop]) -> Union[float, _Series]: ...
def drainage_factors(spacing: float, k_above: float, k_below: float, impervious: float,
                     radius: float) -> dict[str, float]: ...
def drain_spacing(qh1: float, k_above: float, k_below: float, impervious: float,
                  radius: float) -> float: ...


class Design:
    controls: pandas.DataFrame
    summary: pandas.Series
    active_constraints: list[str]
    project: Project
    report: dict[str, Any]
    @property
    def feasible(self) -> bool: ...
    def to_json(self) -> str: ...


def design(project: Project, crop: _Crop, controls: Mapping[str, tuple[float, float]],
           require: str, probability: Optional[float] = ...,
           parameters: Optional[Mapping[str, tuple[Any, ...]]] = ..., from_calibration: Any = ...,
           members: int = ..., minimise: str = ..., seed: int = ..., ece_factor: float = ...,
           drain_soil: Optional[Mapping[str, float]] = ..., crops: Optional[_Path] = ...,
           threads: int = ...) -> Design: ...
