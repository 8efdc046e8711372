' One chart under each of the 21 colour presets. `preset` recolours the background, the
' grid, every text, the axes and the candlesticks that exist when it is set; the plots, the
' overlays and the legend keep the colours the script gave them.
' Run as: cscript //nologo presets.vbs picture.png N   (N = 1..21)
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Monthly sales"
chart.arrowCaptionX = "month"
chart.arrowCaptionY = "units"

' Plot 1: the sales as a polyline with point markers.
chart.plotsCount = 2
chart.AddPointsToPlot 1, Array(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12), _
  Array(12, 15, 14, 18, 22, 21, 25, 24, 27, 31, 29, 34)
chart.SetSimplePlot 1
chart.SetPlotColor 1, RGB(192, 0, 0)
chart.SetPlotWidth 1, 2
chart.SetPointVisible 1, True
chart.SetPointColor 1, RGB(96, 0, 0)
' Plot 2: the same figures as a least-squares line.
chart.AddPointsToPlot 2, Array(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12), _
  Array(12, 15, 14, 18, 22, 21, 25, 24, 27, 31, 29, 34)
chart.SetLinearApproximate 2
chart.SetPlotColor 2, RGB(0, 96, 192)

' A translucent band and three candlesticks (they take the preset's candle colours).
chart.AddRectangle 1, 30, 12, 26, RGB(0, 192, 96), 0.3
chart.AddCandleStick 3, 8, 11, 13, 7
chart.AddCandleStick 6, 15, 12, 16, 10
chart.AddCandleStick 9, 17, 20, 21, 16
chart.SetSegment 1, 12
chart.AddLabelToLegend RGB(192, 0, 0), "units sold"
chart.AddLabelToLegend RGB(0, 96, 192), "trend"

chart.preset = WScript.Arguments(1)
chart.SaveToPng WScript.Arguments(0)
