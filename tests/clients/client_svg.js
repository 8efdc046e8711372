// SaveToSvg from JScript: by name on the ProgID, the file it writes (an XML document whose
// root is <svg>, checked with the system's XML parser when there is one), and the calls it
// refuses, which leave an existing file alone.
// Run with: cscript //nologo client_svg.js   (files go to %CORVANE_CLIENT_OUT% or %TEMP%)

var fso = new ActiveXObject("Scripting.FileSystemObject");
eval(fso.OpenTextFile(fso.BuildPath(fso.GetParentFolderName(WScript.ScriptFullName), "checks.js")).ReadAll());

var E_INVALIDARG = 0x80070057, PATH_NOT_FOUND = 0x80070003;
var shell = new ActiveXObject("WScript.Shell");
var outDir = cutAtNull(shell.Environment("PROCESS")("CORVANE_CLIENT_OUT"));
if (outDir === "") outDir = cutAtNull(shell.ExpandEnvironmentStrings("%TEMP%"));

var o = new ActiveXObject("Corvane.CorvaneEx");
o.SetSize(320, 240);
o.plotsCount = 2;
o.AddPointsToPlot(1, [1, 2, 3, 4, 5], [2, 5, 3, 7, 4]);
o.AddPointsToPlot2(2, [6, 1, 4, 2, 8]);
o.caption = "SVG & <text> \u00e9";
o.preset = 2;  // a gradient background
var file = outDir + "\\client_svg.svg";

step("SaveToSvg", function () {
  o.SaveToSvg(file);
  check("the file exists", fso.FileExists(file), true);
  check("the file has bytes", fso.GetFile(file).Size > 1000, true);
  check("it starts as XML", fso.OpenTextFile(file).Read(5), "<?xml");
});

step("well formed", function () {
  var doc = null;
  try {
    doc = new ActiveXObject("Msxml2.DOMDocument.3.0");
  } catch (e) {
    WScript.Echo("note: no XML parser here, only the start of the file was checked");
    return;
  }
  doc.async = false;
  doc.validateOnParse = false;
  doc.resolveExternals = false;
  check("it parses", doc.load(file), true);
  check("the root", doc.documentElement ? doc.documentElement.nodeName : "", "svg");
  var texts = doc.getElementsByTagName("text");
  var found = false;
  for (var i = 0; i < texts.length; i++)
    if (texts.item(i).text === "SVG & <text> \u00e9") found = true;
  check("the caption as text", found, true);
});

step("refused", function () {
  var size = fso.GetFile(file).Size;
  checkThrows("a missing folder", PATH_NOT_FOUND, function () { o.SaveToSvg(outDir + "\\no\\such\\folder\\x.svg"); });
  checkThrows("an empty name", E_INVALIDARG, function () { o.SaveToSvg(""); });
  o.SetSize(0, 240);
  checkThrows("no picture size", E_INVALIDARG, function () { o.SaveToSvg(file); });
  check("the file is left as it was", fso.GetFile(file).Size, size);
});

o = null;
WScript.Echo("jscriptsvg: " + passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
