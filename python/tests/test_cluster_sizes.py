"""A sweep of long projects on a Dask cluster sends no object so large that Dask warns of it:
the series the projects share cross once, and each task carries a bounded share of the rest."""

import warnings

import distributed
import numpy as np
import pytest

import halosoil
from halosoil import _study
from conftest import EXAMPLES


def long_daily(seasons=10):
    season = halosoil.read_input(EXAMPLES / "two_layers_daily.inp")
    project = season.copy()
    project.steps = 120 * seasons
    for name in ("rain", "irrigation", "evaporation", "irrigation_salinity"):
        setattr(project, name, np.tile(getattr(season, name), seasons))
    project.measured_salinity = {zone: np.full(project.steps, np.nan) for zone in project.zones}
    return project


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        yield client


# 1,000 projects of 1,200 days, each with an irrigation series of its own (9.6 kB): on two
# workers a chunk holds 125 of them, 1.2 MB in one task.
@pytest.fixture(scope="module")
def projects():
    return halosoil.scenarios(long_daily(), irrigation_factor=list(np.linspace(0.8, 1.2, 1000)))


def test_a_long_sweep_on_a_cluster_gives_no_warning(client, projects):
    expected = halosoil.sweep(projects[:3], progress=False)
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        warnings.simplefilter("ignore", halosoil.SaltBalanceWarning)
        results = halosoil.sweep(projects, client=client, progress=False)
    assert len(results) == len(projects)
    for got, want in zip(results[:3], expected):
        np.testing.assert_array_equal(got.salinity["transition"], want.salinity["transition"])


def test_a_chunk_whole_in_its_task_is_what_dask_warns_of(client, projects, monkeypatch):
    # Without the bound on a task's bytes the same sweep sends chunks Dask finds too large.
    monkeypatch.setattr(_study, "_TASK_BYTES", 10**12)
    with pytest.warns(UserWarning, match="Large object"):
        halosoil.sweep(projects, client=client, progress=False)
