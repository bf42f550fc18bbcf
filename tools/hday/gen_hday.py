#!/usr/bin/env python3
"""Writes data/Hday.dat: the fixed holiday rules plus the days the program cannot derive itself.

The program computes the equinox days and the Monday after a Sunday holiday. Everything else the
law makes a rest day has to be a rule line, so the in-between days (国民の休日) and the substitute
days carried past a Monday holiday (2007 on) are worked out here, one line per day.

    tools/hday/gen_hday.py [output]     (default: data/Hday.dat beside this tool)
"""

import datetime
import pathlib
import sys

LAST_YEAR = 2050  # one-off lines are worked out up to here

D = datetime.date

# Comment lines carry no comma and no blank, so they read as one field and are skipped.
FIXED_RULES = """\
#国民の祝日に関する法律（1948年7月20日施行）による祝日
#春分の日・秋分の日と日曜日に重なった祝日の翌月曜日の振替休日はプログラムが計算する
#
#元日
1949,2,1,1,元日
#成人の日：1月15日、2000年から1月の第2月曜日
1949,1999,1,15,,,成人の日
2000,2,1,2,2,成人の日
#建国記念の日（1967年から）
1967,2,2,11,建国記念の日
#天皇誕生日：4月29日、1989年から12月23日、2020年から2月23日（2019年はなし）
1949,1988,4,29,,,天皇誕生日
1989,2018,12,23,,,天皇誕生日
2020,2,2,23,天皇誕生日
#4月29日：1989年からみどりの日、2007年から昭和の日
1989,2006,4,29,,,みどりの日
2007,2,4,29,昭和の日
#憲法記念日
1949,2,5,3,憲法記念日
#5月4日：2007年からみどりの日（それまでは国民の休日）
2007,2,5,4,みどりの日
#こどもの日
1949,2,5,5,こどもの日
#海の日：1996年から7月20日、2003年から7月の第3月曜日
1996,2002,7,20,,,海の日
2003,2019,7,,2,3,海の日
2020,0,7,23,海の日
2021,0,7,22,海の日
2022,2,7,3,2,海の日
#山の日：2016年から8月11日
2016,2019,8,11,,,山の日
2020,0,8,10,山の日
2021,0,8,8,山の日
2022,2,8,11,山の日
#敬老の日：1966年から9月15日、2003年から9月の第3月曜日
1966,2002,9,15,,,敬老の日
2003,2,9,3,2,敬老の日
#体育の日：1966年から10月10日、2000年から10月の第2月曜日、2020年からスポーツの日
1966,1999,10,10,,,体育の日
2000,2019,10,,2,2,体育の日
2020,0,7,24,スポーツの日
2021,0,7,23,スポーツの日
2022,2,10,2,2,スポーツの日
#文化の日
1948,2,11,3,文化の日
#勤労感謝の日
1948,2,11,23,勤労感謝の日
#
#特別法による休日（名前は内閣府の一覧のとおり）
1959,0,4,10,結婚の儀
1989,0,2,24,大喪の礼
1990,0,11,12,即位礼正殿の儀
1993,0,6,9,結婚の儀
2019,0,5,1,天皇の即位の日
2019,0,10,22,即位礼正殿の儀
"""


def nth_weekday(year, month, week, weekday):
    """weekday 0 = Monday, as datetime counts."""
    first = D(year, month, 1)
    return first + datetime.timedelta(days=(weekday - first.weekday()) % 7 + 7 * (week - 1))


