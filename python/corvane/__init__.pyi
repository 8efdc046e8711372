"""Type hints of corvane: every member of the chart, with the docstring the module carries."""

import enum
import os
from typing import Optional, Union

import numpy as np
from numpy.typing import ArrayLike, NDArray

StrPath = Union[str, bytes, os.PathLike]

__version__: str

S_OK: int
E_NOTIMPL: int
E_POINTER: int
E_FAIL: int
E_OUTOFMEMORY: int
E_INVALIDARG: int
E_ACCESSDENIED: int
DISP_E_TYPEMISMATCH: int
DISP_E_BADVARTYPE: int

class Error(Exception):
    """A call of a Chart member failed.

    hresult is the HRESULT the COM object returns for the same call (an int such as 0x80070057), name its symbolic name ('E_INVALIDARG'), meaning what it means and member the member that failed. A call that raises changes nothing the chart stores."""
    hresult: int
    name: str
    meaning: str
    member: str

def hresult_name(hresult: int) -> str:
    """The symbolic name of an HRESULT ('E_INVALIDARG'), or its value in hexadecimal."""

def hresult_meaning(hresult: int) -> str:
    """One sentence saying what an HRESULT means."""

class CorvaneHitKind(enum.IntEnum):
    """What a hit test found, as the type library names it."""
    cvHitNothing = 0
    cvHitPoint = 1
    cvHitLine = 2
    cvHitMark = 3
    cvHitCandleStick = 4
    cvHitRectangle = 5
    cvHitPolygon = 6
    cvHitLegendEntry = 7

class Dib:
    """The picture as a device-independent bitmap: height rows of stride bytes, bottom row first, each pixel the bytes B, G, R, every row padded to a multiple of 4 (the pixel block of the BMP file)."""
    @property
    def width(self) -> int:
        """Width in pixels."""
    @property
    def height(self) -> int:
        """Height in pixels."""
    @property
    def stride(self) -> int:
        """Bytes from one row to the next."""
    @property
    def bits(self) -> bytes:
        """The rows, bottom row first."""

class Hit:
    """One answer of HitTest, with the properties of ICorvaneHit."""
    @property
    def Kind(self) -> CorvaneHitKind:
        """What was found (a CorvaneHitKind); cvHitNothing (0) when nothing lies within the radius."""
    @property
    def Plot(self) -> int:
        """The plot (1..8) of a point or a line; 0 for every other kind."""
    @property
    def Index(self) -> int:
        """The 1-based point, record or legend entry; 0 on a fitted curve."""
    @property
    def X(self) -> float:
        """The world x of what was hit."""
    @property
    def Y(self) -> float:
        """The world y of what was hit."""
    @property
    def Distance(self) -> float:
        """How far in pixels the position lies from what was hit (0 inside an area)."""

