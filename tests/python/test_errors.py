"""Failed calls raise corvane.Error with the HRESULT the COM object returns, and change
nothing; wrong Python types are Python's own errors."""

import corvane
import numpy as np
import pytest


@pytest.mark.parametrize("call, hresult, member", [
    (lambda c, d: c.SaveToPng(d / "missing" / "x.png"), 0x80070003, "SaveToPng"),
    (lambda c, d: c.save_bmp(d / "missing" / "x.bmp"), 0x80070003, "SaveToFile"),
    (lambda c, d: c.SaveToFile(""), corvane.E_INVALIDARG, "SaveToFile"),
    (lambda c, d: c.SaveToPng(d), corvane.E_ACCESSDENIED, "SaveToPng"),  # a directory
    (lambda c, d: c.save_svg(d / "missing" / "x.svg"), 0x80070003, "SaveToSvg"),
    (lambda c, d: corvane.Chart(0, 10).to_svg(), corvane.E_INVALIDARG, "ToSvg"),
    (lambda c, d: corvane.Chart(0, 10).to_numpy(), corvane.E_INVALIDARG, "Picture"),
    (lambda c, d: corvane.Chart(-5, 10).to_png(), corvane.E_INVALIDARG, "Picture"),
    (lambda c, d: corvane.Chart(40000, 10).Picture, corvane.E_OUTOFMEMORY, "Picture"),
    (lambda c, d: c.DrawTo(np.zeros((4, 4, 3), np.uint8)), corvane.E_INVALIDARG, "DrawTo"),
    (lambda c, d: c.DrawTo(np.zeros((4, 4), np.uint32)), corvane.E_INVALIDARG, "DrawTo"),
    (lambda c, d: c.DrawTo(np.zeros((4, 4, 4), np.uint8)[::-1]), corvane.E_INVALIDARG, "DrawTo"),
    (lambda c, d: c.DrawTo(np.zeros((4, 4, 4), np.uint8).transpose(1, 0, 2)), corvane.E_INVALIDARG, "DrawTo"),
])
def test_failures_carry_the_hresult(call, hresult, member, tmp_path):
    chart = corvane.Chart(60, 40)
    chart.AddPointsToPlot2(1, [1, 2])
    with pytest.raises(corvane.Error) as raised:
        call(chart, tmp_path)
    error = raised.value
    assert (error.hresult, error.member) == (hresult, member)
    assert error.name == corvane.hresult_name(hresult)
    assert error.meaning == corvane.hresult_meaning(hresult)
    assert str(error) == f"{member}: 0x{hresult:08X} {error.name}: {error.meaning}"
    assert chart.PointCount(1) == 2
    assert list(tmp_path.iterdir()) == []


def test_error_is_an_exception_of_the_package():
    assert issubclass(corvane.Error, Exception) and corvane.Error.__module__ == "corvane"
    assert corvane.hresult_name(corvane.E_INVALIDARG) == "E_INVALIDARG"
    assert corvane.hresult_name(0x80041234) == "0x80041234"


def test_wrong_python_types_are_type_errors():
    chart = corvane.Chart(60, 40)
    for call in (lambda: chart.SetSize("a", 3), lambda: chart.SetPlotColor(1, -1),
                 lambda: chart.SetSize(2**40, 1), lambda: setattr(chart, "caption", 5)):
        with pytest.raises(TypeError):
            call()
    read_only = np.zeros((4, 4, 4), np.uint8)
    read_only.flags.writeable = False
    with pytest.raises(ValueError, match="read-only"):  # NumPy refuses a writable buffer
        chart.DrawTo(read_only)
