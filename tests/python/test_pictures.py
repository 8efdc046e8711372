"""The picture through every way out, against the pixels of the C++ API and of the engine."""

import struct
import subprocess
from pathlib import Path

import corvane
import numpy as np
import pytest

from conftest import load_example, on_fresh_thread, read_png


def example_pixels():
    return on_fresh_thread(lambda: load_example().example_chart().to_numpy())


@pytest.mark.parametrize("program", ["library_chart", "cpp_portable"])
def test_the_picture_is_the_cpp_programs(program, native_build, tmp_path):
    """library_chart draws through corvane::Chart, cpp_portable through the engine's own
    automation layer; each draws the chart of examples/python_chart.py in a fresh process."""
    png = tmp_path / f"{program}.png"
    subprocess.run([str(native_build / "examples" / program), str(png)], check=True, capture_output=True)
    assert np.array_equal(read_png(png), example_pixels())


def test_every_way_out_gives_the_same_picture(tmp_path):
    def render_all():
        chart = load_example().example_chart()
        chart.save_png(tmp_path / "chart.png")
        chart.save_bmp(str(tmp_path / "chart.bmp"))
        canvas = np.full((320, 430, 4), 7, dtype=np.uint8)
        chart.DrawTo(canvas[10:, 20:], 3, 4)  # a view: rows 430 * 4 bytes apart
        return chart.to_png(), chart._repr_png_(), chart.Picture, canvas

    # Each member renders afresh; the labels of this chart do not depend on the random
    # samples, so one thread gives one picture.
    png, repr_png, dib, canvas = on_fresh_thread(render_all)
    expected = example_pixels()
    assert png == repr_png == (tmp_path / "chart.png").read_bytes()
    assert np.array_equal(read_png(png), expected)

    assert (dib.width, dib.height, dib.stride, len(dib.bits)) == (400, 300, 1200, 360000)
    rows = np.frombuffer(dib.bits, np.uint8).reshape(300, 1200)[::-1, :1200].reshape(300, 400, 3)
    assert np.array_equal(rows[..., ::-1], expected[..., :3])

    bmp = (tmp_path / "chart.bmp").read_bytes()
    offset, width, height = struct.unpack_from("<I", bmp, 10)[0], *struct.unpack_from("<ii", bmp, 18)
    assert (width, height) == (400, 300) and bmp[offset:] == dib.bits

    drawn = canvas[14:314, 23:423]
    assert np.array_equal(drawn[..., [2, 1, 0, 3]], expected)
    outside = np.ones(canvas.shape[:2], bool)
    outside[14:314, 23:423] = False
    assert (canvas[outside] == 7).all()


def test_to_numpy_layout():
    chart = corvane.Chart(50, 20)
    chart.preset = 20  # High contrast 2: a black background
    pixels = chart.to_numpy()
    assert pixels.shape == (20, 50, 4) and pixels.dtype == np.uint8 and pixels.flags.c_contiguous
    assert (pixels[..., 3] == 255).all()
    chart.preset = 19  # white
    assert tuple(chart.to_numpy()[0, 0]) == (255, 255, 255, 255)


def test_repr():
    chart = corvane.Chart(0, 0)
    assert chart._repr_png_() is None  # IPython falls back to the text
    assert repr(chart) == "<corvane.Chart 0 x 0, 0 plots>"
    chart.SetSize(10, 10)
    assert chart._repr_png_().startswith(b"\x89PNG\r\n\x1a\n")


def test_svg_text_and_file_agree(tmp_path):
    chart = load_example().example_chart()
    text = chart.to_svg()
    assert text.startswith('<?xml version="1.0" encoding="UTF-8"')
    assert text.rstrip().endswith("</svg>")
    chart.SaveToSvg(tmp_path / "chart.svg")
    assert (tmp_path / "chart.svg").read_text(encoding="utf-8") == text
