#!/usr/bin/env python3
"""One chart through corvane and through matplotlib's Agg, in the same run: 8 series of a
random walk (1,000,000 points each by default), 800 x 600 pixels, 2-pixel lines, a grid,
axis labels and a legend. Prints the median of each step over the runs (figures, not a
test: on a shared machine they move from run to run).

    bench_python.py [--points N] [--runs R] [--no-matplotlib]
"""

import argparse
import io
import os
import statistics
import tempfile
import time

import numpy as np

import corvane

SERIES = 8
WIDTH, HEIGHT = 800, 600
COLOURS = [0x0000FF, 0x00A000, 0xFF0000, 0x00A0FF, 0xA000A0, 0xA0A000, 0x404040, 0x0060C0]


def timed(call):
    start = time.perf_counter()
    result = call()
    return time.perf_counter() - start, result


def corvane_run(xs, walks, png_path):
    chart = corvane.Chart(WIDTH, HEIGHT)
    chart.caption = "8 random walks"
    chart.arrowCaptionX = "step"
    chart.arrowCaptionY = "value"
    chart.plotsCount = SERIES

    def add():
        for i, walk in enumerate(walks, start=1):
            chart.AddPointsToPlot(i, xs, walk)

    steps = {"add the arrays": timed(add)[0]}
    for i in range(1, SERIES + 1):
        chart.SetSimplePlot(i)
        chart.SetPlotColor(i, COLOURS[i - 1])
        chart.SetPlotWidth(i, 2)
        chart.AddLabelToLegend(COLOURS[i - 1], f"walk {i}")
    chart.SetSegment(float(xs[0]), float(xs[-1]))
    buffer = np.empty((HEIGHT, WIDTH, 4), np.uint8)
    steps["render (first)"] = timed(lambda: chart.DrawTo(buffer))[0]
    steps["render (again)"] = timed(lambda: chart.DrawTo(buffer))[0]
    steps["render + PNG bytes"] = timed(chart.to_png)[0]
    steps["render + PNG file"] = timed(lambda: chart.save_png(png_path))[0]
    return steps


def matplotlib_run(xs, walks, png_path):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    matplotlib.rcParams["path.simplify"] = True
    fig = plt.figure(figsize=(WIDTH / 100, HEIGHT / 100), dpi=100)
    ax = fig.add_subplot()

    def add():
        for i, walk in enumerate(walks, start=1):
            ax.plot(xs, walk, linewidth=2, label=f"walk {i}")

    steps = {"add the arrays": timed(add)[0]}
    ax.set_title("8 random walks")
    ax.set_xlabel("step")
    ax.set_ylabel("value")
    ax.grid(True)
    ax.legend(loc="upper left")
    steps["render (first)"] = timed(fig.canvas.draw)[0]
    steps["render (again)"] = timed(fig.canvas.draw)[0]
    steps["render + PNG bytes"] = timed(lambda: fig.savefig(io.BytesIO(), format="png"))[0]
    steps["render + PNG file"] = timed(lambda: fig.savefig(png_path, format="png"))[0]
    plt.close(fig)
    return steps


def medians(runs):
    return {step: statistics.median(run[step] for run in runs) for step in runs[0]}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--points", type=int, default=1_000_000)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--no-matplotlib", action="store_true")
    args = parser.parse_args()

    rng = np.random.default_rng(2024)
    xs = np.arange(args.points, dtype=np.float64)
    walks = [rng.standard_normal(args.points).cumsum() for _ in range(SERIES)]
    print(f"{SERIES} series x {args.points:,} points, {WIDTH} x {HEIGHT}, median of {args.runs} runs")
    with tempfile.TemporaryDirectory() as out:
        ours = medians([corvane_run(xs, walks, os.path.join(out, "c.png")) for _ in range(args.runs)])
        theirs = None
        if not args.no_matplotlib:
            theirs = medians([matplotlib_run(xs, walks, os.path.join(out, "m.png")) for _ in range(args.runs)])

    bytes_added = SERIES * 2 * xs.nbytes
    print(f"{'step':<22}{'corvane':>12}{'matplotlib':>14}{'ratio':>9}")
    for step, seconds in ours.items():
        line = f"{step:<22}{seconds * 1e3:>10.1f}ms"
        if theirs:
            line += f"{theirs[step] * 1e3:>12.1f}ms{theirs[step] / seconds:>8.0f}x"
        print(line)
    print(f"corvane adds the arrays at {bytes_added / ours['add the arrays'] / 1e9:.1f} GB/s "
          f"({bytes_added / 1e6:.0f} MB of x and y)")


if __name__ == "__main__":
    main()
