"""examples/python_chart.py runs as a user runs it and writes the file the C++ example of the
installed library writes, byte for byte (the same encoder on the same pixels)."""

import subprocess
import sys

from conftest import REPOSITORY


def test_the_python_example_writes_the_cpp_examples_file(native_build, tmp_path):
    python_png, cpp_png = tmp_path / "python.png", tmp_path / "cpp.png"
    run = subprocess.run([sys.executable, str(REPOSITORY / "examples" / "python_chart.py"), str(python_png)],
                         check=True, capture_output=True, text=True)
    assert run.stdout.startswith(f"wrote {python_png}: 400 x 300")
    subprocess.run([str(native_build / "examples" / "library_chart"), str(cpp_png)], check=True, capture_output=True)
    assert python_png.read_bytes() == cpp_png.read_bytes()
