' Axes cross where x = 0 and y = 0 fall inside the window, else at the plot area's edge.
' arrowR and arrowH size the arrow heads, arrowLineWidth their lines; arrowCaptionX and
' arrowCaptionY name the axes.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Axes through the origin"
chart.arrowCaptionX = "time, s"
chart.arrowCaptionY = "speed"
chart.arrowR = 6
chart.arrowH = 16
chart.arrowLineWidth = 3
chart.plotsCount = 1
chart.AddPointsToPlot 1, Array(-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5), _
  Array(-4, -3.5, -1.6, -1.8, 0.3, 0.8, 1.2, 2.9, 2.6, 4.1, 4.6)
chart.SetSimplePlot 1
chart.SetPlotColor 1, RGB(0, 0, 192)
chart.SetSegment -5, 5
chart.SaveToPng WScript.Arguments(0)
