' The user-type grid: one vertical line per user label (AddLabelToGrid) in the segment's
' window, labelled with it, and plots drawn from the points of that window. Here with the
' caption hidden, which moves the plot area up.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.captionVisible = False
chart.SetUserTypeGrid
chart.AddLabelToGrid "Jan"
chart.AddLabelToGrid "Feb"
chart.AddLabelToGrid "Mar"
chart.AddLabelToGrid "Apr"
chart.AddLabelToGrid "May"
chart.AddLabelToGrid "Jun"
chart.plotsCount = 1
chart.AddPointsToPlot2 1, Array(14, 18, 11, 20, 23, 19)
chart.SetSimplePlot 1
chart.SetPlotWidth 1, 2
chart.SetPointVisible 1, True
chart.SetSegment 1, 6
chart.SaveToPng WScript.Arguments(0)
