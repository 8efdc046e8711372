' Renders the demo charts through the registered COM server, member by member as
' examples/demo_charts.cpp does natively. Usage: cscript //nologo demo.vbs OUTPUT_PREFIX
Option Explicit

Dim prefix
If WScript.Arguments.Count > 0 Then prefix = WScript.Arguments(0) Else prefix = "corvane_demo"

Sub AddSeries(c)
  Dim i
  c.plotsCount = 3
  For i = 1 To 40
    c.AddPointToPlot2 1, ((i * 7) Mod 11) - 5 + i * 0.2
    c.AddPointToPlot2 2, 0.5 * i + ((i * 5) Mod 7) - 12
    c.AddPointToPlot2 3, 0.02 * (i - 20) * (i - 20) - 4 + (i Mod 3)
  Next
  c.SetSimplePlot 1
  c.SetPlotColor 1, &HC0&
  c.SetPointVisible 1, True
  c.SetPointColor 1, &H60&
  c.SetLinearApproximate 2
  c.SetPlotColor 2, &HC00000
  c.SetPlotWidth 2, 3
  c.SetSquareApproximate 3
  c.SetPlotColor 3, &H8000&
  c.SetSegment 1, 40
End Sub

Sub AddOverlayLines(c)
  c.AddLine 1, -6, 40, 10, 1, 1, &H800080
  c.AddLine 1, 8, 40, 8, 2, 2, &H8080&
  c.AddLine 5, -8, 35, -8, 1, 3, &H404040
  c.AddLine 20, -9, 20, 11, 1, 4, 0
  c.AddLine 1, 0, 40, 0, 3, 0, &H80FF&
End Sub

Sub AddShapes(c)
  c.polygonsCount = 3
  c.AddPointToPolygon 1, 5, -8
  c.AddPointToPolygon 1, 15, -2
  c.AddPointToPolygon 1, 8, 9
  c.SetPolygonProperties2 1, &HFF8000, 0.35, 2, 0, &H800000
  c.AddPointToPolygon 2, 18, 4
  c.AddPointToPolygon 2, 21, 2
  c.AddPointToPolygon 2, 24, 4
  c.AddPointToPolygon 2, 23, 7
  c.AddPointToPolygon 2, 19, 7
  c.SetPolygonProperties2 2, &H4080C0, 1.0, 1, 0, &H204060
  c.AddPointToPolygon 3, -2, 6
  c.AddPointToPolygon 3, 4, 8
  c.AddPointToPolygon 3, 6, 14
  c.AddPointToPolygon 3, 7, 7
  c.AddPointToPolygon 3, 12, 5
  c.AddPointToPolygon 3, 6, 4
  c.SetPolygonProperties 3, &HC000&, 0.5

  c.AddRectangle 22, 10, 30, -6, &HC0FF&, 0.3
  c.AddRectangle2 32, -4, 38, -9, &HE0E0E0, 1.0, 2, 1, &H404040
  c.AddRectangle2 26, 12, 27, -10, &HFF&, 0.2, 1, 4, &H80&

  c.AddCandleStick 25, 2, 5, 7, 1
  c.AddCandleStick 27, 5, 3, 6, 0
  c.AddCandleStick 29, 3, 3, 5, 2
  c.AddCandleStick 31, 3, 7, 9, 2.5
  c.AddCandleStick 33, 7, 6.5, 8, 4
  c.AddCandleStick 35, 6.5, 9, 11, 6
End Sub

Sub AddMarksAndLegend(c)
  c.AddMark 10, 1
  c.AddMark2 34, 8.8, "Peak"
  c.legendPosition = 2
  c.AddLabelToLegend &HC0&, "measured"
  c.AddLabelToLegend &HC00000, "least squares line"
  c.AddLabelToLegend &H8000&, "least squares parabola"
End Sub

Sub AddShapesLegend(c)
  c.legendPosition = 1
  c.AddLabelToLegend &HFF8000, "translucent triangle"
  c.AddLabelToLegend &HC0FF&, "band"
  c.AddLabelToLegend &HE0E0E0, "opaque rectangle"
End Sub

Dim chart
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 640, 400
chart.preset = 2
AddSeries chart
AddOverlayLines chart
AddMarksAndLegend chart
chart.SaveToFile prefix & "_plots.bmp"
WScript.Echo prefix & "_plots.bmp: written"
Set chart = Nothing

Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.preset = 4
AddSeries chart
chart.SaveToFile prefix & "_texture.bmp"
WScript.Echo prefix & "_texture.bmp: written"

' The overlay chart under three presets, as examples/demo_charts.cpp lists them.
Dim presets, kinds, k
presets = Array(3, 13, 16)
kinds = Array("overlays_matrix", "overlays_red", "overlays_olive_texture")
For k = 0 To 2
  Set chart = CreateObject("Corvane.CorvaneEx")
  chart.SetSize 640, 400
  AddSeries chart
  AddShapes chart
  AddShapesLegend chart
  chart.preset = presets(k)
  chart.SaveToFile prefix & "_" & kinds(k) & ".bmp"
  WScript.Echo prefix & "_" & kinds(k) & ".bmp: written"
  Set chart = Nothing
Next
