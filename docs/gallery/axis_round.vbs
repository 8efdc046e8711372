' The same data under the grid's own division (XAxisType = YAxisType = 0, the default: the
' window cut into equal parts labelled with fixed decimals) and with round ticks (type 1:
' steps of 1, 2 or 5 times a power of ten, as many as their labels leave a character apart,
' the vertical range widened to whole ticks).
' Run as: cscript //nologo axis_round.vbs picture.png N   (N = 0 or 1)
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Round ticks beside the grid's division"
chart.plotsCount = 1
chart.AddPointsToPlot 1, Array(4.3, 8.9, 12.2, 17.8, 21.5, 26.0, 30.4, 36.7), _
  Array(3.1, 5.6, 4.8, 9.2, 11.7, 10.3, 14.9, 17.2)
chart.SetSimplePlot 1
chart.SetPointVisible 1, True
chart.SetSegment 4.3, 36.7
chart.XAxisType = WScript.Arguments(1)
chart.YAxisType = WScript.Arguments(1)
chart.SaveToPng WScript.Arguments(0)
