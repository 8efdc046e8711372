"""Builds corvane._corvane with the project's CMake (the engine's sources and flags live in
one place, the top-level CMakeLists.txt) and pybind11's CMake package from the pybind11
Python package. Needs the whole repository: python/ is built where it stands.

    python3 -m pip install ./python --no-build-isolation

CORVANE_PYTHON_BUILD_DIR chooses the build directory (default: python/build, as setuptools
does); CORVANE_JOBS the number of compile jobs.
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

import pybind11
from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

REPOSITORY = Path(__file__).resolve().parent.parent


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        target = Path(self.get_ext_fullpath(ext.name)).resolve()
        output = target.parent / "cmake-output"
        build = Path(os.environ.get("CORVANE_PYTHON_BUILD_DIR") or Path(self.build_temp) / "cmake")
        configure = [
            "cmake", "-S", str(REPOSITORY), "-B", str(build.resolve()),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DCORVANE_PYTHON=ON", "-DCORVANE_TESTS=OFF", "-DCORVANE_BENCH=OFF",
            "-DCORVANE_INSTALL=OFF",
            f"-DPython3_EXECUTABLE={sys.executable}",
            f"-Dpybind11_DIR={pybind11.get_cmake_dir()}",
            f"-DCORVANE_PYTHON_OUTPUT_DIR={output}",
        ]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        jobs = os.environ.get("CORVANE_JOBS") or str(os.cpu_count() or 2)
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build.resolve()), "--target", "_corvane",
                        "-j", jobs], check=True)
        built = sorted(output.glob("_corvane*.so"))
        if not built:
            raise RuntimeError(f"the CMake build made no _corvane module in {output}")
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built[0], target)
        shutil.rmtree(output)


# With CORVANE_PYTHON_BUILD_DIR, setuptools' own files go there too, not into python/.
options = {}
if os.environ.get("CORVANE_PYTHON_BUILD_DIR"):
    base = Path(os.environ["CORVANE_PYTHON_BUILD_DIR"]).resolve() / "setuptools"
    base.mkdir(parents=True, exist_ok=True)
    options = {"build": {"build_base": str(base)}, "egg_info": {"egg_base": str(base)}}

setup(
    ext_modules=[CMakeExtension("corvane._corvane")],
    cmdclass={"build_ext": CMakeBuild},
    options=options,
)
