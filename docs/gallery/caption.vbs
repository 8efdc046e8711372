' The caption is centred 10 pixels below the top edge in bold Arial; the texts take the
' preset's text colour. A caption wider than the picture is cut at both edges.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Quarterly revenue, all regions"
chart.arrowCaptionX = "quarter"
chart.arrowCaptionY = "revenue"
chart.preset = 3
chart.plotsCount = 1
chart.AddPointsToPlot2 1, Array(3.1, 3.4, 3.3, 3.9, 4.2, 4.0, 4.6, 5.1)
chart.SetSimplePlot 1
chart.SetPlotWidth 1, 2
chart.SetSegment 1, 8
chart.SaveToPng WScript.Arguments(0)
