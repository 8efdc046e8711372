' A stream into a ring: plot 1 keeps its newest 90 points (PlotCapacity), and three bursts
' of 40 arrive; the 30 oldest leave, the numbering of AddPointsToPlot2 goes on rising, and
' the window follows the newest 60 as a live display does after each burst.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 480, 300
chart.caption = "The newest 60 of a stream"
chart.plotsCount = 1
chart.PlotCapacity(1) = 90
chart.SetSimplePlot 1
chart.SetPlotWidth 1, 2
chart.SetPointVisible 1, True
chart.AddPointsToPlot2 1, Array(22.3, 24.1, 25.1, 25.2, 24.7, 24.0, 23.5, 23.7, 24.6, 26.2, 28.0, 29.5, 30.4, _
  30.3, 29.4, 27.9, 26.2, 25.0, 24.4, 24.6, 25.3, 26.1, 26.5, 26.2, 25.0, 23.0, _
  20.7, 18.5, 16.9, 16.1, 16.2, 16.7, 17.3, 17.5, 17.0, 15.8, 14.0, 12.1, 10.5, _
  9.8)
chart.AddPointsToPlot2 1, Array(10.0, 11.0, 12.4, 13.8, 14.8, 15.0, 14.5, 13.6, 12.7, 12.4, 12.9, 14.3, 16.3, _
  18.6, 20.6, 22.0, 22.5, 22.3, 21.8, 21.3, 21.4, 22.2, 23.8, 25.8, 27.7, 29.2, _
  29.8, 29.5, 28.5, 27.2, 26.0, 25.4, 25.6, 26.4, 27.4, 28.3, 28.5, 27.9, 26.3, _
  24.2)
chart.AddPointsToPlot2 1, Array(22.0, 20.2, 19.1, 18.8, 19.2, 19.7, 20.1, 19.7, 18.6, 16.8, 14.6, 12.6, 11.3, _
  10.8, 17.2, 18.2, 19.4, 20.3, 20.5, 20.0, 18.9, 17.7, 16.8, 16.7, 17.5, 19.2, _
  21.3, 23.3, 24.9, 25.7, 25.7, 25.3, 24.7, 24.6, 25.2, 26.6, 28.6, 30.9, 32.8, _
  34.0)
chart.SetSegment 61, 120
chart.SaveToPng WScript.Arguments(0)
