// The fleet dashboard: one self-contained HTML file, no network, no external
// scripts or fonts. Records are written as script data while they arrive;
// the page's own script draws the summaries, the verdict charts (inline
// SVG), the most common missing items and a table that sorts, filters and
// shows a page of rows at a time, so a hundred thousand machines stay usable.
#include "apps/prestova/report/report_writer.hpp"
#include "render/face_uri.hpp"
#include "render/json_escape.hpp"

#include <ostream>

namespace prestova {

namespace {

// A JSON string that may sit inside a <script> element.
std::string script_string(std::string_view utf8)
{
    std::string s = json_string(utf8);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '<' && i + 1 < s.size() && (s[i + 1] == '/' || s[i + 1] == '!')) out += "\\u003c";
        else out += s[i];
    }
    return out;
}

char verdict_letter(RowVerdict v)
{
    switch (v) {
    case RowVerdict::Good: return 'g';
    case RowVerdict::Okay: return 'o';
    case RowVerdict::Bad: return 'b';
    case RowVerdict::None: break;
    }
    return 'n';
}

constexpr std::size_t kRecordsPerScript = 500;

// The verdict pictures are written once; each inline panel names them.
constexpr std::pair<Verdict, std::string_view> kFaces[]{
    {Verdict::Good, "@face-good@"}, {Verdict::Okay, "@face-okay@"}, {Verdict::Bad, "@face-bad@"}};

std::string with_named_faces(std::string svg)
{
    for (const auto& [verdict, name] : kFaces) {
        const std::string& uri = face_data_uri(verdict);
        for (std::size_t at = svg.find(uri); at != std::string::npos; at = svg.find(uri, at + name.size()))
            svg.replace(at, uri.size(), name);
    }
    return svg;
}

