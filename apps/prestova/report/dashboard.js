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
    var c=[0,0,0],rows=ROWS.map(function(){return{g:0,o:0,b:0,n:0};}),miss={},stops=0,why={};
    D.forEach(function(r){if(r[2]!==pi)return;c[r[3]]++;for(var i=0;i<7;i++)rows[i][r[4][i]]++;
      r[6].forEach(function(m){miss[m]=(miss[m]||0)+1;});
      if(r[7]){stops++;why[r[7]]=(why[r[7]]||0)+1;}});
    var most=Object.keys(why).sort(function(a,b){return why[b]-why[a]||(a<b?-1:1);})[0];
    var top=Object.keys(miss).sort(function(a,b){return miss[b]-miss[a]||(a<b?-1:1);}).slice(0,10);
    out+='<div class="page" data-page="'+pi+'"><h2>'+esc(page||"(no page: the defaults)")+'</h2><div class="counts">'+
      [0,1,2].map(function(k){return '<span class="count '+RCLASS[k]+'" data-readiness="'+k+'">'+c[k]+' '+READY[k]+'</span>';}).join("")+
      (E.length?'<span class="count error" data-readiness="3">'+E.length+' could not be read</span>':'')+
      '</div>'+(stops?'<p class="stopped">'+stops+(stops==1?' run':' runs')+' stopped, most often at '+esc(most)+'</p>':'')+
      chart(rows)+'<h3>Most often missing</h3><ol class="missing">'+
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
