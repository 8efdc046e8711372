' Corvane from VBScript: a chart of two plots, saved as a PNG.
' Register the DLL once (regsvr32 Corvane.dll), then: cscript //nologo vbscript.vbs chart.png
Option Explicit
Dim chart, i, y, path
path = "chart.png"
If WScript.Arguments.Count > 0 Then path = WScript.Arguments(0)

Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300                 ' the picture in pixels
chart.caption = "Hello, Corvane"
chart.plotsCount = 2                   ' plots 1 and 2 take part

For i = 1 To 20
  y = ((i * 7) Mod 11) + i / 2
  chart.AddPointToPlot 1, i, y
  chart.AddPointToPlot 2, i, y
Next
chart.SetSimplePlot 1                  ' plot 1: a polyline through the points...
chart.SetPlotColor 1, RGB(200, 0, 0)
chart.SetPointVisible 1, True          ' ...with a marker on each
chart.SetLinearApproximate 2           ' plot 2: their least-squares line
chart.SetPlotColor 2, RGB(0, 0, 200)
chart.SetPlotWidth 2, 2
chart.SetSegment 1, 20                 ' the x range to show

chart.AddLabelToLegend RGB(200, 0, 0), "measured"
chart.AddLabelToLegend RGB(0, 0, 200), "trend"
chart.SaveToPng path                   ' or SaveToFile for a BMP
WScript.Echo "wrote " & path & "; trend y = " & chart.GetA(2) & " x + " & chart.GetB(2)
