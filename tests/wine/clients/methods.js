// The methods from JScript, which passes arguments by value, and the
// errors it sees (the full error code: JScript does not shorten it).
var p = new ActiveXObject("Tallymere.Prestova");

function attempt(what, call) {
  try {
    var r = call();
    WScript.Echo(what + ": " + typeof r + "(" + r + ")");
  } catch (e) {
    WScript.Echo(what + ": error 0x" + (e.number >>> 0).toString(16) + " " + e.description);
  }
}

var v = "4.79 (en)";
attempt("CutLangType 4.79 (en)", function () { return p.CutLangType(v); });
WScript.Echo("  Number unchanged: " + v);
attempt("CutLangType 6.5", function () { return p.CutLangType(6.5); });
attempt("CutDecimal 1.23456 2", function () { return p.CutDecimal("1.23456", 2); });
attempt("CutDecimal 3.14159 (number) 3", function () { return p.CutDecimal(3.14159, 3); });
attempt("GetDiskSpace C:", function () { return p.GetDiskSpace("C:\\") > 0; });
attempt("DeviceColors 0", function () { return p.DeviceColors(0); });
attempt("getVersion", function () { return typeof p.getVersion(); });
attempt("CutLangType (en)", function () { return p.CutLangType("(en)"); });
attempt("CutDecimal ByPlace 256", function () { return p.CutDecimal("1.5", 256); });
attempt("CutDecimal ByPlace -1", function () { return p.CutDecimal("1.5", -1); });
attempt("CutDecimal no arguments", function () { return p.CutDecimal(); });
attempt("CutLangType null", function () { return p.CutLangType(null); });
attempt("noSuchMember", function () { return p.noSuchMember(); });
WScript.Echo("DONE");
