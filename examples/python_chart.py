#!/usr/bin/env python3
"""Corvane from Python: the chart of the other examples, its points as NumPy arrays, written
as a PNG. Run: python3 examples/python_chart.py chart.png (with corvane installed)."""

import sys

import numpy as np

import corvane


def example_chart() -> corvane.Chart:
    chart = corvane.Chart(400, 300)
    chart.caption = "Hello, Corvane"
    chart.plotsCount = 2
    xs = np.arange(1, 21, dtype=np.float64)
    ys = (np.arange(1, 21) * 7) % 11 + xs / 2  # float64: read in place, no copy
    chart.AddPointsToPlot(1, xs, ys)
    chart.AddPointsToPlot(2, xs, ys)
    chart.SetSimplePlot(1)
    chart.SetPlotColor(1, 0x0000C8)  # colours are 0x00BBGGRR, as OLE_COLOR
    chart.SetPointVisible(1, True)
    chart.SetLinearApproximate(2)
    chart.SetPlotColor(2, 0xC80000)
    chart.SetPlotWidth(2, 2)
    chart.SetSegment(1, 20)
    chart.AddLabelToLegend(0x0000C8, "measured")
    chart.AddLabelToLegend(0xC80000, "trend")
    return chart


def main() -> int:
    path = sys.argv[1] if len(sys.argv) > 1 else "chart.png"
    chart = example_chart()
    try:
        chart.save_png(path)
    except corvane.Error as e:
        print(f"{e.member} failed: {e.name} ({e.meaning})", file=sys.stderr)
        return 1
    pixels = chart.to_numpy()  # (300, 400, 4) uint8, R, G, B, 255
    print(f"wrote {path}: {pixels.shape[1]} x {pixels.shape[0]}, slope {chart.GetA(2)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
