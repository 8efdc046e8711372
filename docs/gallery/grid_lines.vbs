' The default grid, with gridVisible = 0 (both directions), 1 (horizontal lines only) and
' 2 (vertical lines only); any other value draws no grid at all. gridHorizontalLines and
' gridVerticalLines set how many steps each direction has, gridDigitsAfterPoint the decimals
' of the values.
' Run as: cscript //nologo grid_lines.vbs picture.png N   (N = 0, 1 or 2)
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Default grid"
chart.gridHorizontalLines = 5
chart.gridVerticalLines = 8
chart.gridDigitsAfterPoint = 1
chart.plotsCount = 1
chart.AddPointsToPlot 1, Array(0, 1, 2, 3, 4, 5, 6, 7, 8), Array(0.2, 1.1, 0.7, 1.9, 2.4, 2.1, 3.0, 3.6, 3.3)
chart.SetSimplePlot 1
chart.SetSegment 0, 8
chart.gridVisible = WScript.Arguments(1)
chart.SaveToPng WScript.Arguments(0)
