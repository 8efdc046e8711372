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

Dim chart
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 640, 400
chart.preset = 2
AddSeries chart
AddOverlayLines chart
chart.SaveToFile prefix & "_plots.bmp"
WScript.Echo prefix & "_plots.bmp: written"
Set chart = Nothing

Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.preset = 4
AddSeries chart
chart.SaveToFile prefix & "_texture.bmp"
WScript.Echo prefix & "_texture.bmp: written"