class Chart:
    """One chart: the members of ICorvaneEx, ICorvaneEx2 and ICorvaneEx3 under their names, drawn by the portable raster. Colours are 0x00BBGGRR ints, indices 1-based (an index outside 1..count is ignored and a getter answers 0); a failed call raises corvane.Error and changes nothing."""
    def __init__(self, width: int, height: int) -> None:
        """A chart of width x height pixels with every default of a new COM object."""
    def __repr__(self) -> str: ...
    def SaveToFile(self, file_name: StrPath) -> None:
        """Writes the picture as a 24-bit BMP file, replaced whole or not at all."""
    @property
    def hWnd(self) -> int:
        """The host window Show paints into. The library has no windows: any value is stored, and Show paints nothing."""
    @hWnd.setter
    def hWnd(self, value: int) -> None: ...
    def SetSize(self, width: int, height: int) -> None:
        """Sets the picture's size in pixels and lays the chart out again; 0 or below makes every render fail with E_INVALIDARG."""
    @property
    def Width(self) -> int:
        """The width last given to SetSize."""
    @property
    def Height(self) -> int:
        """The height last given to SetSize."""
    def Show(self) -> None:
        """Paints the chart into the window hWnd names; no handle names a window in the library, so it paints nothing."""
    def Dispose(self) -> None:
        """Empties the data (points of the active plots, labels, overlays, marks, candlesticks, legend rows) and keeps every setting; plotsCount becomes 0."""
    def ScrollLeft(self) -> None:
        """Moves the x range one unit left while the first user label shown is not the first."""
    def ScrollRight(self) -> None:
        """Moves the x range one unit right while a user label lies beyond the last one shown."""
    def SetSegment(self, a: float, b: float) -> None:
        """Shows x from a to b; the vertical range follows the data."""
    @property
    def caption(self) -> str:
        """The caption centred at the top (default 'Corvane Version 1.1')."""
    @caption.setter
    def caption(self, value: str) -> None: ...
    @property
    def captionVisible(self) -> bool:
        """Whether the caption is drawn; hiding it moves the plot area up."""
    @captionVisible.setter
    def captionVisible(self, value: bool) -> None: ...
    @property
    def arrowR(self) -> int:
        """Half the width of the arrow heads' base in pixels (default 4)."""
    @arrowR.setter
    def arrowR(self, value: int) -> None: ...
    @property
    def arrowH(self) -> int:
        """The length of the arrow heads in pixels (default 12)."""
    @arrowH.setter
    def arrowH(self, value: int) -> None: ...
    @property
    def arrowLineWidth(self) -> int:
        """The pen width of both axis arrows (default 2; values outside 1..15 are ignored)."""
    @arrowLineWidth.setter
    def arrowLineWidth(self, value: int) -> None: ...
    @property
    def arrowVisible(self) -> bool:
        """Whether the axis arrows and their captions are drawn."""
    @arrowVisible.setter
    def arrowVisible(self, value: bool) -> None: ...
    @property
    def arrowCaptionX(self) -> str:
        """The caption at the tip of the horizontal axis."""
    @arrowCaptionX.setter
    def arrowCaptionX(self, value: str) -> None: ...
    @property
    def arrowCaptionY(self) -> str:
        """The caption at the tip of the vertical axis."""
    @arrowCaptionY.setter
    def arrowCaptionY(self, value: str) -> None: ...
    def SetPlotVisible(self, index: int, visible: bool) -> None:
        """Shows or hides plot index (1..8); a hidden plot still shapes the vertical range."""
    def GetPlotVisible(self, index: int) -> bool:
        """Whether plot index is shown."""
    def SetSimplePlot(self, index: int) -> None:
        """Draws plot index as a polyline through its points."""
    def SetLinearApproximate(self, index: int) -> None:
        """Draws plot index as its least-squares line y = A*x + B (the default mode)."""
    def SetSquareApproximate(self, index: int) -> None:
        """Draws plot index as its least-squares parabola y = A*x**2 + B*x + C."""
    def AddPointToPlot(self, index: int, x: float, y: float) -> None:
        """Appends the point (x, y) to plot index."""
    def DisposePlot(self, index: int) -> None:
        """Removes every point of plot index; its settings stay."""
    def SetPlotColor(self, index: int, color: int) -> None:
        """The colour of plot index's line (0x00BBGGRR; default red 0x0000FF)."""
    def GetPlotColor(self, index: int) -> int:
        """The colour of plot index's line."""
    def SetPointVisible(self, index: int, visible: bool) -> None:
        """Whether plot index draws a 4 x 4 marker on each point."""
    def GetPointVisible(self, index: int) -> bool:
        """Whether plot index draws markers."""
    def SetPlotWidth(self, index: int, width: int) -> None:
        """The pen width of plot index in pixels (default 2; drawn 1 outside 1..15)."""
    def GetPlotWidth(self, index: int) -> int:
        """The pen width of plot index as stored."""
    def AddPointToPlot2(self, index: int, y: float) -> None:
        """Appends a point whose x is the plot's point count before the call plus 1."""
    def SetPointColor(self, index: int, color: int) -> None:
        """The colour of plot index's markers (default black)."""
    def GetPointColor(self, index: int) -> int:
        """The colour of plot index's markers."""
    @property
    def plotsCount(self) -> int:
        """How many plots, from plot 1, take part (default 0; values outside 1..8 are ignored)."""
    @plotsCount.setter
    def plotsCount(self, value: int) -> None: ...
    def GetA(self, index: int) -> float:
        """The fit's first coefficient (slope, or the x**2 factor), cut to gridDigitsAfterPoint decimals."""
    def GetB(self, index: int) -> float:
        """The fit's second coefficient (intercept, or the x factor), cut as GetA."""
    def GetC(self, index: int) -> float:
        """The parabola's constant in square mode, cut as GetA."""
    def AddLabelToGrid(self, label: str) -> None:
        """Appends a user label of the user-type grid: label k belongs to x = k."""
    def SetDefaultGrid(self) -> None:
        """Chooses the default grid: value lines at even steps with their values."""
    def SetUserTypeGrid(self) -> None:
        """Chooses the user-type grid: one line per user label of the x range."""
    @property
    def isDefaultGrid(self) -> bool:
        """Whether the default grid is chosen."""
    @property
    def isUserTypeGrid(self) -> bool:
        """Whether the user-type grid is chosen."""
    @property
    def gridVisible(self) -> int:
        """Which grid lines are drawn: 0 both (default), 1 horizontal, 2 vertical, anything else none."""
    @gridVisible.setter
    def gridVisible(self, value: int) -> None: ...
    @property
    def gridVerticalLines(self) -> int:
        """Steps across the plot area's width for the vertical value lines (default 4)."""
    @gridVerticalLines.setter
    def gridVerticalLines(self, value: int) -> None: ...
    @property
    def gridHorizontalLines(self) -> int:
        """Steps across the plot area's height for the horizontal value lines (default 6)."""
    @gridHorizontalLines.setter
    def gridHorizontalLines(self, value: int) -> None: ...
    @property
    def gridDigitsAfterPoint(self) -> int:
        """Decimals of the grid and mark values and the cut of GetA, GetB and GetC (default 2)."""
    @gridDigitsAfterPoint.setter
    def gridDigitsAfterPoint(self, value: int) -> None: ...
    @property
    def polygonsCount(self) -> int:
        """Setting it removes every polygon and makes that many empty ones."""
    @polygonsCount.setter
    def polygonsCount(self, value: int) -> None: ...
    def AddPointToPolygon(self, index: int, x: float, y: float) -> None:
        """Appends a vertex to polygon index."""
    def SetPolygonProperties(self, index: int, color: int, transparency: float) -> None:
        """The fill colour and opacity of polygon index (1 opaque, 0 invisible); turns its border off."""
    def SetPolygonProperties2(self, index: int, color: int, transparency: float, border_width: int, border_style: int, border_color: int) -> None:
        """As SetPolygonProperties, with a border of a width, dash style (0..4) and colour."""
    def SetPolygonVisible(self, index: int, visible: bool) -> None:
        """Shows or hides polygon index."""
    def GetPolygonVisible(self, index: int) -> bool:
        """Whether polygon index is shown."""
    def AddMark(self, x: float, y: float) -> None:
        """Marks the point (x, y) with guide lines and its values boxed on the axes."""
    def AddMark2(self, x: float, y: float, label: str) -> None:
        """As AddMark, with label at the bottom instead of the x value."""
    def RemoveAllMarks(self) -> None:
        """Removes every mark."""
    def SetMarkVisible(self, index: int, visible: bool) -> None:
        """Shows or hides mark index."""
    def GetMarkVisible(self, index: int) -> bool:
        """Whether mark index is shown."""
    def AddRectangle(self, l: float, t: float, r: float, b: float, bk_color: int, transparency: float) -> None:
        """Appends a filled rectangle from x = l to r and y = t (top) down to b."""
    def AddRectangle2(self, l: float, t: float, r: float, b: float, bk_color: int, transparency: float, border_width: int, border_style: int, border_color: int) -> None:
        """As AddRectangle, with a border of a width, dash style (0..4) and colour."""
    def RemoveAllRectangles(self) -> None:
        """Removes every rectangle."""
    def SetRectVisible(self, index: int, visible: bool) -> None:
        """Shows or hides rectangle index."""
    def GetRectVisible(self, index: int) -> bool:
        """Whether rectangle index is shown."""
    def AddLine(self, x1: float, y1: float, x2: float, y2: float, width: int, style: int, color: int) -> None:
        """Appends a line from (x1, y1) to (x2, y2) with a pen width (1..15), dash style (0..4) and colour."""
    def RemoveAllLines(self) -> None:
        """Removes every line."""
    def SetLineVisible(self, index: int, visible: bool) -> None:
        """Shows or hides line index."""
    def GetLineVisible(self, index: int) -> bool:
        """Whether line index is shown."""
    def AddCandleStick(self, x: float, open: float, close: float, high: float, low: float) -> None:
        """Appends a candlestick over the x unit from x to x + 1."""
    def RemoveAllCandleSticks(self) -> None:
        """Removes every candlestick."""
    @property
    def candlesticsVisible(self) -> bool:
        """Whether the candlesticks are drawn (the name is spelt as published)."""
    @candlesticsVisible.setter
    def candlesticsVisible(self, value: bool) -> None: ...
    @property
    def preset(self) -> int:
        """The colour preset, 1..21 (any other value chooses 1)."""
    @preset.setter
    def preset(self, value: int) -> None: ...
    @property
    def presetName(self) -> str:
        """The name of the current preset."""
    @property
    def presetCount(self) -> int:
        """The number of presets (21)."""
    def AddLabelToLegend(self, color: int, label: str) -> None:
        """Appends a legend row: a square of color and the label."""
    @property
    def legendVisible(self) -> bool:
        """Whether the legend is drawn."""
    @legendVisible.setter
    def legendVisible(self, value: bool) -> None: ...
    @property
    def legendPosition(self) -> int:
        """The plot area's corner of the legend: 0 top left, 1 top right, 2 bottom right, else bottom left."""
    @legendPosition.setter
    def legendPosition(self, value: int) -> None: ...
    def AddPointsToPlot(self, plot: int, x: ArrayLike, y: ArrayLike) -> None:
        """Appends the points (x[i], y[i]) to plot in one call, all or none. x and y are one-dimensional arrays of real numbers of one length (NumPy arrays, lists); float64 C-contiguous arrays are read in place."""
    def AddPointsToPlot2(self, plot: int, y: ArrayLike) -> None:
        """Appends the values y to plot, the x values numbering on from the points already stored; arrays as for AddPointsToPlot."""
    def PointCount(self, plot: int) -> int:
        """The number of points stored in plot (0 outside 1..8)."""
    def SaveToPng(self, file_name: StrPath) -> None:
        """Writes the picture as an 8-bit RGB PNG file, replaced whole or not at all."""
    @property
    def Picture(self) -> Dib:
        """The picture as a Dib (24-bit rows, bottom row first), rendered afresh."""
    def DrawTo(self, buffer: NDArray[np.uint8], x: int = 0, y: int = 0) -> None:
        """Paints the chart into a writable (height, width, 4) uint8 buffer as the bytes B, G, R, 255, its top-left corner at (x, y); what falls outside is left out, the rest untouched."""
    @property
    def WorldXMin(self) -> float:
        """The left end of the world window the next render draws with."""
    @property
    def WorldXMax(self) -> float:
        """The right end of the world window."""
    @property
    def WorldYMin(self) -> float:
        """The bottom of the vertical range the layout chose from the data."""
    @property
    def WorldYMax(self) -> float:
        """The top of the vertical range."""
    @property
    def PlotAreaLeft(self) -> int:
        """The plot area's left edge in pixels; E_INVALIDARG while the picture has no size."""
    @property
    def PlotAreaTop(self) -> int:
        """The plot area's top edge in pixels."""
    @property
    def PlotAreaRight(self) -> int:
        """The plot area's right edge in pixels (the first column right of it)."""
    @property
    def PlotAreaBottom(self) -> int:
        """The plot area's bottom edge in pixels (the first row below it)."""
    def WorldToPixelX(self, x: float) -> float:
        """The device x of world x, unrounded; E_INVALIDARG where no number results."""
    def WorldToPixelY(self, y: float) -> float:
        """The device y of world y, unrounded, growing downwards."""
    def PixelToWorldX(self, px: float) -> float:
        """The world x a device x stands for."""
    def PixelToWorldY(self, py: float) -> float:
        """The world y a device y stands for."""
    def PointX(self, plot: int, index: int) -> float:
        """The x of point index (1..PointCount(plot)) of plot, as stored; E_INVALIDARG outside those ranges."""
    def PointY(self, plot: int, index: int) -> float:
        """The y of point index of plot, as stored."""
    def HitTest(self, x: float, y: float, radius: float) -> Hit:
        """What the next render paints within radius pixels of the device position (x, y), the topmost first, as a Hit."""
    def PlotCapacity(self, plot: int) -> int:
        """The most points plot keeps: 0 (the default) keeps every point, n > 0 the newest n."""
    def set_PlotCapacity(self, plot: int, capacity: int) -> None:
        """Keeps at most capacity points of plot (0: all), dropping the oldest at once and as points arrive; E_INVALIDARG when negative."""
    @property
    def XAxisType(self) -> int:
        """The horizontal axis: 0 the grid's even division (default), 1 round ticks, 2 automation dates, 3 Unix seconds, 4 logarithmic."""
    @XAxisType.setter
    def XAxisType(self, value: int) -> None: ...
    @property
    def YAxisType(self) -> int:
        """The vertical axis: 0 the grid's even division (default), 1 round ticks, 2 automation dates, 3 Unix seconds, 4 logarithmic."""
    @YAxisType.setter
    def YAxisType(self, value: int) -> None: ...
    @property
    def XLabelFormat(self) -> str:
        """The format code of the horizontal axis's labels ('' chooses one from the step)."""
    @XLabelFormat.setter
    def XLabelFormat(self, value: str) -> None: ...
    @property
    def YLabelFormat(self) -> str:
        """The format code of the vertical axis's labels ('' chooses one from the step)."""
    @YLabelFormat.setter
    def YLabelFormat(self, value: str) -> None: ...
    def FitSegmentToData(self) -> None:
        """Sets the horizontal window to the least and greatest X of the visible plots' points (widened to whole ticks on axes of types 1 to 4)."""
    def TickCount(self, axis: int) -> int:
        """The number of major ticks of axis 0 (x) or 1 (y) in the layout."""
    def TickValue(self, axis: int, index: int) -> float:
        """The value of major tick index (1..TickCount) of axis 0 or 1."""
    def TickLabel(self, axis: int, index: int) -> str:
        """The label text of major tick index (1..TickCount) of axis 0 or 1."""
    @property
    def Antialias(self) -> bool:
        """Whether pictures draw lines, wide pens and slanted shapes antialiased (exact pixel coverage); False draws the aliased pixels."""
    @Antialias.setter
    def Antialias(self, value: bool) -> None: ...
    def SaveToSvg(self, file_name: StrPath) -> None:
        """Writes the chart as an SVG 1.1 file of vector elements, replaced whole or not at all."""
    @property
    def PixelScale(self) -> float:
        """Device pixels per pixel of the chart's fixed lengths (margins, fonts, pens, markers), 1 to 4; the size stays in device pixels."""
    @PixelScale.setter
    def PixelScale(self, value: float) -> None: ...
    def to_numpy(self) -> NDArray[np.uint8]:
        """The picture as a (height, width, 4) uint8 array of R, G, B, 255, top row first."""
    def to_png(self) -> bytes:
        """The bytes of the PNG file SaveToPng would write."""
    def save_png(self, path: StrPath) -> None:
        """SaveToPng for a str, bytes or os.PathLike path."""
    def to_svg(self) -> str:
        """The text of the SVG file SaveToSvg would write."""
    def save_svg(self, path: StrPath) -> None:
        """SaveToSvg for a str, bytes or os.PathLike path."""
    def save_bmp(self, path: StrPath) -> None:
        """SaveToFile for a str, bytes or os.PathLike path."""
    def _repr_png_(self) -> Optional[bytes]:
        """The PNG IPython and Jupyter show; None for a chart of no size."""
