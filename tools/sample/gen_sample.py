#!/usr/bin/env python3
"""Writes Korvane's sample data: month items Ca202601.smp .. Ca203012.smp, the periods
CaFromTo.smp and the special days Sday.smp, as the sibling writes its files (CP932, CR LF).
Office items fall on working days: not on weekends, public holidays or the company's own
closures; dates that land on one move as Japanese offices move them.

    tools/sample/gen_sample.py OUTPUT_FOLDER

The output depends on nothing but this script, so the shipped files can be checked against it.
"""
import calendar
import datetime
import os
import sys

FIRST = (2026, 1)
LAST = (2030, 12)
# Rotations (clients, rooms, cities) count months from here, so December 2026 stays as it was.
ROTATION_START = (2026, 12)

CLIENTS = ["山田商事", "東和工業", "みなと物産", "北斗電機", "さくら印刷", "青葉建設",
           "大和システム", "中央運輸"]
MEETING_ROOMS = ["第1会議室", "第2会議室", "応接室"]


def months():
    y, m = FIRST
    while (y, m) <= LAST:
        yield y, m
        y, m = (y + 1, 1) if m == 12 else (y, m + 1)


def nth_weekday(y, m, n, weekday):
    return [d for d in range(1, calendar.monthrange(y, m)[1] + 1)
            if datetime.date(y, m, d).weekday() == weekday][n - 1]


def public_holidays(y):
    """Japan's public holidays of year y (the law as it stands for 2026 to 2030)."""
    D = datetime.date
    days = {D(y, m, d) for m, d in [(1, 1), (2, 11), (2, 23), (4, 29), (5, 3), (5, 4), (5, 5),
                                    (8, 11), (11, 3), (11, 23)]}
    days |= {D(y, 1, nth_weekday(y, 1, 2, 0)), D(y, 7, nth_weekday(y, 7, 3, 0)),
             D(y, 9, nth_weekday(y, 9, 3, 0)), D(y, 10, nth_weekday(y, 10, 2, 0))}
    shift = 0.242194 * (y - 1980) - (y - 1980) // 4
    days |= {D(y, 3, int(20.8431 + shift)), D(y, 9, int(23.2488 + shift))}
    # A day between two holidays is a holiday too.
    for d in sorted(days):
        if d + datetime.timedelta(days=2) in days and d.weekday() != 5:
            days = days | {d + datetime.timedelta(days=1)}
    # A holiday on a Sunday moves to the next day that is none.
    for d in sorted(days):
        if d.weekday() == 6:
            n = d + datetime.timedelta(days=1)
            while n in days:
                n += datetime.timedelta(days=1)
            days = days | {n}
    return days


HOLIDAYS = set().union(*(public_holidays(y) for y in range(FIRST[0] - 1, LAST[0] + 2)))


def closed(date):
    """The company's own closures: the year end (29th to 3rd) and the summer (13th to 16th)."""
    return ((date.month == 12 and date.day >= 29) or (date.month == 1 and date.day <= 3) or
            (date.month == 8 and 13 <= date.day <= 16))


def working(y, m, d):
    date = datetime.date(y, m, d)
    return date.weekday() < 5 and date not in HOLIDAYS and not closed(date)


def working_on_or_after(y, m, d):
    last = calendar.monthrange(y, m)[1]
    while d < last and not working(y, m, d):
        d += 1
    return d


def working_on_or_before(y, m, d):
    while d > 1 and not working(y, m, d):
        d -= 1
    return d


def record(day, text, colour=None):
    # Commas inside a text are stored full width; a colour needs more than five fields.
    text = text.replace(",", "，")
    if colour is None:
        return f"{day},0,0,{text}"
    return f"{day},0,0,{text},{colour},0"


def weekdays_of(y, m, weekday):
    """The working days of the month that fall on weekday (0 = Monday)."""
    return [d for d in range(1, calendar.monthrange(y, m)[1] + 1)
            if datetime.date(y, m, d).weekday() == weekday and working(y, m, d)]


def rotation(y, m):
    return (y - ROTATION_START[0]) * 12 + m - ROTATION_START[1]


