// The fleet dashboard in a real browser: summary counts agree with the CSV
// report of the same machines, a column sorts, the readiness filter shows
// only "not ready" rows, a machine's panel opens, and a screenshot is saved.
//   node fleet_dashboard.mjs REPORT.html REPORT.csv SCREENSHOT.png
import { chromium } from "playwright-core";
import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";

const [html, csv, screenshot] = process.argv.slice(2);
if (!screenshot) {
  console.error("usage: node fleet_dashboard.mjs REPORT.html REPORT.csv SCREENSHOT.png");
  process.exit(2);
}

function fail(message) {
  console.error("FAIL: " + message);
  process.exitCode = 1;
}
function expect(ok, message) {
  if (!ok) fail(message);
}

// The readiness column of a CSV whose fields may be quoted over several lines.
function csvReadiness(text) {
  const rows = [];
  let field = "", row = [], quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { field += '"'; ++i; }
      else if (c === '"') quoted = false;
      else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ",") { row.push(field); field = ""; }
    else if (c === "\n") { row.push(field.replace(/\r$/, "")); rows.push(row); row = []; field = ""; }
    else field += c;
  }
  const header = rows.shift();
  const at = header.indexOf("readiness");
  const counts = {};
  for (const r of rows) counts[r[at]] = (counts[r[at]] || 0) + 1;
  return counts;
}

const expected = csvReadiness(readFileSync(csv, "utf8"));
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
                                        args: ["--no-sandbox"] });
try {
  const page = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
  const errors = [];
  page.on("pageerror", (e) => errors.push(String(e)));
  page.on("request", (r) => { if (!r.url().startsWith("file:") && !r.url().startsWith("data:")) errors.push("fetched " + r.url()); });
  await page.goto(pathToFileURL(html).href);

  // Summary counts, per readiness, against the CSV.
  for (const [k, name] of [["0", "ready"], ["1", "usable"], ["2", "not ready"]]) {
    const shown = await page.$$eval(`#summary .count[data-readiness="${k}"]`,
      (els) => els.reduce((n, e) => n + parseInt(e.textContent, 10), 0));
    expect(shown === (expected[name] || 0), `summary says ${shown} ${name}, the CSV ${expected[name] || 0}`);
  }
  expect(await page.locator("#summary svg rect").count() > 0, "no verdict chart drawn");

  // Sorting by machine name, then the other way.
  const names = async () => page.$$eval("#rows tr", (trs) => trs.map((tr) => tr.children[0].textContent));
  await page.click('#head th[data-col="0"]');
  const up = await names();
  expect(up.join("\n") === [...up].sort().join("\n"), "machine column did not sort ascending: " + up.join(", "));
  await page.click('#head th[data-col="0"]');
  const down = await names();
  expect(down.join("\n") === [...up].reverse().join("\n"), "machine column did not sort descending");

  // Only "not ready" rows after filtering.
  await page.selectOption("#readiness", "2");
  const readiness = await page.$$eval("#rows tr", (trs) => trs.map((tr) => tr.children[3].textContent));
  expect(readiness.length === (expected["not ready"] || 0),
         `filter shows ${readiness.length} rows, the CSV has ${expected["not ready"] || 0} not ready`);
  expect(readiness.every((r) => r === "not ready"), "filter let through: " + readiness.join(", "));

  // One machine's panel.
  await page.selectOption("#readiness", "");
  await page.click("#rows tr:first-child .panel-link");
  expect(await page.locator("#panel-view").isVisible(), "the panel did not open");
  expect(await page.locator("#panel-body svg, #panel-body img").count() === 1, "the panel shows no picture");
  await page.screenshot({ path: screenshot, fullPage: false });
  await page.click("#panel-close");
  await page.selectOption("#readiness", "");
  await page.screenshot({ path: screenshot.replace(/\.png$/, "-table.png"), fullPage: true });
  expect(errors.length === 0, "page errors or fetches: " + errors.join("; "));
} finally {
  await browser.close();
}
if (!process.exitCode) console.log("DASHBOARD OK");
