"""Ctrl-C reaches a script in the middle of a long study: a SIGINT sent from a timer ends the
sweep, the calibration, the sensitivity analysis and the ensemble with KeyboardInterrupt, long
before they would have ended, and the package runs as before afterwards."""

import os
import signal
import threading
import time

import numpy as np
import pandas  # noqa: F401 - imported here, so that no signal falls into its first import
import pytest

import halosoil
from conftest import EXAMPLES


WEEKLY_OBSERVATIONS = EXAMPLES / "three_layers_weekly_drained_observations.csv"


def weekly_over(years):
    """The weekly example over the years, its weather repeated."""
    project = halosoil.read_input(EXAMPLES / "three_layers_weekly_drained.inp")
    steps = project.steps
    project.steps = steps * years
    for name in ("rain", "irrigation", "evaporation", "irrigation_salinity"):
        setattr(project, name, np.tile(getattr(project, name), years))
    project.measured_salinity = {
        zone: np.concatenate([series, np.full(steps * (years - 1), np.nan)])
        for zone, series in project.measured_salinity.items()}
    return project


@pytest.fixture(scope="module")
def weekly():
    """Twenty years: each run is long enough for a study of a few hundred runs to outlast the
    timer."""
    return weekly_over(20)


def interrupted_after(seconds, study):
    """Runs study with a SIGINT to this process after seconds; how long it ran and whether
    the KeyboardInterrupt came out of it."""
    timer = threading.Timer(seconds, os.kill, (os.getpid(), signal.SIGINT))
    started = time.monotonic()
    timer.start()
    try:
        study()
    except KeyboardInterrupt:
        return time.monotonic() - started, True
    finally:
        timer.cancel()
    return time.monotonic() - started, False


def latency_of_interrupt(seconds, study):
    """Runs study with a SIGINT to this process after seconds; the time from the signal to
    the KeyboardInterrupt out of the study, None when the study ran to its end first."""
    sent = []

    def interrupt():
        sent.append(time.monotonic())
        os.kill(os.getpid(), signal.SIGINT)

    timer = threading.Timer(seconds, interrupt)
    timer.start()
    try:
        study()
    except KeyboardInterrupt:
        return time.monotonic() - sent[0]
    finally:
        timer.cancel()
    return None


STUDIES = {
    # The engine's loop over a sweep's chunk, its records made beforehand: the signal comes
    # while the engine runs, not while Python makes the records.
    "sweep": lambda p: halosoil._core.run_many([p._record()] * 1000, True, True, 0),
    "calibrate": lambda p: halosoil.calibrate(
        p, halosoil.read_observations(WEEKLY_OBSERVATIONS, p),
        {"qh1": (0.005, 0.05), "qh2": (0.001, 0.01), "leaching_efficiency_layer1": (40, 100),
         "leaching_efficiency_layer2": (40, 100), "groundwater_inflow": (0, 2),
         "groundwater_outflow": (0, 2)}),
    "sensitivity": lambda p: halosoil.sensitivity(
        p, {"qh1": (0.005, 0.05), "leaching_efficiency_layer1": (40, 100)},
        targets=["salinity_layer1:final"], samples=512),
    "ensemble": lambda p: halosoil.ensemble(
        p, {"qh1": ("uniform", 0.005, 0.05)}, members=2000),
}


@pytest.mark.parametrize("name", sorted(STUDIES))
def test_a_signal_ends_the_study_with_keyboard_interrupt(weekly, name):
    threads = threading.active_count()
    ran, interrupted = interrupted_after(0.5, lambda: STUDIES[name](weekly))
    assert interrupted, f"{name} ran to its end in {ran:.1f} s"
    assert threading.active_count() == threads
    # The package goes on as before: a run gives what it gave.
    again = halosoil.run(weekly)
    np.testing.assert_array_equal(again.water_table_depth,
                                  halosoil.run(weekly).water_table_depth)


# Under the address sanitizer (its runtime preloaded into the interpreter by the test) every
# page laid out or given back also writes its shadow and passes the quarantine, several times
# the work of a plain build: there the bound only tells an ensemble that looks at the signal
# between slices from one that lays out its gigabyte first (seconds even in a plain build).
SANITIZED = "asan" in os.environ.get("LD_PRELOAD", "")
ENSEMBLE_LATENCY = 1.5 if SANITIZED else 0.2


def test_a_large_ensemble_stops_within_a_fifth_of_a_second_of_the_signal():
    # 60,000 members of three years each: 60000 x 8 quantities x 156 steps x 8 bytes, 600 MB
    # of series laid out before the first run, then seconds of runs. A signal early falls
    # into the laying out, a later one between the members' groups; both end the study soon.
    project = weekly_over(3)
    threads = threading.active_count()
    for seconds in (0.3, 2.0):
        latency = latency_of_interrupt(seconds, lambda: halosoil.ensemble(
            project, {"qh1": ("uniform", 0.005, 0.05)}, members=60_000))
        assert latency is not None, "the ensemble ran to its end before the signal"
        assert latency < ENSEMBLE_LATENCY, \
            f"the ensemble stopped {latency:.3f} s after the signal"
        assert threading.active_count() == threads
    assert halosoil.ensemble(project, {"qh1": ("uniform", 0.005, 0.05)},
                             members=2).dataset.sizes["member"] == 2