def equinoxes(year):
    """The announced equinox days follow this approximation for 1900..2099."""
    if year < 1980:
        v = int(20.8357 + 0.242194 * (year - 1980) - int((year - 1983) / 4))
        a = int(23.2588 + 0.242194 * (year - 1980) - int((year - 1983) / 4))
    else:
        v = int(20.8431 + 0.242194 * (year - 1980) - (year - 1980) // 4)
        a = int(23.2488 + 0.242194 * (year - 1980) - (year - 1980) // 4)
    return D(year, 3, v), D(year, 9, a)


SPECIAL = {
    D(1959, 4, 10), D(1989, 2, 24), D(1990, 11, 12), D(1993, 6, 9),
    D(2019, 5, 1), D(2019, 10, 22),
}
MOVED = {  # year: (海の日, スポーツの日, 山の日)
    2020: (D(2020, 7, 23), D(2020, 7, 24), D(2020, 8, 10)),
    2021: (D(2021, 7, 22), D(2021, 7, 23), D(2021, 8, 8)),
}
LAW_START = D(1948, 7, 20)


def national_holidays(year):
    """The days the law (and the special laws) name in a year, as a set of dates."""
    y = year
    days = set(equinoxes(y))
    days |= {D(y, 11, 3), D(y, 11, 23)}
    if y >= 1949:
        days |= {D(y, 1, 1), D(y, 5, 3), D(y, 5, 5)}
        days.add(D(y, 1, 15) if y < 2000 else nth_weekday(y, 1, 2, 0))
        if y <= 1988:
            days.add(D(y, 4, 29))
        if y >= 1989:
            days.add(D(y, 4, 29))
        if 1989 <= y <= 2018:
            days.add(D(y, 12, 23))
        if y >= 2020:
            days.add(D(y, 2, 23))
    if y >= 1967:
        days.add(D(y, 2, 11))
    if y >= 2007:
        days.add(D(y, 5, 4))
    if y >= 1966:
        days.add(D(y, 9, 15) if y < 2003 else nth_weekday(y, 9, 3, 0))
        if y < 2000:
            days.add(D(y, 10, 10))
        elif y not in MOVED:
            days.add(nth_weekday(y, 10, 2, 0))
    if y >= 1996:
        if y in MOVED:
            days |= set(MOVED[y])
        else:
            days.add(D(y, 7, 20) if y < 2003 else nth_weekday(y, 7, 3, 0))
            if y >= 2016:
                days.add(D(y, 8, 11))
    days |= {d for d in SPECIAL if d.year == y}
    return {d for d in days if d >= LAW_START}


def rest_days(first_year, last_year):
    """Returns (substitute days, in-between days) of the years, each a sorted list."""
    holidays = set()
    for y in range(first_year - 1, last_year + 2):
        holidays |= national_holidays(y)
    one = datetime.timedelta(days=1)
    substitutes = set()
    for h in sorted(holidays):
        if h.weekday() != 6 or h < D(1973, 4, 12):
            continue
        if h < D(2007, 1, 1):
            if h + one not in holidays:
                substitutes.add(h + one)
        else:
            d = h + one
            while d in holidays:
                d += one
            substitutes.add(d)
    between = set()
    d = D(1985, 12, 27)
    while d <= D(last_year, 12, 31):
        if d - one in holidays and d + one in holidays and d not in holidays:
            if d >= D(2007, 1, 1) or (d.weekday() != 6 and d not in substitutes):
                between.add(d)
        d += one
    in_range = lambda s: sorted(x for x in s if first_year <= x.year <= last_year)
    return in_range(substitutes), in_range(between)


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else (
        pathlib.Path(__file__).resolve().parents[2] / "data" / "Hday.dat")
    substitutes, between = rest_days(1948, LAST_YEAR)
    # The program finds the Monday after a Sunday holiday itself.
    one = datetime.timedelta(days=1)
    carried = [d for d in substitutes
               if not (d.weekday() == 0 and d - one in national_holidays(d.year))]
    lines = FIXED_RULES.splitlines()
    lines.append("#")
    lines.append(f"#国民の休日：前日と翌日が祝日である日（1985年12月27日から）{LAST_YEAR}年まで")
    lines += [f"{d.year},0,{d.month},{d.day},国民の休日" for d in between]
    lines.append("#")
    lines.append(f"#振替休日：月曜日も祝日のときの繰り越し（2007年から）{LAST_YEAR}年まで")
    lines += [f"{d.year},0,{d.month},{d.day},振替休日" for d in carried]
    for line in lines:
        assert line.startswith("#") == ("," not in line) and " " not in line, line
    out.write_bytes("".join(line + "\r\n" for line in lines).encode("cp932"))


if __name__ == "__main__":
    main()
