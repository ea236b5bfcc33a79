(function(){
var ROWS=["Memory","Processor","Disk","Video","Operating system","Software","Browser"];
var READY=["ready","usable","not ready","could not be read"],RCLASS=["ready","usable","notready","error"];
// Bar colours at least 3:1 against the white page; a verdict is never shown by colour alone.
var VNAME={g:"good",o:"okay",b:"bad",n:"none"},VCOL={g:"#2e7d32",o:"#a87900",b:"#d03030",n:"#767676"};
var VICON={g:"\u2714",o:"~",b:"\u2716",n:"\u2013"};
function esc(s){return String(s).replace(/[&<>"]/g,function(c){return{"&":"&amp;","<":"&lt;",">":"&gt;","\"":"&quot;"}[c];});}
function el(id){return document.getElementById(id);}
// Records arrive while the page loads, after this script:
// [file, machine, page, readiness, verdicts, values, missing, stopped, panel].
// The table shows its first rows at once; the summary waits for the last
// record, and the machines that could not be read join the list then.
var all=D,loading=true;
function unread(e){return [e[0],e[1],-1,3,"nnnnnnn",["","","","","","",""],[],"line "+e[2]+": "+e[3],null];}
function chart(counts){
  var w=330,bh=16,gap=6,lw=110,h=ROWS.length*(bh+gap),said=ROWS.map(function(name,i){
    return name+": "+"gobn".split("").filter(function(v){return counts[i][v];}).map(function(v){return counts[i][v]+" "+VNAME[v];}).join(", ");});
  var s='<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 '+w+' '+(h+18)+'" width="'+w+'" role="img" aria-label="'+esc("Verdicts per row. "+said.join("; "))+'">';
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
    var c=[0,0,0],rows=ROWS.map(function(){return{g:0,o:0,b:0,n:0};}),miss={},stops=0,why={};
    D.forEach(function(r){if(r[2]!==pi)return;c[r[3]]++;for(var i=0;i<7;i++)rows[i][r[4][i]]++;
      r[6].forEach(function(m){miss[m]=(miss[m]||0)+1;});
      if(r[7]){stops++;why[r[7]]=(why[r[7]]||0)+1;}});
    var most=Object.keys(why).sort(function(a,b){return why[b]-why[a]||(a<b?-1:1);})[0];
    var top=Object.keys(miss).sort(function(a,b){return miss[b]-miss[a]||(a<b?-1:1);}).slice(0,10);
    out+='<section class="page" data-page="'+pi+'" aria-label="'+esc("Page "+(page||"(no page: the defaults)"))+'"><h3>'+esc(page||"(no page: the defaults)")+'</h3><div class="counts">'+
      [0,1,2].map(function(k){return '<button type="button" class="count '+RCLASS[k]+'" data-readiness="'+k+'">'+c[k]+' '+READY[k]+'</button>';}).join("")+
      (E.length?'<button type="button" class="count error" data-readiness="3">'+E.length+' could not be read</button>':'')+
      '</div>'+(stops?'<p class="stopped">'+stops+(stops==1?' run':' runs')+' stopped, most often at '+esc(most)+'</p>':'')+
      chart(rows)+'<h4>Most often missing</h4><ol class="missing">'+
      (top.length?top.map(function(m){return '<li>'+esc(m)+': '+miss[m]+'</li>';}).join(""):'<li>nothing</li>')+'</ol></section>';
  });
  el("summary").innerHTML=out;
}
var COLS=[["Machine",function(r){return r[1];}],["File",function(r){return r[0];}],
  ["Page",function(r){return r[2]<0?"":PAGES[r[2]];}],["Readiness",function(r){return r[3];}]];
