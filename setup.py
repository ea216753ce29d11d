"""Builds the extensions halosoil._core and halosoil._gis with the project's own CMake build (the core, study and
weather libraries and the module only, optimised), then installs it with the package's Python
files. The metadata are in pyproject.toml."""

import os
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = pathlib.Path(__file__).resolve().parent


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, extension):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        settings = [
            f"-DPython_EXECUTABLE={sys.executable}",
            "-DCMAKE_BUILD_TYPE=Release",
            "-DHALOSOIL_BUILD_GUI=OFF",
            "-DHALOSOIL_BUILD_TESTS=OFF",
            "-DHALOSOIL_BUILD_BENCH=OFF",
            "-DHALOSOIL_BUILD_PYTHON=ON",
        ]
        if shutil.which("ninja"):
            settings.append("-GNinja")
        if shutil.which("ccache"):
            settings.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        subprocess.run(["cmake", "-S", str(SOURCE), "-B", str(build), *settings], check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", str(os.cpu_count() or 1))
        subprocess.run(["cmake", "--build", str(build), "--target", "halosoil_python",
                        "-j", jobs], check=True)
        # halosoil_python builds the region module too, a module of its own.
        module = extension.name.rsplit(".", 1)[1]
        built = next((build / "python" / "halosoil").glob(f"{module}*.so"))
        target = pathlib.Path(self.get_ext_fullpath(extension.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)
        # The build writes the package's type stub from the core's tables of fields.
        stub = build / "python" / "halosoil" / "__init__.pyi"
        shutil.copyfile(stub, target.parent / stub.name)


setup(ext_modules=[CMakeExtension("halosoil._core"), CMakeExtension("halosoil._gis")],
      cmdclass={"build_ext": CMakeBuild})
