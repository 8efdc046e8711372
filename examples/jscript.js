// Corvane from JScript: the chart of vbscript.vbs, saved as a PNG.
// Register the DLL once (regsvr32 Corvane.dll), then: cscript //nologo jscript.js chart.png
var path = WScript.Arguments.Count() > 0 ? WScript.Arguments(0) : "chart.png";

// JScript has no RGB(): an OLE colour is 0x00BBGGRR.
function rgb(r, g, b) { return r + g * 256 + b * 65536; }

var chart = new ActiveXObject("Corvane.CorvaneEx");
chart.SetSize(400, 300);
chart.caption = "Hello, Corvane";
chart.plotsCount = 2;

// Whole arrays in one call each (a JScript array is accepted as it is).
var xs = [], ys = [];
for (var i = 1; i <= 20; i++) {
  xs.push(i);
  ys.push((i * 7) % 11 + i / 2);
}
chart.AddPointsToPlot(1, xs, ys);
chart.AddPointsToPlot(2, xs, ys);
chart.SetSimplePlot(1);
chart.SetPlotColor(1, rgb(200, 0, 0));
chart.SetPointVisible(1, true);
chart.SetLinearApproximate(2);
chart.SetPlotColor(2, rgb(0, 0, 200));
chart.SetPlotWidth(2, 2);
chart.SetSegment(1, 20);

chart.AddLabelToLegend(rgb(200, 0, 0), "measured");
chart.AddLabelToLegend(rgb(0, 0, 200), "trend");
chart.SaveToPng(path);
WScript.Echo("wrote " + path + "; " + chart.PointCount(1) + " points in plot 1");
