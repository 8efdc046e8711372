' A Bode-style plot on logarithmic axes: XAxisType = 4 and YAxisType = 4 put the ticks at the
' powers of ten with minor lines at 2..9 times each; the magnitude of a second-order low-pass
' filter falls by two decades a decade past its corner at 300 Hz. The least-squares line of
' plot 2 is drawn as the world line's curve through the logarithmic mapping.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 560, 380
chart.caption = "Low-pass filter, magnitude"
chart.arrowCaptionX = "Hz"
chart.arrowCaptionY = "gain"
chart.XAxisType = 4
chart.YAxisType = 4
chart.plotsCount = 2
chart.SetSimplePlot 1
chart.SetPointVisible 1, True
chart.SetPlotColor 1, RGB(0, 0, 192)
chart.AddPointsToPlot 1, Array(1, 1.25893, 1.58489, 1.99526, 2.51189, 3.16228, 3.98107, 5.01187, 6.30957, 7.94328, _
  10, 12.5893, 15.8489, 19.9526, 25.1189, 31.6228, 39.8107, 50.1187, 63.0957, 79.4328, _
  100, 125.893, 158.489, 199.526, 251.189, 316.228, 398.107, 501.187, 630.957, 794.328, _
  1000, 1258.93, 1584.89, 1995.26, 2511.89, 3162.28, 3981.07, 5011.87, 6309.57, 7943.28, _
  10000, 12589.3, 15848.9, 19952.6, 25118.9, 31622.8, 39810.7, 50118.7, 63095.7, 79432.8, _
  100000), _
  Array(1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, _
  1000, 1000, 1000, 1000, 1000, 999.9, 999.8, 999.6, 999, 997.6, _
  993.9, 984.8, 963.2, 914.5, 818.8, 669, 493.8, 337.3, 220.5, 141.2, _
  89.64, 56.69, 35.81, 22.6, 14.26, 9, 5.679, 3.583, 2.261, 1.426, _
  0.9, 0.5679, 0.3583, 0.2261, 0.1426, 0.09, 0.05679, 0.03583, 0.02261, 0.01426, _
  0.009)
chart.AddPointsToPlot 2, Array(1, 10, 100, 1000), Array(2, 20, 200, 2000)
chart.SetLinearApproximate 2
chart.SetPlotColor 2, RGB(0, 160, 0)
chart.SetSegment 1, 100000
chart.SaveToPng WScript.Arguments(0)