ROWS.forEach(function(name,i){COLS.push([name,function(r){return r[5][i];},i]);});
COLS.push(["Missing",function(r){return r[6].join("; ");}],["Stopped",function(r){return r[7];}],["Panel",null]);
var sortCol=-1,sortDir=1,view=[],start=0,PER=100,looked=0;
// Adds the records not looked at yet that pass the filters to the view.
function grow(){
  var q=el("search").value.toLowerCase(),rd=el("readiness").value,pg=el("page-filter").value;
  for(;looked<all.length;looked++){var r=all[looked];
    if(rd!==""&&r[3]!==+rd)continue;
    if(pg!==""&&r[2]!==+pg&&r[2]>=0)continue;
    if(q&&(r[0]+"\u0001"+r[1]+"\u0001"+r[5].join("\u0001")+"\u0001"+r[6].join("\u0001")+"\u0001"+r[7]).toLowerCase().indexOf(q)<0)continue;
    view.push(looked);}
}
function order(){
  if(sortCol>=0){var f=COLS[sortCol][1];view.sort(function(a,b){var x=f(all[a]),y=f(all[b]);
    return (x<y?-1:x>y?1:a-b)*sortDir;});}
}
function refresh(){view=[];looked=0;grow();order();start=0;draw();}
// While records arrive, the page of rows fills as soon as they are here;
// a sorted view waits for them all.
function arriving(){
  if(!loading)return;
  if(sortCol<0&&view.length<start+PER&&looked<all.length){grow();draw();}
  requestAnimationFrame(arriving);
}
function loaded(){loading=false;all=D.concat(E.map(unread));summary();grow();order();draw();}
function draw(){
  var html="",end=Math.min(view.length,start+PER);
  for(var k=start;k<end;k++){var r=all[view[k]];
    html+='<tr data-index="'+view[k]+'"><th scope="row">'+esc(r[1])+'</th><td>'+esc(r[0])+'</td><td>'+esc(r[2]<0?"":PAGES[r[2]])+
      '</td><td class="'+RCLASS[r[3]]+'">'+READY[r[3]]+'</td>';
    // One line a row; the whole value, line breaks and all, on demand.
    for(var i=0;i<7;i++)html+='<td class="v-'+r[4][i]+'" title="'+esc(VNAME[r[4][i]]+(r[5][i]?"\n"+r[5][i]:""))+'"><span class="vi" role="img" aria-label="'+
      VNAME[r[4][i]]+'">'+VICON[r[4][i]]+'</span> '+esc(r[5][i].replace(/\n/g," \u00b7 "))+'</td>';
    html+='<td>'+esc(r[6].join("; "))+'</td><td>'+esc(r[7])+'</td><td>'+(r[8]!==null?'<button type="button" class="panel-link">panel<span class="visually-hidden"> of '+esc(r[1])+'</span></button>':'')+'</td></tr>';}
  el("rows").innerHTML=html;
  el("shown").textContent=(view.length?("rows "+(start+1)+"–"+end+" of "+view.length):"no rows")+(loading?" so far, loading":"");
  el("prev").disabled=start===0;el("next").disabled=end>=view.length;
}
function head(){
  // Sortable headers are buttons, so the keyboard sorts too; aria-sort says how.
  el("head").innerHTML=COLS.map(function(c,i){
    if(!c[1])return '<th scope="col">'+esc(c[0])+'</th>';
    return '<th scope="col" aria-sort="'+(i!==sortCol?"none":sortDir>0?"ascending":"descending")+'"><button type="button" data-col="'+i+'">'+
      esc(c[0])+'<span aria-hidden="true">'+(i===sortCol?(sortDir>0?" \u25b2":" \u25bc"):"")+'</span></button></th>';}).join("");
}
el("head").addEventListener("click",function(ev){var b=ev.target.closest("button");if(!b)return;var i=+b.dataset.col;
  if(sortCol===i)sortDir=-sortDir;else{sortCol=i;sortDir=1;}head();refresh();el("head").querySelector('[data-col="'+i+'"]').focus();});
// A record's panel: the panel as designed (PANEL, in parts) with the parts
// its run changed put back together from the record's fields, each led by
// its kind: s, the part of that number; r, the text T holds at that number;
// p, the fields T holds at that number; t, the text itself. The writer drew
// every piece; they are only joined here.
function joined(fields){var s="";for(var i=0;i<fields.length;i++){var f=fields[i],k=f.charAt(0),v=f.slice(1);
  s+=k==="t"?v:k==="r"?T[+v]:joined(T[+v].split("'"));}return s;}
function panel(changes){var parts=PANEL.slice(),fields=changes?changes.split("'"):[];
  for(var i=0;i<fields.length;){var j=i+1;while(j<fields.length&&fields[j].charAt(0)!=="s")j++;
    parts[+fields[i].slice(1)]=joined(fields.slice(i+1,j));i=j;}
  return parts.join("");}
// The panel opens in a modal dialog: focus moves in, Escape closes it, and
// focus goes back to the button that opened it.
var opener=null;
el("rows").addEventListener("click",function(ev){var a=ev.target.closest(".panel-link");if(!a)return;
  var r=all[+a.closest("tr").dataset.index],svg=PANEL?panel(r[8]):null;
  el("panel-title").textContent=r[1]+" \u2014 "+(PAGES[r[2]]||"defaults");
  el("panel-body").innerHTML=svg!==null?svg:'<img alt="'+esc("The panel of "+r[1])+'" src="'+esc(r[8])+'">';
  el("panel-save").href=svg!==null?"data:image/svg+xml;charset=utf-8,"+encodeURIComponent(svg):r[8];
  el("panel-save").download=r[1]+"-"+(r[2]+1)+".svg";
  opener=a;el("panel-view").showModal();el("panel-close").focus();});
el("panel-close").addEventListener("click",function(){el("panel-view").close();});
el("panel-view").addEventListener("close",function(){if(opener)opener.focus();});
el("summary").addEventListener("click",function(ev){var c=ev.target.closest(".count");if(!c)return;
  el("readiness").value=c.dataset.readiness;el("page-filter").value=c.closest(".page").dataset.page;refresh();});
["readiness","page-filter"].forEach(function(id){el(id).addEventListener("change",refresh);});
el("search").addEventListener("input",refresh);
el("prev").addEventListener("click",function(){start=Math.max(0,start-PER);draw();});
el("next").addEventListener("click",function(){if(start+PER<view.length){start+=PER;draw();}});
el("page-filter").innerHTML='<option value="">all</option>'+PAGES.map(function(p,i){return '<option value="'+i+'">'+esc(p||"(no page)")+'</option>';}).join("");
head();refresh();arriving();document.addEventListener("DOMContentLoaded",loaded);
})();
