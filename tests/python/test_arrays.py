"""Point arrays: every real dtype, lists and tuples, strided and non-contiguous views, and the
float64 arrays read in place. Stored values are compared through the picture they draw."""

import tracemalloc

import corvane
import numpy as np
import pytest

from conftest import on_fresh_thread

VALUES = [3, 5, 4, 7, 6, 9, 2, 8]


def picture_of(y, x=None):
    chart = corvane.Chart(160, 120)
    chart.plotsCount = 1
    if x is None:
        chart.AddPointsToPlot2(1, y)
    else:
        chart.AddPointsToPlot(1, x, y)
    chart.SetSimplePlot(1)
    assert chart.PointCount(1) == len(VALUES)
    return on_fresh_thread(chart.to_numpy)


@pytest.fixture(scope="module")
def expected():
    return picture_of(np.array(VALUES, dtype=np.float64))


@pytest.mark.parametrize("dtype", [np.int8, np.int16, np.int32, np.int64, np.uint8, np.uint16,
                                   np.uint32, np.uint64, np.float16, np.float32, np.float64,
                                   np.longdouble, ">f8", "<i4", object])
def test_every_real_dtype_draws_the_same_points(dtype, expected):
    assert np.array_equal(picture_of(np.array(VALUES, dtype=dtype)), expected)


@pytest.mark.parametrize("make", [
    lambda: list(VALUES),
    lambda: tuple(float(v) for v in VALUES),
    lambda: np.repeat(np.array(VALUES, dtype=np.float64), 3)[::3],           # strided
    lambda: np.array(VALUES, dtype=np.float64)[::-1][::-1],                   # negative strides
    lambda: np.asfortranarray(np.array([VALUES, VALUES], dtype=np.float64))[0],  # one row of a Fortran array
    lambda: np.array([VALUES, [0] * 8], dtype=np.int32).T[:, 0],             # a column
])
def test_lists_and_views_draw_the_same_points(make, expected):
    assert np.array_equal(picture_of(make()), expected)


def test_order_and_explicit_x_are_kept(expected):
    reversed_y = np.array(VALUES[::-1], dtype=np.float64)
    assert not np.array_equal(picture_of(reversed_y), expected)
    xs = np.arange(1, len(VALUES) + 1, dtype=np.int16)
    assert np.array_equal(picture_of(np.array(VALUES), x=xs), expected)


@pytest.mark.parametrize("values, hresult", [
    (np.array([True, False]), corvane.DISP_E_TYPEMISMATCH),
    (np.array([1 + 2j]), corvane.DISP_E_TYPEMISMATCH),
    (np.array(["1", "2"]), corvane.DISP_E_TYPEMISMATCH),
    (np.array(["2024-01-01"], dtype="datetime64[D]"), corvane.DISP_E_TYPEMISMATCH),
    ([1.0, None, 2.0], corvane.DISP_E_TYPEMISMATCH),
    ([1, "x"], corvane.DISP_E_TYPEMISMATCH),
    (5.0, corvane.DISP_E_TYPEMISMATCH),
    (np.zeros((2, 3)), corvane.DISP_E_BADVARTYPE),
    ([[1, 2], [3, 4]], corvane.DISP_E_BADVARTYPE),
])
def test_what_is_no_array_of_numbers_is_refused_and_adds_nothing(values, hresult):
    chart = corvane.Chart(100, 80)
    chart.AddPointsToPlot2(1, [1.0, 2.0])
    for call in (lambda: chart.AddPointsToPlot2(1, values), lambda: chart.AddPointsToPlot(1, values, values)):
        with pytest.raises(corvane.Error) as raised:
            call()
        assert raised.value.hresult == hresult
    assert chart.PointCount(1) == 2


def test_lengths_must_match():
    chart = corvane.Chart(100, 80)
    with pytest.raises(corvane.Error) as raised:
        chart.AddPointsToPlot(1, [1, 2, 3], [1, 2])
    assert (raised.value.hresult, raised.value.member) == (corvane.E_INVALIDARG, "AddPointsToPlot")
    assert chart.PointCount(1) == 0
    chart.AddPointsToPlot(1, [], np.array([]))  # empty arrays add nothing and succeed
    chart.AddPointsToPlot(9, [1], [2])          # a plot outside 1..8 is ignored
    assert chart.PointCount(1) == 0


def traced_peak(call):
    """The most memory NumPy and Python allocated during call (the engine's own is not traced)."""
    tracemalloc.start()
    try:
        tracemalloc.reset_peak()
        call()
        return tracemalloc.get_traced_memory()[1]
    finally:
        tracemalloc.stop()


def test_float64_contiguous_arrays_are_read_in_place():
    n = 1_000_000
    as_float64 = np.random.default_rng(1).standard_normal(n)
    as_int32 = np.arange(n, dtype=np.int32)
    chart = corvane.Chart(100, 80)
    in_place = traced_peak(lambda: chart.AddPointsToPlot(1, as_float64, as_float64))
    converted = traced_peak(lambda: chart.AddPointsToPlot2(2, as_int32))
    assert chart.PointCount(1) == n and chart.PointCount(2) == n
    assert in_place < 64 * 1024, f"{in_place} bytes allocated: the float64 array was copied"
    assert converted >= 8 * n, "the int32 array was not converted"
