#include "letters.h"

#include "core/eradate.h"

#include <algorithm>
#include <cstdint>

namespace korvane {
namespace {

const QString kFace = QStringLiteral("ＭＳ 明朝");
constexpr ColorValue kBlack = 0, kGrey = 0x808080;

// A4 lengths on the job's paper, truncated: [a] of the layouts.
struct Scaler {
    int factor;
    int operator()(int a) const { return int(std::int64_t(a) * factor / kScaleOne); }
};

SheetText boxText(QString text, int left, int top, int right, int height, TextAlign align) {
    return {std::move(text), left, top, right, top + height, height, align};
}

SheetRule across(int x1, int x2, int y, int width, ColorValue colour, bool dashed = false) {
    return {QLine(x1, y, x2, y), width, colour, dashed};
}

void drawText(PageCanvas& canvas, const SheetText& t) {
    canvas.SetFontHeight(t.Height);
    canvas.DrawTextBox(t.Left, t.Top, t.Right, t.Bottom, t.Text, t.Align);
}

void startFace(PageCanvas& canvas) {
    canvas.SetFontName(kFace);
    canvas.SetFontStyle(0);
    canvas.SetFontColor(kBlack);
}

}  // namespace

QString BlankEraDate(const QDate& today, int blanks) {
    const QString gap(blanks, u' ');
    return JapaneseEraName(today.isValid() ? today : QDate::currentDate()) + gap +
           QStringLiteral("年") + gap + QStringLiteral("月") + gap + QStringLiteral("日");
}

bool LacksHonorific(bool blank, const QString& upper, const QString& lower) {
    const auto has = [](const QString& s) { return s.contains(u"様") || s.contains(u"御中"); };
    return !blank && !has(upper) && !has(lower);
}

CoverLetter ComputeCoverLetter(const SoufuSection& s, const LetterPlace& p,
                               const TextMeasurer& measure) {
    const Scaler f{InfoOf(p.Paper).Factor};
    const int y0 = f((p.TopMm + 20) * 10), x0 = f((p.LeftMm + 25) * 10);
    const int w = p.Paper == PaperKind::B5 ? 1819 - f(450) : 1649;
    const int xr = x0 + w;
    CoverLetter letter;

    const QString date = (s.cbYMD ? BlankEraDate(p.Today, 6) : s.edtYMD).trimmed();
    letter.Date = {date, xr - measure(date, 35), y0, xr, y0 + 35, 35, TextAlign::RightTop};
    const int yd = y0 + 35;

    const QString a1 = s.edtAtena1.trimmed(), a2 = s.edtAtena2.trimmed();
    const int pen = s.udOW1 + 1;
    int yb = yd + 250;
    int ruleEnd = x0 + w * 2 / 5;
    // Both boxes empty though the blank box is off: the rules of a blank recipient.
    if (!s.cbAtena && !(a1.isEmpty() && a2.isEmpty())) {
        int e = 0;
        if (!a1.isEmpty() && !a2.isEmpty()) {
            e = x0 + 30 + std::max(measure(a1, 40), measure(a2, 40));
            letter.Recipient.push_back(
                boxText(a1, x0 + 30, yd + 125, e, 40, TextAlign::LeftMiddle));
            letter.Recipient.push_back(boxText(a2, x0 + 30, letter.Recipient[0].Bottom + 20, e, 40,
                                               TextAlign::RightMiddle));
            yb = letter.Recipient[1].Bottom + 25;
        } else {
            const QString& a = a1.isEmpty() ? a2 : a1;
            e = x0 + 30 + measure(a, 40);
            letter.Recipient.push_back(
                {a, x0 + 30, yd + 100, xr, yd + 250, 40, TextAlign::LeftMiddle});
        }
        ruleEnd = e + 30;
    }
    letter.RecipientRules = {across(x0, ruleEnd, yb - 150, pen, kBlack),
                             across(x0, ruleEnd, yb, pen, kBlack)};

    const std::array<std::pair<const QString*, int>, 4> sender{
        {{&s.edtJuusho, 32}, {&s.edtKaisha, 38}, {&s.edtName, 32}, {&s.edtTel, 30}}};
    int top = yb + 50;
    for (std::size_t i = 0; i < sender.size(); ++i) {
        letter.Sender[i] =
            boxText(*sender[i].first, x0, top, xr, sender[i].second, TextAlign::RightBottom);
        top = letter.Sender[i].Bottom + 10;
    }

    letter.Title = boxText(QStringLiteral("書類のご送付について"), x0,
                           letter.Sender[3].Bottom + f(100), xr, f(60), TextAlign::CenterBottom);
    const int bodyHeight = f(35), left = x0 + f(100);
    QStringList lines = {QStringLiteral("拝啓　時下益々御清栄のこととお慶び申し上げます。"),
                         QStringLiteral("毎々お引き立てにあずかり厚くお礼申し上げます。")};
    const QString first = QStringLiteral("さて、下記の書類をご送付申し上げますので、");
    const QString second =
        QStringLiteral("ご査収の上、宜しくお取計らい下さいますようお願い致します。");
    if (measure(first + second, bodyHeight) < w - 10)
        lines << first + second;
    else
        lines << first << second;
    top = letter.Title.Bottom + f(100);
    int end = left;
    for (const QString& line : lines) {
        end = left + measure(line, bodyHeight);
        // The box reaches the right edge at least: a line is never cut short.
        letter.Body.push_back(
            boxText(line, left, top, std::max(xr, end), bodyHeight, TextAlign::LeftBottom));
        top = letter.Body.back().Bottom + f(20);
    }
    letter.Body.push_back(
        boxText(QStringLiteral("敬具  "), x0, top, end, bodyHeight, TextAlign::RightBottom));

    letter.Ki = boxText(QStringLiteral("記"), x0, letter.Body.back().Bottom + f(100), xr, f(50),
                        TextAlign::CenterBottom);
    int y = letter.Ki.Bottom;
    for (int i = 0; i < 10; ++i) {
        y += f(100);
        letter.ListLines.push_back(across(x0, xr, y, s.udOW1, kGrey, s.cbOTensen));
    }
    letter.Ijou =
        boxText(QStringLiteral("以　上　　"), x0, y + f(50), xr, f(35), TextAlign::RightBottom);
    return letter;
}

void RecordCoverLetter(PageCanvas& canvas, const CoverLetter& letter,
                       const std::function<void()>& halfway) {
    startFace(canvas);
    drawText(canvas, letter.Date);
    for (const SheetText& t : letter.Recipient) drawText(canvas, t);
    for (const SheetRule& r : letter.RecipientRules) RecordRule(canvas, r);
    for (const SheetText& t : letter.Sender) drawText(canvas, t);
    if (halfway) halfway();
    drawText(canvas, letter.Title);
    for (const SheetText& t : letter.Body) drawText(canvas, t);
    drawText(canvas, letter.Ki);
    for (const SheetRule& r : letter.ListLines) RecordRule(canvas, r);
    drawText(canvas, letter.Ijou);
}

FaxSheet ComputeFaxSheet(const FaxSection& fax, const LetterPlace& p, const TextMeasurer& measure) {
    const Scaler f{InfoOf(p.Paper).Factor};
    const int y0 = f((p.TopMm + 15) * 10), x0 = f((p.LeftMm + 20) * 10);
    const int w = p.Paper == PaperKind::B5 ? 1819 - f(350) : 1749;
    const int h = f(38);
    const int in = f(6), pad = f(50), c = f(950), g = f(20);
    const int r1 = f(100), r2 = f(90), r3 = f(80), r4 = f(85);
    const int t = r1 + r2 + r3 + r4;
    const int b = fax.udFW1;
    const int xc = x0 + c, xi = x0 + w - in;
    FaxSheet sheet;
    sheet.Frames = {SheetFrame{x0, y0, x0 + w, y0 + t, 50, b},
                    SheetFrame{x0 + in, y0 + in, xi, y0 + t - in, 43, b}};
    sheet.Divider = {QLine(xc, y0 + in, xc, y0 + t - in), b + 1, kBlack};
    const QString to = QStringLiteral("送信先：");
    const int afterTo = x0 + pad + measure(to, h);
    sheet.RecipientLine = across(afterTo, xc - pad, y0 + r1, b, kGrey, fax.cbFTensen);
    sheet.RowLines = {across(xc, xi, y0 + r1, b, kBlack),
                      across(x0 + in, xi, y0 + r1 + r2, b + 1, kBlack),
                      across(x0 + in, xc, y0 + r1 + r2 + r3, b, kBlack)};

    const auto text = [&](QString s, int left, int top, int right, int bottom, TextAlign align) {
        sheet.Texts.push_back({std::move(s), left, top, right, bottom, h, align});
    };
    constexpr TextAlign bottom = TextAlign::LeftBottom, top = TextAlign::LeftTop;
    text(to, x0 + pad, y0, xc, y0 + r1 - g, bottom);
    if (!fax.cbFAtena) {
        text(fax.edtFAtena1, afterTo, y0, xc, y0 + r1 - g, bottom);
        text(fax.edtFAtena2, afterTo, y0 + r1 + g, xc, y0 + r1 + r2, top);
    }
    text(QStringLiteral("Ｎｏ．　　　　ページ　　　　／"), xc + pad, y0, x0 + w, y0 + r1 - g,
         bottom);
    text(QStringLiteral("日付：") + (fax.cbFYMD ? BlankEraDate(p.Today, 6) : fax.edtFYMD), xc + pad,
         y0 + r1, xi, y0 + r1 + r2 - g, bottom);
    text(QStringLiteral("送信元：") + fax.edtFKaisha, x0 + pad, y0 + r1 + r2, xc,
         y0 + r1 + r2 + r3 - g, bottom);
    text(QStringLiteral("発信人：") + fax.edtFName, x0 + pad, y0 + r1 + r2 + r3, xc, y0 + t - g,
         bottom);
    text(QStringLiteral("FAX ：") + fax.edtFFax, xc + pad, y0 + r1 + r2, xi,
         y0 + r1 + r2 + r3 - g / 2, bottom);
    text(QStringLiteral("TEL ：") + fax.edtFTel, xc + pad, y0 + r1 + r2 + r3 + g / 2, xi, y0 + t,
         top);

    const QString subject = QStringLiteral("要　件：");
    sheet.Subject = boxText(subject, x0 + pad, y0 + t + f(120), x0 + w, h, bottom);
    const int ys = sheet.Subject.Bottom;
    sheet.SubjectLine =
        across(x0 + pad + measure(subject, h) + pad, x0 + w - pad, ys, b + 1, fax.edtFColor);
    if (fax.cbFKeisen)
        for (int i = 1; i <= 17; ++i)
            sheet.MessageLines.push_back(
                across(x0 + pad, x0 + w - pad, ys + f(120) * i, b, fax.edtFColor, fax.cbFTensen));
    return sheet;
}

void RecordFaxSheet(PageCanvas& canvas, const FaxSheet& sheet,
                    const std::function<void()>& halfway) {
    startFace(canvas);
    canvas.SetBrushStyle(Qt::NoBrush);
    canvas.SetPenColor(kBlack);
    for (const SheetFrame& fr : sheet.Frames) {
        canvas.SetPenWidth(fr.Width);
        canvas.RoundRect(fr.Left, fr.Top, fr.Right, fr.Bottom, fr.Corner, fr.Corner);
    }
    RecordRule(canvas, sheet.Divider);
    RecordRule(canvas, sheet.RecipientLine);
    for (const SheetRule& r : sheet.RowLines) RecordRule(canvas, r);
    for (const SheetText& t : sheet.Texts) drawText(canvas, t);
    if (halfway) halfway();
    drawText(canvas, sheet.Subject);
    RecordRule(canvas, sheet.SubjectLine);
    for (const SheetRule& r : sheet.MessageLines) RecordRule(canvas, r);
}

TextMeasurer CanvasTextMeasurer(PageCanvas& canvas) {
    return [&canvas](const QString& text, int height) {
        startFace(canvas);
        canvas.SetFontHeight(height);
        return canvas.TextWidth(text);
    };
}

}  // namespace korvane