def month_items(y, m):
    index = rotation(y, m)
    items = []  # (day, record text)
    mondays = weekdays_of(y, m, 0)
    wednesdays = weekdays_of(y, m, 2)
    fridays = weekdays_of(y, m, 4)
    first = working_on_or_after(y, m, 1)
    last = working_on_or_before(y, m, calendar.monthrange(y, m)[1])
    items.append((first, record(first, "9:00\t朝礼（全体）")))
    for i, d in enumerate(mondays):
        room = MEETING_ROOMS[(index + i) % len(MEETING_ROOMS)]
        items.append((d, record(d, f"10:00\t定例会議 {room}")))
    # A weekly meeting that was called off, struck out.
    cancelled = mondays[min((index % 2) + 1, len(mondays) - 1)]
    items.append((cancelled, record(cancelled, "<S>14:00 営業打合せ</S>（中止）")))
    # Visits to clients, two a month.
    for k in range(2):
        d = wednesdays[(index + k) % len(wednesdays)]
        client = CLIENTS[(index * 2 + k) % len(CLIENTS)]
        items.append((d, record(d, f"13:30\t{client}様 訪問")))
    # Deadlines in red, pay day in blue (colour values are 00BBGGRR). A tax deadline on a day
    # off moves to the next working day; pay day comes the working day before.
    tax = working_on_or_after(y, m, 10)
    pay = working_on_or_before(y, m, 25)
    items.append((tax, record(tax, "源泉所得税 納付期限", "clRed")))
    items.append((pay, record(pay, "給与支払日", "$00C00000")))
    items.append((last, record(last, "<B>請求書 締め切り</B>", "$000000FF")))
    # A board meeting every third month, bold.
    if m % 3 == 0:
        d = fridays[min(1, len(fridays) - 1)]
        items.append((d, record(d, "<B>役員会</B> 15:00〜")))
    # A private note kept out of sight.
    d = fridays[0]
    items.append((d, record(d, "<H>歯医者の予約 18:30</H>")))
    items.append((d, record(d, "17:00 週報提出")))
    # A busy day: more items than a cell holds.
    busy = wednesdays[-1]
    for text in ["9:30 来客（" + CLIENTS[(index + 3) % len(CLIENTS)] + "様）",
                 "11:00 見積書 作成", "12:00 昼食会", "14:00 社内研修",
                 "16:00 品質会議", "18:00 懇親会"]:
        items.append((busy, record(busy, text)))
    if m == 12:
        d = working_on_or_before(y, m, 28)
        items.append((d, record(d, "<B>仕事納め</B> 15:00 大掃除")))
    if m == 1:
        items.append((first, record(first, "<B>仕事始め</B> 年頭挨拶 9:00")))
    if m == 4:
        items.append((first, record(first, "入社式 10:00 本社ホール", "clGreen")))
    items.sort(key=lambda it: it[0])
    return [text for _, text in items]


def periods():
    lines = []

    def period(start, start_part, end, end_part, label_day, width, colour, label):
        lines.append(",".join(str(x) for x in [
            start.year, start.month, start.day, start_part,
            end.year, end.month, end.day, end_part, 0,
            label_day.month, label_day.day, width, colour, label]))

    D = datetime.date
    for y, m in months():
        index = rotation(y, m)
        # A business trip of two or three working days from the second working Tuesday.
        start = D(y, m, weekdays_of(y, m, 1)[1])
        end = start + datetime.timedelta(days=1 + index % 2)
        while not working(end.year, end.month, end.day):
            end -= datetime.timedelta(days=1)
        city = ["大阪", "名古屋", "福岡", "仙台", "札幌", "広島"][index % 6]
        period(start, "A", end, "A", start, 2, "$00008000", f"{city}出張")
    # Year ends: closed from the 29th to the 3rd, across the year end.
    for y in range(FIRST[0] - 1, LAST[0] + 1):
        period(D(y, 12, 29), "M", D(y + 1, 1, 3), "", D(y, 12, 30), 3, "clRed", "年末年始休業")
    # Across a month end: training of the new staff, and the stock-taking.
    for y in range(FIRST[0], LAST[0] + 1):
        period(D(y, 3, 30), "M", D(y, 4, 3), "", D(y, 4, 1), 2, "clBlue", "新入社員研修")
        period(D(y, 9, 28), "A", D(y, 10, 2), "M", D(y, 9, 29), 1, "$00808000", "棚卸し")
        period(D(y, 8, 13), "M", D(y, 8, 16), "", D(y, 8, 14), 3, "clRed", "夏季休業")
        period(D(y, 11, 10), "M", D(y, 11, 12), "", D(y, 11, 10), 1, "clPurple",
               "展示会（東京ビッグサイト）")
    return lines


SPECIAL_DAYS = [
    "#サンプルのスペシャルDay",
    "6,1,創立記念日",
    "10,1,衣替え",
    "11,2,6,安全大会",
    "2027,0,9,17,社員旅行",
    "2028,0,9,15,社員旅行",
]


def write(folder, name, lines):
    with open(os.path.join(folder, name), "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp932"))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: gen_sample.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for y, m in months():
        write(folder, f"Ca{y:04d}{m:02d}.smp", month_items(y, m))
    write(folder, "CaFromTo.smp", periods())
    write(folder, "Sday.smp", SPECIAL_DAYS)


if __name__ == "__main__":
    main()
