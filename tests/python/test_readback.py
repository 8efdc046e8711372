"""The members of ICorvaneEx3 through the module: the points read back as stored, the mapping
the drawers use, and the hit object."""

import corvane
import numpy as np
import pytest


def test_points_read_back_as_stored_from_any_layout():
    values = np.array([[0.5, -2.25, 1e30, 7.0, np.pi]] * 2).T[:, 1]  # a strided column
    chart = corvane.Chart(200, 150)
    chart.AddPointsToPlot(3, values.astype(np.float32), values)
    assert [chart.PointY(3, i) for i in range(1, 6)] == list(values)
    assert [chart.PointX(3, i) for i in range(1, 6)] == list(values.astype(np.float32).astype(float))
    with pytest.raises(corvane.Error) as raised:
        chart.PointX(3, 6)
    assert raised.value.hresult == corvane.E_INVALIDARG


def test_the_mapping_is_where_the_plot_is_drawn():
    chart = corvane.Chart(300, 200)
    chart.plotsCount = 1
    ys = np.array([2.0, 8.0, 3.0, 9.0, 4.0, 7.0])
    chart.AddPointsToPlot2(1, ys)
    chart.SetSegment(1, 6)
    chart.SetSimplePlot(1)
    chart.SetPlotColor(1, 0x00C000)
    chart.SetPlotWidth(1, 3)
    chart.gridVisible = 3  # no grid lines under the points
    pixels = chart.to_numpy()
    for x, y in zip(range(2, 6), ys[1:5]):  # the inner points, away from the axes
        px, py = int(chart.WorldToPixelX(x)), int(chart.WorldToPixelY(y))
        assert tuple(pixels[py, px, :3]) == (0, 0xC0, 0), (x, y)
    assert chart.PixelToWorldY(chart.WorldToPixelY(5.5)) == pytest.approx(5.5)
    assert (chart.PlotAreaLeft, chart.PlotAreaRight) == (65, 235)


def test_hit_test_answers_with_a_hit():
    chart = corvane.Chart(300, 200)
    chart.plotsCount = 1
    chart.AddPointsToPlot2(1, [2.0, 8.0, 3.0])
    chart.SetSegment(1, 3)
    chart.SetSimplePlot(1)
    hit = chart.HitTest(chart.WorldToPixelX(2), chart.WorldToPixelY(8), 4)
    assert (hit.Kind, hit.Plot, hit.Index, hit.X, hit.Y, hit.Distance) == (corvane.CorvaneHitKind.cvHitPoint, 1, 2, 2.0, 8.0, 0.0)
    assert hit.Kind == 1 and int(hit.Kind) == 1
    assert chart.HitTest(2, 2, 0).Kind == corvane.CorvaneHitKind.cvHitNothing
    with pytest.raises(corvane.Error):
        chart.HitTest(float("nan"), 0, 1)
