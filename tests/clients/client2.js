// ICorvaneEx2 from JScript: the new members by name with JScript arrays, the calls that
// must fail whole, and the pictures read back by the checker (%CORVANE_PIXEL_CHECK%).
// Run with: cscript //nologo client2.js   (files go to %CORVANE_CLIENT_OUT% or %TEMP%)

// The shared checks, evaluated in the global scope.
var fso = new ActiveXObject("Scripting.FileSystemObject");
eval(fso.OpenTextFile(fso.BuildPath(fso.GetParentFolderName(WScript.ScriptFullName), "checks.js")).ReadAll());

var E_INVALIDARG = 0x80070057, DISP_E_TYPEMISMATCH = 0x80020005;
var shell = new ActiveXObject("WScript.Shell");
var env = shell.Environment("PROCESS");
var outDir = cutAtNull(env("CORVANE_CLIENT_OUT"));
if (outDir === "") outDir = cutAtNull(shell.ExpandEnvironmentStrings("%TEMP%"));
var checker = cutAtNull(env("CORVANE_PIXEL_CHECK"));

function quoted(s) { return "\"" + s + "\""; }
// Runs the checker; 0 means the pictures agree.
function pixels(args) {
  return checker === "" ? -1 : shell.Run(quoted(checker) + " " + args, 0, true);
}

var o = new ActiveXObject("Corvane.CorvaneEx");
var q = new ActiveXObject("Corvane.CorvaneEx");
o.SetSize(200, 150);
q.SetSize(200, 150);
o.plotsCount = 2;
q.plotsCount = 2;
o.SetSegment(0, 10);  // every X value in view
q.SetSegment(0, 10);
// Grid labels sample their background at random places: two renders need not agree.
o.gridVisible = 3;
q.gridVisible = 3;
var xs = [1, 2.5, 3, 4.75, 6, 8], ys = [2, -1, 0.5, 7, 3, 3.25];
var bmpA = outDir + "\\client2_js_arrays.bmp", bmpB = outDir + "\\client2_js_points.bmp";

step("arrays", function () {
  o.AddPointsToPlot(1, xs, ys);
  o.AddPointsToPlot2(2, ys);
  check("PointCount 1", o.PointCount(1), 6);
  check("PointCount 2", o.PointCount(2), 6);
  for (var i = 0; i < xs.length; i++) {
    q.AddPointToPlot(1, xs[i], ys[i]);
    q.AddPointToPlot2(2, ys[i]);
  }
  o.SaveToFile(bmpA);
  q.SaveToFile(bmpB);
  check("arrays draw what one-point calls draw", pixels("same " + quoted(bmpA) + " " + quoted(bmpB)), 0);
  o.AddPointsToPlot2(1, []);
  check("an empty array", o.PointCount(1), 6);
  check("PointCount(0)", o.PointCount(0), 0);
});

step("all or nothing", function () {
  checkThrows("lengths differ", E_INVALIDARG, function () { o.AddPointsToPlot(1, [1, 2], [3]); });
  checkThrows("a string element", DISP_E_TYPEMISMATCH, function () { o.AddPointsToPlot2(1, [1, "x"]); });
  checkThrows("a hole", DISP_E_TYPEMISMATCH, function () { o.AddPointsToPlot2(1, [1, , 3]); });
  checkThrows("undefined", DISP_E_TYPEMISMATCH, function () { o.AddPointsToPlot2(1, [1, undefined]); });
  checkThrows("an object", DISP_E_TYPEMISMATCH, function () { o.AddPointsToPlot2(1, { a: 1 }); });
  checkThrows("a number", DISP_E_TYPEMISMATCH, function () { o.AddPointsToPlot(1, 1, 2); });
  check("nothing added", o.PointCount(1), 6);
});

step("pictures", function () {
  var png = outDir + "\\client2_js.png";
  o.SaveToPng(png);
  check("PNG decodes to the BMP's pixels", pixels("png " + quoted(png) + " " + quoted(bmpA)), 0);
  var p = o.Picture;
  check("Picture.Type", p.Type, 1);
  check("Picture.Handle", p.Handle !== 0, true);
  checkThrows("DrawTo into a bitmap handle", E_INVALIDARG, function () { o.DrawTo(p.Handle, 0, 0); });
  p = null;
  o.CopyToClipboard();
  check("clipboard holds the BMP's pixels", pixels("clipboard " + quoted(bmpA)), 0);
  fso.DeleteFile(png);
});

try {
  fso.DeleteFile(bmpA);
  fso.DeleteFile(bmpB);
} catch (e) {
}
o = null;
q = null;
WScript.Echo("jscript2: " + passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
