"""Every member of the interfaces is on corvane.Chart under its name, on corvane::Chart in
the C++ header, and in the stub with the module's docstring and parameters."""

import ast
import re

import corvane
import pytest

from conftest import REPOSITORY

# Windows only: the library has no clipboard.
NOT_PORTABLE = {"CopyToClipboard"}
# The Python ways out of the picture, beyond the interfaces.
EXTRAS = {"to_numpy", "to_png", "save_png", "save_bmp", "_repr_png_"}


def interface_members(interface_pattern):
    """Name -> whether it is a property (propget/propput), for each member of the IDL's
    interfaces whose name matches."""
    members = {}
    idl = (REPOSITORY / "server" / "corvane.idl").read_text()
    for interface, body in re.findall(r"interface\s+(\w+)\s*:\s*\w+\s*\{(.*?)\};", idl, re.S):
        if not re.fullmatch(interface_pattern, interface):
            continue
        for attributes, name in re.findall(r"\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\(", body):
            members[name] = members.get(name, False) or "prop" in attributes
    return members


def stub_classes():
    tree = ast.parse((REPOSITORY / "python" / "corvane" / "__init__.pyi").read_text())
    return {node.name: node for node in tree.body if isinstance(node, ast.ClassDef)}


def runtime_doc(member):
    """The docstring a member carries, without the signature line pybind11 puts first."""
    doc = member.__doc__ or ""
    if isinstance(member, property):
        return doc.strip()
    return doc.partition("\n")[2].strip()


def test_every_interface_member_is_on_the_chart_and_in_the_header():
    members = interface_members(r"ICorvaneEx\d*")
    assert {"SaveToFile", "legendPosition", "AddPointsToPlot", "DrawTo", "HitTest"} <= set(members)
    header = (REPOSITORY / "include" / "corvane" / "chart.h").read_text()
    for name, is_property in members.items():
        if name in NOT_PORTABLE:
            continue
        assert hasattr(corvane.Chart, name), f"corvane.Chart has no {name}"
        # A property with an index (PointCount, PointX) is a method, as in VBScript.
        takes_index = re.search(rf"HRESULT {name}\(\[in\]", (REPOSITORY / "server" / "corvane.idl").read_text())
        if is_property and not takes_index:
            assert isinstance(corvane.Chart.__dict__[name], property), f"{name} is no property"
        assert re.search(rf"\b{name}\(", header), f"include/corvane/chart.h declares no {name}"


def test_the_hit_object_and_its_kinds():
    for name in interface_members(r"ICorvaneHit"):
        assert isinstance(corvane.Hit.__dict__[name], property), f"corvane.Hit has no {name}"
        assert re.search(rf"\b{name}\b", (REPOSITORY / "include" / "corvane" / "chart.h").read_text())
    idl = (REPOSITORY / "server" / "corvane.idl").read_text()
    kinds = dict((name, int(value)) for name, value in re.findall(r"(cvHit\w+) = (\d+)", idl))
    assert {name: int(kind) for name, kind in corvane.CorvaneHitKind.__members__.items()} == kinds
    stub = stub_classes()["CorvaneHitKind"]
    assert {node.targets[0].id: node.value.value for node in stub.body if isinstance(node, ast.Assign)} == kinds


def test_the_stub_matches_the_module():
    stubs = stub_classes()
    for cls in (corvane.Chart, corvane.Dib, corvane.Hit):
        stub = stubs[cls.__name__]
        assert ast.get_docstring(stub) == cls.__doc__
        stubbed = {}
        for node in stub.body:
            if isinstance(node, ast.FunctionDef) and not any(
                isinstance(d, ast.Attribute) and d.attr == "setter" for d in node.decorator_list
            ):
                stubbed[node.name] = node
        bound = {n: v for n, v in cls.__dict__.items()
                 if isinstance(v, property) or type(v).__name__ == "instancemethod"}
        assert set(stubbed) == set(bound), "the stub and the module list different members"
        for name, node in stubbed.items():
            member = bound[name]
            if name.startswith("__") and name != "__init__":
                continue
            assert ast.get_docstring(node) == runtime_doc(member), f"{name}: docstrings differ"
            assert runtime_doc(member), f"{name} has no docstring"
            if not isinstance(member, property):
                signature = member.__doc__.partition("\n")[0]
                names = re.findall(r"(\w+):", signature.partition("(")[2])
                assert [a.arg for a in node.args.args] == names, f"{name}: parameters differ"


def test_module_names_and_version():
    stub = ast.parse((REPOSITORY / "python" / "corvane" / "__init__.pyi").read_text())
    stubbed = {t.id for node in stub.body if isinstance(node, ast.AnnAssign) for t in [node.target]}
    stubbed |= {node.name for node in stub.body if isinstance(node, (ast.FunctionDef, ast.ClassDef))}
    assert corvane.CorvaneHitKind.__doc__ == ast.get_docstring(stub_classes()["CorvaneHitKind"])
    assert set(corvane.__all__) == stubbed
    import tomllib

    project = tomllib.loads((REPOSITORY / "python" / "pyproject.toml").read_text())["project"]
    assert project["version"] == corvane.__version__
    cmake = (REPOSITORY / "CMakeLists.txt").read_text()
    assert re.search(rf"project\(Corvane VERSION {re.escape(corvane.__version__)}\b", cmake)


@pytest.mark.parametrize(
    "name, value",
    [("caption", "Журнал: déjà vu 📈"), ("arrowCaptionX", "x"), ("arrowCaptionY", ""),
     ("captionVisible", False), ("arrowVisible", False), ("legendVisible", False),
     ("candlesticsVisible", False), ("arrowR", 6), ("arrowH", 16), ("arrowLineWidth", 3),
     ("plotsCount", 3), ("gridVisible", 1), ("gridVerticalLines", 8), ("gridHorizontalLines", 5),
     ("gridDigitsAfterPoint", 1), ("preset", 7), ("legendPosition", 2), ("hWnd", 1234)],
)
def test_properties_read_back_what_was_set(name, value):
    chart = corvane.Chart(100, 80)
    setattr(chart, name, value)
    assert getattr(chart, name) == value
    assert type(getattr(chart, name)) is type(value)


def test_read_only_properties_refuse_assignment():
    chart = corvane.Chart(100, 80)
    for name in ("Width", "Height", "isDefaultGrid", "isUserTypeGrid", "presetName", "presetCount", "Picture"):
        with pytest.raises(AttributeError):
            setattr(chart, name, 1)
    assert (chart.Width, chart.Height, chart.presetCount, chart.presetName) == (100, 80, 21, "Standart")
