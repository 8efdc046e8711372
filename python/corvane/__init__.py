"""Corvane's two-dimensional charts for Python.

    import corvane
    chart = corvane.Chart(400, 300)
    chart.plotsCount = 1
    chart.AddPointsToPlot2(1, [3, 5, 4, 7, 6, 9])
    chart.SetSimplePlot(1)
    chart.save_png("chart.png")

A Chart has every member of the COM interfaces ICorvaneEx, ICorvaneEx2 and ICorvaneEx3 under
the same names (docs/reference.md), NumPy arrays for the points, and the picture as a NumPy array
(to_numpy), PNG bytes (to_png) or a file (save_png, save_bmp). A failed call raises
corvane.Error carrying the HRESULT.
"""

from ._corvane import (
    DISP_E_BADVARTYPE,
    DISP_E_TYPEMISMATCH,
    E_ACCESSDENIED,
    E_FAIL,
    E_INVALIDARG,
    E_NOTIMPL,
    E_OUTOFMEMORY,
    E_POINTER,
    S_OK,
    Chart,
    CorvaneHitKind,
    Dib,
    Error,
    Hit,
    __version__,
    hresult_meaning,
    hresult_name,
)

__all__ = [
    "Chart",
    "CorvaneHitKind",
    "Dib",
    "Error",
    "Hit",
    "hresult_name",
    "hresult_meaning",
    "S_OK",
    "E_NOTIMPL",
    "E_POINTER",
    "E_FAIL",
    "E_OUTOFMEMORY",
    "E_INVALIDARG",
    "E_ACCESSDENIED",
    "DISP_E_TYPEMISMATCH",
    "DISP_E_BADVARTYPE",
    "__version__",
]
