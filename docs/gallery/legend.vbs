' The legend: AddLabelToLegend colour, text adds a row; legendPosition puts the box in a
' corner of the plot area: 0 top left, 1 top right, 2 bottom right, anything else bottom
' left.
' Run as: cscript //nologo legend.vbs picture.png N   (N = 0..3)
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Legend"
chart.plotsCount = 2
chart.AddPointsToPlot2 1, Array(5, 6, 5.5, 7, 6.5, 8)
chart.SetSimplePlot 1
chart.SetPlotColor 1, RGB(192, 0, 0)
chart.AddPointsToPlot2 2, Array(2, 3, 2.5, 3.5, 4, 3.8)
chart.SetSimplePlot 2
chart.SetPlotColor 2, RGB(0, 0, 192)
chart.SetSegment 1, 6
chart.AddLabelToLegend RGB(192, 0, 0), "north"
chart.AddLabelToLegend RGB(0, 0, 192), "south"
chart.legendPosition = WScript.Arguments(1)
chart.SaveToPng WScript.Arguments(0)