constexpr std::string_view kHead = R"HTML(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src 'self' data: file:">
<title>Prestova fleet report</title>
<style>
body{font-family:Verdana,Arial,sans-serif;font-size:13px;margin:16px;color:#111}
h1{font-size:20px}h2{font-size:16px;margin:18px 0 6px}
.pages{display:flex;flex-wrap:wrap;gap:16px}
.page{border:1px solid #bbb;border-radius:6px;padding:10px;min-width:340px}
.counts{display:flex;gap:8px;margin:6px 0}
.count{padding:6px 10px;border-radius:4px;font-weight:bold}
.ready{background:#c8efc8}.usable{background:#fff1b8}.notready{background:#f7c6c6}.error{background:#ddd}
table.machines{border-collapse:collapse;width:100%;margin-top:8px}
table.machines th,table.machines td{border:1px solid #ccc;padding:3px 5px;text-align:left;vertical-align:top}
table.machines th{background:#eee;cursor:pointer;user-select:none;white-space:nowrap}
td.v-g{background:#c8efc8}td.v-o{background:#fff1b8}td.v-b{background:#f7c6c6}td.v-n{background:#eee}
.controls{display:flex;gap:10px;align-items:center;flex-wrap:wrap}
#panel-view{position:fixed;inset:20px;background:#fff;border:2px solid #555;overflow:auto;padding:10px;box-shadow:0 0 20px #0006}
#panel-view[hidden]{display:none}
.missing li{margin:1px 0}
</style></head><body>
<h1>Prestova fleet report</h1>
<div id="summary" class="pages"></div>
<h2>Machines</h2>
<div class="controls">
<label>Page <select id="page-filter"></select></label>
<label>Readiness <select id="readiness"><option value="">all</option><option value="0">ready</option><option value="1">usable</option><option value="2">not ready</option><option value="3">could not be read</option></select></label>
<label>Find <input id="search" type="search" placeholder="machine, file or value"></label>
<span id="shown"></span>
<button id="prev">&lt; previous</button><button id="next">next &gt;</button>
</div>
<table class="machines" id="machines"><thead><tr id="head"></tr></thead><tbody id="rows"></tbody></table>
<div id="panel-view" hidden><button id="panel-close">close</button> <span id="panel-title"></span><div id="panel-body"></div></div>
<script>"use strict";var D=[],E=[],P=[];
)HTML";

constexpr std::string_view kApp = R"HTML(<script>"use strict";
(function(){
var ROWS=["Memory","Processor","Disk","Video","Operating system","Software","Browser"];
var READY=["ready","usable","not ready","could not be read"],RCLASS=["ready","usable","notready","error"];
var VNAME={g:"good",o:"okay",b:"bad",n:"none"},VCOL={g:"#3a9d3a",o:"#e0b000",b:"#d03030",n:"#999"};
function esc(s){return String(s).replace(/[&<>"]/g,function(c){return{"&":"&amp;","<":"&lt;",">":"&gt;","\"":"&quot;"}[c];});}
function el(id){return document.getElementById(id);}
// All records in one list: [file, machine, page, readiness, verdicts, values, missing, stopped, panel]
var all=D.slice();
E.forEach(function(e){all.push([e[0],e[1],-1,3,"nnnnnnn",["","","","","","",""],[],"line "+e[2]+": "+e[3],""]);});
function chart(counts){
  var w=330,bh=16,gap=6,lw=110,h=ROWS.length*(bh+gap),s='<svg xmlns="http://www.w3.org/2000/svg" width="'+w+'" height="'+(h+18)+'" role="img">';
  ROWS.forEach(function(name,i){
    var y=i*(bh+gap),tot=0,x=lw;"gobn".split("").forEach(function(v){tot+=counts[i][v];});
    s+='<text x="0" y="'+(y+12)+'" font-size="11">'+esc(name)+'</text>';
    "gobn".split("").forEach(function(v){if(!tot||!counts[i][v])return;var bw=(w-lw)*counts[i][v]/tot;
      s+='<rect x="'+x.toFixed(1)+'" y="'+y+'" width="'+bw.toFixed(1)+'" height="'+bh+'" fill="'+VCOL[v]+'"><title>'+esc(name)+': '+counts[i][v]+' '+VNAME[v]+'</title></rect>';x+=bw;});
  });
  var lx=lw;"gobn".split("").forEach(function(v){s+='<rect x="'+lx+'" y="'+(h+4)+'" width="10" height="10" fill="'+VCOL[v]+'"/><text x="'+(lx+13)+'" y="'+(h+13)+'" font-size="10">'+VNAME[v]+'</text>';lx+=55;});
  return s+'</svg>';
}
function summary(){
  var out="";
  PAGES.forEach(function(page,pi){
    var c=[0,0,0],rows=ROWS.map(function(){return{g:0,o:0,b:0,n:0};}),miss={};
    D.forEach(function(r){if(r[2]!==pi)return;c[r[3]]++;for(var i=0;i<7;i++)rows[i][r[4][i]]++;
      r[6].forEach(function(m){miss[m]=(miss[m]||0)+1;});});
    var top=Object.keys(miss).sort(function(a,b){return miss[b]-miss[a]||(a<b?-1:1);}).slice(0,10);
    out+='<div class="page" data-page="'+pi+'"><h2>'+esc(page||"(no page: the defaults)")+'</h2><div class="counts">'+
      [0,1,2].map(function(k){return '<span class="count '+RCLASS[k]+'" data-readiness="'+k+'">'+c[k]+' '+READY[k]+'</span>';}).join("")+
      (E.length?'<span class="count error" data-readiness="3">'+E.length+' could not be read</span>':'')+
      '</div>'+chart(rows)+'<h3>Most often missing</h3><ol class="missing">'+
      (top.length?top.map(function(m){return '<li>'+esc(m)+': '+miss[m]+'</li>';}).join(""):'<li>nothing</li>')+'</ol></div>';
  });
  el("summary").innerHTML=out;
}
var COLS=[["Machine",function(r){return r[1];}],["File",function(r){return r[0];}],
  ["Page",function(r){return r[2]<0?"":PAGES[r[2]];}],["Readiness",function(r){return r[3];}]];
ROWS.forEach(function(name,i){COLS.push([name,function(r){return r[5][i];},i]);});
COLS.push(["Missing",function(r){return r[6].join("; ");}],["Stopped",function(r){return r[7];}],["Panel",null]);
var sortCol=-1,sortDir=1,view=[],start=0,PER=100;
function refresh(){
  var q=el("search").value.toLowerCase(),rd=el("readiness").value,pg=el("page-filter").value;
  view=[];
  for(var i=0;i<all.length;i++){var r=all[i];
    if(rd!==""&&r[3]!==+rd)continue;
    if(pg!==""&&r[2]!==+pg&&r[2]>=0)continue;
    if(q&&(r[0]+"\u0001"+r[1]+"\u0001"+r[5].join("\u0001")+"\u0001"+r[6].join("\u0001")+"\u0001"+r[7]).toLowerCase().indexOf(q)<0)continue;
    view.push(i);}
  if(sortCol>=0){var f=COLS[sortCol][1];view.sort(function(a,b){var x=f(all[a]),y=f(all[b]);
    return (x<y?-1:x>y?1:a-b)*sortDir;});}
  start=0;draw();
}
function draw(){
  var html="",end=Math.min(view.length,start+PER);
  for(var k=start;k<end;k++){var r=all[view[k]];
    html+='<tr data-index="'+view[k]+'"><td>'+esc(r[1])+'</td><td>'+esc(r[0])+'</td><td>'+esc(r[2]<0?"":PAGES[r[2]])+
      '</td><td class="'+RCLASS[r[3]]+'">'+READY[r[3]]+'</td>';
    for(var i=0;i<7;i++)html+='<td class="v-'+r[4][i]+'" title="'+VNAME[r[4][i]]+'">'+esc(r[5][i]).replace(/\r?\n/g,"<br>")+'</td>';
    html+='<td>'+esc(r[6].join("; "))+'</td><td>'+esc(r[7])+'</td><td>'+(r[8]!==""?'<a href="#" class="panel-link">panel</a>':'')+'</td></tr>';}
  el("rows").innerHTML=html;
  el("shown").textContent=view.length?("rows "+(start+1)+"–"+end+" of "+view.length):"no rows";
  el("prev").disabled=start===0;el("next").disabled=end>=view.length;
}
function head(){
  el("head").innerHTML=COLS.map(function(c,i){return '<th data-col="'+i+'">'+esc(c[0])+(i===sortCol?(sortDir>0?" ▲":" ▼"):"")+'</th>';}).join("");
}
el("head").addEventListener("click",function(ev){var th=ev.target.closest("th");if(!th)return;var i=+th.dataset.col;
  if(!COLS[i][1])return;if(sortCol===i)sortDir=-sortDir;else{sortCol=i;sortDir=1;}head();refresh();});
el("rows").addEventListener("click",function(ev){var a=ev.target.closest(".panel-link");if(!a)return;ev.preventDefault();
  var r=all[+a.closest("tr").dataset.index];el("panel-title").textContent=r[1]+" — "+(PAGES[r[2]]||"defaults");
  el("panel-body").innerHTML=typeof r[8]==="number"?P[r[8]].replace(/@face-(good|okay|bad)@/g,function(m,v){return FACES[v];}):'<img alt="panel" src="'+esc(r[8])+'">';el("panel-view").hidden=false;});
el("panel-close").addEventListener("click",function(){el("panel-view").hidden=true;});
el("summary").addEventListener("click",function(ev){var c=ev.target.closest(".count");if(!c)return;
  el("readiness").value=c.dataset.readiness;el("page-filter").value=c.closest(".page").dataset.page;refresh();});
["readiness","page-filter"].forEach(function(id){el(id).addEventListener("change",refresh);});
el("search").addEventListener("input",refresh);
el("prev").addEventListener("click",function(){start=Math.max(0,start-PER);draw();});
el("next").addEventListener("click",function(){if(start+PER<view.length){start+=PER;draw();}});
el("page-filter").innerHTML='<option value="">all</option>'+PAGES.map(function(p,i){return '<option value="'+i+'">'+esc(p||"(no page)")+'</option>';}).join("");
summary();head();refresh();
})();
</script>
</body></html>
)HTML";

class HtmlWriter final : public ReportWriter {
public:
    HtmlWriter(std::ostream& out, std::vector<std::string> pages, bool inline_panels)
        : out_(out), inline_panels_(inline_panels)
    {
        out_ << kHead << "var FACES={";
        for (const auto& [verdict, name] : kFaces)
            out_ << (verdict == Verdict::Good ? "" : ",") << name.substr(6, name.size() - 7) << ":"
                 << script_string(face_data_uri(verdict));
        out_ << "};\nvar PAGES=[";
        for (std::size_t i = 0; i < pages.size(); ++i) out_ << (i ? "," : "") << script_string(pages[i]);
        out_ << "];\n</script>\n";
    }

    void add(const ReportRecord& r) override
    {
        open_script();
        std::string panel = "\"\"";
        if (!r.panel.empty()) {
            if (inline_panels_) {
                out_ << "P.push(" << script_string(with_named_faces(r.panel)) << ");\n";
                panel = std::to_string(panels_++);
            } else {
                panel = script_string(r.panel);
            }
        }
        std::string verdicts, values = "[", missing = "[";
        for (std::size_t i = 0; i < kReportRowCount; ++i) {
            const RowResult& row = r.result.rows[i];
            verdicts += verdict_letter(row.verdict);
            if (i) values += ",";
            values += script_string(row.value);
            for (const auto& m : row.missing) {
                if (missing.size() > 1) missing += ",";
                missing += script_string(m);
            }
        }
        std::string stopped;
        if (const auto& stop = r.result.stopped)
            stopped = std::string(stop->step).append(": error ").append(std::to_string(stop->error_number)).append(": ").append(stop->message);
        out_ << "D.push([" << script_string(r.file) << "," << script_string(r.machine) << "," << r.page << ","
             << static_cast<int>(r.result.readiness) << ",\"" << verdicts << "\"," << values << "]," << missing
             << "]," << script_string(stopped) << "," << panel << "]);\n";
    }

    void add(const ReportError& e) override
    {
        open_script();
        out_ << "E.push([" << script_string(e.file) << "," << script_string(e.machine) << "," << e.line << ","
             << script_string(e.message) << "]);\n";
    }

    void finish() override
    {
        close_script();
        out_ << kApp;
        out_.flush();
    }

private:
    // Many small script elements rather than one huge one: the browser parses
    // as the file arrives.
    void open_script()
    {
        if (in_script_ == kRecordsPerScript) close_script();
        if (in_script_++ == 0) out_ << "<script>\n";
    }
    void close_script()
    {
        if (in_script_) out_ << "</script>\n";
        in_script_ = 0;
    }

    std::ostream& out_;
    bool inline_panels_;
    std::size_t panels_ = 0;
    std::size_t in_script_ = 0;
};

} // namespace

std::unique_ptr<ReportWriter> make_html_writer(std::ostream& out, std::vector<std::string> pages, bool inline_panels)
{
    return std::make_unique<HtmlWriter>(out, std::move(pages), inline_panels);
}

} // namespace prestova
