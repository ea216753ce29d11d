#!/usr/bin/python3
"""What the halosoil package adds to the engine, and how fast studies go.

    PYTHONPATH=build/release/python python3 python/bench/runs.py \
        [--engine-bench build/release/bench/example_run_bench] [--dask]

1. One run of each example project: halosoil.run against the engine's own time for the same
   run (bench/example_run_bench), and the difference, what the package adds. Processor time
   of the process, so that other work on the machine does not count.
2. sweep of 10,000 small projects (the monthly example's first year, the irrigation varied)
   on this machine's cores, in runs per second of wall-clock time, and the rate the
   processor time of the process would give on all cores.
3. With --dask, the same sweep on a LocalCluster of two single-threaded workers, and its rate
   as a share of the local one.

On a machine shared with other work, the least time of several repetitions is the one least
disturbed; rates are medians. This is a measurement, not a test.
"""

import argparse
import json
import os
import pathlib
import statistics
import subprocess
import time
import timeit

import numpy as np

import halosoil

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples"
NAMES = ["two_layers_yearly_drained", "one_layer_monthly", "three_layers_weekly_drained"]


def engine_times(program):
    """Microseconds of the engine's part of one run per example, from Google Benchmark."""
    if not program or not os.path.exists(program):
        return {}
    done = subprocess.run([program, "--benchmark_format=json", "--benchmark_repetitions=9"],
                          capture_output=True, text=True, check=True)
    times = {}
    for entry in json.loads(done.stdout)["benchmarks"]:
        if entry.get("run_type") == "iteration":
            name = entry["run_name"].split("/")[-1]
            times[name] = min(times.get(name, float("inf")), entry["cpu_time"])
    return times


def one_run(engine):
    print("One run (µs of processor time, the least of 9 repetitions):")
    print(f"  {'project':32} {'run()':>8} {'engine':>8} {'added':>8}")
    for name in NAMES:
        project = halosoil.read_input(EXAMPLES / f"{name}.inp")
        halosoil.run(project)
        timer = timeit.Timer(lambda: halosoil.run(project), timer=time.process_time)
        loops = 2000
        total = min(timer.timeit(loops) / loops * 1e6 for _ in range(9))
        if name in engine:
            print(f"  {name:32} {total:8.1f} {engine[name]:8.1f} {total - engine[name]:8.1f}")
        else:
            print(f"  {name:32} {total:8.1f}")


def small_projects(count):
    base = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
    base.steps = 12
    for name in ("rain", "irrigation", "evaporation", "irrigation_salinity"):
        setattr(base, name, getattr(base, name)[:12])
    base.measured_salinity = {zone: series[:12] for zone, series in
                              base.measured_salinity.items()}
    return halosoil.scenarios(base, irrigation_factor=list(np.linspace(0.7, 1.3, count)))


def rate(study, count, repeats=5):
    """Runs per second of wall-clock time, and of the process's processor time spread over
    the cores (what an otherwise idle machine would give)."""
    seconds, processor = [], []
    for _ in range(repeats):
        start, start_processor = time.perf_counter(), time.process_time()
        results = study()
        seconds.append(time.perf_counter() - start)
        processor.append(time.process_time() - start_processor)
        assert len(results) == count and all(isinstance(r, halosoil.Result) for r in results)
    return count / statistics.median(seconds), count / (statistics.median(processor)
                                                         / (os.cpu_count() or 1))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--engine-bench", default="build/release/bench/example_run_bench")
    parser.add_argument("--dask", action="store_true")
    arguments = parser.parse_args()
    one_run(engine_times(arguments.engine_bench))

    count = 10_000
    projects = small_projects(count)
    local_study = lambda: halosoil.sweep(projects, progress=False)  # noqa: E731
    local, idle = rate(local_study, count)
    print(f"sweep of {count} projects on {os.cpu_count()} cores: {local:,.0f} runs/s "
          f"({idle:,.0f} runs/s by processor time)")
    if arguments.dask:
        import distributed

        with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                      dashboard_address=None) as cluster, \
                distributed.Client(cluster) as client:
            halosoil.sweep(projects[:100], client=client, progress=False)
            # Local and Dask sweeps in turn, so that a change in the machine's load between
            # them does not decide the share.
            shares = []
            for _ in range(9):
                here, _ = rate(local_study, count, repeats=1)
                there, _ = rate(lambda: halosoil.sweep(projects, client=client,
                                                       progress=False), count, repeats=1)
                shares.append(there / here)
        print(f"sweep on a LocalCluster of 2 workers: {statistics.median(shares) * local:,.0f} "
              f"runs/s, {100 * statistics.median(shares):.0f} % of the local rate (median of "
              f"{len(shares)} pairs)")


if __name__ == "__main__":
    main()
