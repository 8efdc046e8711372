' Candlesticks: AddCandleStick x, open, close, high, low. A rising day (close above open)
' and a falling one take the preset's rise and fall colours; the wick runs from low to high.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Candlesticks"
chart.AddCandleStick 1, 20, 23, 24, 19
chart.AddCandleStick 2, 23, 22, 25, 21
chart.AddCandleStick 3, 22, 26, 27, 21.5
chart.AddCandleStick 4, 26, 25, 28, 24
chart.AddCandleStick 5, 25, 21, 26, 20
chart.AddCandleStick 6, 21, 22, 23, 19
chart.AddCandleStick 7, 22, 27, 28, 22
chart.AddCandleStick 8, 27, 29, 30, 26
chart.AddCandleStick 9, 29, 28, 31, 27
chart.AddCandleStick 10, 28, 30, 32, 27.5
chart.SetSegment 0, 11
chart.SaveToPng WScript.Arguments(0)
