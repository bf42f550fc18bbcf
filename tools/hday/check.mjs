// Compares the holidays Korvane derives from data/Hday.dat with the Cabinet Office list as
// @holiday-jp/holiday_jp ships it, day by day: holiday or not, and the name.
//
//   node check.mjs path/to/korvane [FROM TO]      (default 1970-01-01 2050-12-31)
//
// Prints every day that differs and a summary line; exits 1 when any day differs.
import { execFileSync } from "node:child_process";
import { createRequire } from "node:module";

const require = createRequire(import.meta.url);
const { holidays } = require("@holiday-jp/holiday_jp");

const [korvane, from = "1970-01-01", to = "2050-12-31"] = process.argv.slice(2);
if (!korvane) {
  console.error("usage: node check.mjs path/to/korvane [FROM TO]");
  process.exit(2);
}

const out = execFileSync(korvane, ["--days", from, to], { encoding: "utf8", maxBuffer: 1 << 28 });
// The package spells a few names its own way; these pairs are the same day under the same law.
function sameName(ours, theirs) {
  if (ours === theirs) return true;
  if (ours === null || theirs === null) return false;
  if (theirs.endsWith(" 振替休日")) return ours === "振替休日";  // "元日 振替休日"
  if (theirs === "休日") return ours === "国民の休日" || ours === "振替休日";
  if (theirs === "休日（祝日扱い）") return ours === "天皇の即位の日" || ours === "即位礼正殿の儀";
  if (theirs === "体育の日（スポーツの日）") return ours === "体育の日";
  return false;
}

const HOLIDAY = 4;
const FURIKAE = 8;
let days = 0;
let listed = 0;
let spelled = 0;
const differences = [];
for (const line of out.split("\n")) {
  if (!line) continue;
  const [date, , kind, names] = line.split("\t");
  const ours = Number(kind) & (HOLIDAY | FURIKAE) ? names : null;
  const theirs = holidays[date] ? holidays[date].name : null;
  days++;
  if (theirs) listed++;
  if (ours !== theirs && sameName(ours, theirs)) spelled++;
  if (!sameName(ours, theirs)) differences.push(`${date}\tKorvane: ${ours ?? "-"}\tCabinet Office: ${theirs ?? "-"}`);
}
for (const d of differences) console.log(d);
console.log(
  `hday check ${from}..${to}: ${days} days, ${listed} holidays listed, ` +
    `${spelled} named in the package's own spelling, ${differences.length} differ`,
);
process.exit(differences.length ? 1 : 0);
