#!/usr/bin/python3
"""A scenario study: 27 variants of a drained field, run side by side, tabulated and plotted.

The base project is examples/two_layers_yearly_drained.inp (fifteen years, two root-zone
layers, drains). Three irrigation amounts, three irrigation water qualities and three drain
depths give 27 scenarios; for each, the root-zone salinity and the depth of the water table
at the end of the last year are tabulated with pandas and plotted with matplotlib.

    /usr/bin/python3 examples/python/salinity_study.py                 # this machine's cores
    /usr/bin/python3 examples/python/salinity_study.py --local-cluster 2
    /usr/bin/python3 examples/python/salinity_study.py --scheduler tcp://host:8786

The same study runs on this machine's cores, on a Dask LocalCluster, or on a cluster whose
scheduler and workers were started with `dask scheduler` and `dask worker tcp://host:8786`
(the workers must be able to import halosoil).
"""

import argparse
import math
import pathlib

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import pandas as pd  # noqa: E402

import halosoil  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
BASE = HERE.parent / "two_layers_yearly_drained.inp"


def final_state(project, result):
    """The table row of one scenario: its variations and its final root-zone salinity (the
    layers' salinities weighted by their thicknesses) and water-table depth."""
    row = dict(project.label)
    if isinstance(result, Exception):
        row.update(root_zone_salinity=math.nan, water_table_depth=math.nan,
                   failure=str(result))
        return row
    layers = [zone for zone in result.salinity if zone.startswith("layer")]
    thickness = sum(project.thickness[zone] for zone in layers)
    row["root_zone_salinity"] = sum(
        project.thickness[zone] * result.salinity[zone][-1] for zone in layers) / thickness
    row["water_table_depth"] = result.water_table_depth[-1]
    row["failure"] = ""
    return row


def plot(table, path):
    depths = sorted(table["drain_depth"].unique())
    figure, axes = plt.subplots(2, len(depths), figsize=(4 * len(depths), 7), sharey="row")
    for column, depth in enumerate(depths):
        part = table[table["drain_depth"] == depth]
        for factor, group in part.groupby("irrigation_factor"):
            label = f"irrigation x {factor:g}"
            axes[0][column].plot(group["irrigation_salinity"], group["root_zone_salinity"],
                                 marker="o", label=label)
            axes[1][column].plot(group["irrigation_salinity"], group["water_table_depth"],
                                 marker="o", label=label)
        axes[0][column].set_title(f"drains at {depth:g} m")
        axes[1][column].set_xlabel("irrigation water salinity (dS/m)")
    axes[0][0].set_ylabel("final root-zone salinity (dS/m)")
    axes[1][0].set_ylabel("final depth of the water table (m)")
    axes[1][0].invert_yaxis()
    axes[0][-1].legend()
    figure.suptitle("Fifteen years of a drained clay loam: 27 scenarios")
    figure.tight_layout()
    figure.savefig(path, dpi=100)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scheduler", help="address of a Dask scheduler, e.g. tcp://host:8786")
    parser.add_argument("--local-cluster", type=int, metavar="WORKERS",
                        help="start a Dask LocalCluster of this many worker processes")
    parser.add_argument("--output", default="salinity_study.png", help="the PNG to write")
    arguments = parser.parse_args()

    client = cluster = None
    if arguments.scheduler or arguments.local_cluster:
        from distributed import Client, LocalCluster

        if arguments.scheduler:
            client = Client(arguments.scheduler)
        else:
            cluster = LocalCluster(n_workers=arguments.local_cluster, threads_per_worker=1)
            client = Client(cluster)

    base = halosoil.read_input(BASE)
    projects = halosoil.scenarios(base, irrigation_factor=[0.8, 1.0, 1.2],
                                  irrigation_salinity=[0.8, 1.5, 3.0],
                                  drain_depth=[1.2, 1.6, 2.0])
    results = halosoil.sweep(projects, client=client)
    if client is not None:
        client.close()
    if cluster is not None:
        cluster.close()

    table = pd.DataFrame([final_state(p, r) for p, r in zip(projects, results)])
    pd.set_option("display.width", 120)
    print(table.to_string(index=False, float_format=lambda x: f"{x:.2f}"))
    plot(table, arguments.output)
    print(f"\nwrote {arguments.output}")


if __name__ == "__main__":
    main()
