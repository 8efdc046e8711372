"""Shared by the module's tests: the repository, the example chart of examples/, and the
native build whose C++ examples give the pixels the module must match."""

import importlib.util
import os
from pathlib import Path

import numpy as np
import pytest

REPOSITORY = Path(__file__).resolve().parents[2]


def load_example():
    module_source = importlib.util.spec_from_file_location("python_chart", REPOSITORY / "examples" / "python_chart.py")
    module = importlib.util.module_from_spec(module_source)
    module_source.loader.exec_module(module)
    return module


@pytest.fixture
def example_chart():
    return load_example().example_chart()


@pytest.fixture
def native_build():
    """The native build tree (CORVANE_NATIVE_BUILD, else build/native of this repository)."""
    build = Path(os.environ.get("CORVANE_NATIVE_BUILD", REPOSITORY / "build" / "native"))
    if not (build / "examples").is_dir():
        pytest.fail(f"no native build at {build}: build it, or set CORVANE_NATIVE_BUILD")
    return build


def read_png(path_or_bytes) -> np.ndarray:
    """The pixels of a PNG as a (height, width, 4) uint8 RGBA array."""
    import io

    from PIL import Image

    source = io.BytesIO(path_or_bytes) if isinstance(path_or_bytes, bytes) else path_or_bytes
    with Image.open(source) as image:
        return np.asarray(image.convert("RGBA"))


def on_fresh_thread(call):
    """call() on a thread of its own. The chart's random sequence (textures, and the samples
    that decide whether a grid label lands on a uniform background) is per thread from a fixed
    start, so this is how one picture is made the same way twice in one process."""
    import threading

    result = {}

    def run():
        try:
            result["value"] = call()
        except BaseException as e:  # handed to the caller's thread
            result["error"] = e

    thread = threading.Thread(target=run)
    thread.start()
    thread.join()
    if "error" in result:
        raise result["error"]
    return result["value"]
