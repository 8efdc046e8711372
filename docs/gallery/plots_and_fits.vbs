' Up to eight plots. A plot is drawn as a polyline (SetSimplePlot), as its least-squares
' line (SetLinearApproximate) or as its least-squares parabola (SetSquareApproximate), with
' a pen 1 to 15 pixels wide and optional square point markers.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Plots and fits"
chart.plotsCount = 3

' A polyline 1 pixel wide with markers.
chart.AddPointsToPlot2 1, Array(3, 5, 4, 7, 6, 9, 8, 11, 10, 12)
chart.SetSimplePlot 1
chart.SetPlotColor 1, RGB(0, 0, 160)
chart.SetPointVisible 1, True
chart.SetPointColor 1, RGB(0, 0, 255)

' The same points, fitted by a straight line drawn 3 pixels wide.
chart.AddPointsToPlot2 2, Array(3, 5, 4, 7, 6, 9, 8, 11, 10, 12)
chart.SetLinearApproximate 2
chart.SetPlotColor 2, RGB(0, 144, 0)
chart.SetPlotWidth 2, 3

' A curve fitted by a parabola.
chart.AddPointsToPlot2 3, Array(11, 7, 4, 2, 1, 1, 2, 4, 7, 11)
chart.SetSquareApproximate 3
chart.SetPlotColor 3, RGB(192, 0, 0)
chart.SetPlotWidth 3, 2

chart.SetSegment 1, 10
chart.legendPosition = 1
chart.AddLabelToLegend RGB(0, 0, 160), "polyline, markers"
chart.AddLabelToLegend RGB(0, 144, 0), "least-squares line"
chart.AddLabelToLegend RGB(192, 0, 0), "least-squares parabola"
chart.SaveToPng WScript.Arguments(0)
