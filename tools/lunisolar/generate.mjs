// Computes the lunisolar month table (data/lunisolar-months.txt): one row per month start, "day,code"
// with CR LF, from 1989-12-28 to the month starting 2030-12-25 that closes the table.
//
//   node generate.mjs                 writes the table to standard output
//   node generate.mjs --check FILE    says whether FILE holds exactly the computed rows
//
// Months start on the Japan Standard Time date of the new moon. The month holding the winter
// solstice is the 11th; a month holds the principal term (中気) of its number, and the month
// without one is the leap month, numbered after the month before it. Leap months are written
// 100 + n up to 2009 and as the repeated plain number from 2012 on, as the table always was.
import * as Astronomy from "astronomy-engine";
import { readFileSync } from "node:fs";

const J2000 = 2451545;
const JST = 9 / 24;
const FIRST = 2447889; // 1989-12-28
const LAST = 2462861; // 2030-12-25, which only closes the table
const PLAIN_LEAP_FROM = 2455928; // 2012-01-01

// The day number of the JST calendar date on which an instant falls.
const jstDay = (t) => Math.floor(t.ut + J2000 + 0.5 + JST);

function newMoons(fromDay, toDay) {
  const days = [];
  let t = Astronomy.MakeTime(fromDay - J2000 - 0.5);
  for (;;) {
    const m = Astronomy.SearchMoonPhase(0, t, 40);
    const d = jstDay(m);
    if (d > toDay) return days;
    days.push(d);
    t = m.AddDays(1);
  }
}

// Principal terms: the sun at a multiple of 30°; 330° is the term of month 1, 270° of month 11.
function principalTerms(fromDay, toDay) {
  const terms = [];
  let t = Astronomy.MakeTime(fromDay - J2000 - 0.5);
  for (;;) {
    const lon = (Math.floor(Astronomy.SunPosition(t).elon / 30) + 1) * 30 % 360;
    const s = Astronomy.SearchSunLongitude(lon, t, 40);
    const d = jstDay(s);
    if (d > toDay) return terms;
    terms.push({ day: d, month: ((lon / 30 + 1) % 12) + 1 });
    t = s.AddDays(1);
  }
}

export function computeRows() {
  // Start a year early so the first month's number is settled by its own term.
  const starts = newMoons(FIRST - 400, LAST + 40);
  const terms = principalTerms(FIRST - 430, LAST + 80);
  const months = [];
  for (let i = 0; i + 1 < starts.length; i++) {
    const inside = terms.filter((x) => x.day >= starts[i] && x.day < starts[i + 1]);
    if (inside.length > 1) throw new Error(`two principal terms in the month from ${starts[i]}`);
    months.push({ start: starts[i], month: inside.length ? inside[0].month : null });
  }
  const rows = [];
  for (let i = 0; i < months.length; i++) {
    const m = months[i];
    if (m.start < FIRST || m.start > LAST) continue;
    if (m.month !== null) {
      rows.push([m.start, m.month]);
      continue;
    }
    const before = months[i - 1].month;
    if (before === null) throw new Error(`two months without a principal term at ${m.start}`);
    rows.push([m.start, m.start >= PLAIN_LEAP_FROM ? before : 100 + before]);
  }
  if (rows[0][0] !== FIRST || rows[rows.length - 1][0] !== LAST)
    throw new Error(`table bounds ${rows[0][0]}..${rows[rows.length - 1][0]}`);
  return rows;
}

const text = (rows) => rows.map(([d, c]) => `${d},${c}\r\n`).join("");

const args = process.argv.slice(2);
if (args[0] === "--check") {
  const computed = text(computeRows());
  const committed = readFileSync(args[1], "latin1");
  const a = computed.split("\r\n");
  const b = committed.split("\r\n");
  let differ = 0;
  for (let i = 0; i < Math.max(a.length, b.length); i++) {
    if (a[i] !== b[i]) {
      differ++;
      console.log(`row ${i + 1}: computed ${a[i] ?? "-"}, committed ${b[i] ?? "-"}`);
    }
  }
  console.log(`lunisolar check: ${a.length - 1} rows computed, ${differ} rows differ`);
  process.exit(differ ? 1 : 0);
} else if (args.length) {
  console.error("usage: node generate.mjs [--check FILE]");
  process.exit(2);
} else {
  process.stdout.write(text(computeRows()));
}
