// Recording a busy month page and replaying it into a PDF file.
//   print_bench                 Google Benchmark runs
//   print_bench --pdf FILE      one page to FILE and exit, for timing the whole process
// The preview benchmarks repaint the visible part of the page in a 1280 × 900 preview window, at
// whole-page zoom and at the largest zoom (scrolled to the middle of the page).

#include "print/engine/previewwindow.h"
#include "print/engine/printdocument.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

using namespace korvane;

// An A4 landscape month: frame, grid, weekday row, 42 day numbers, twenty timed schedule lines
// (times repeat, texts do not) and a period bar in every cell; about 2,000 operations.
void drawBusyMonth(PrintDocument& doc) {
    doc.SetGeometry(
        MeasureGeometry(QPageSize(QPageSize::A4), QPageLayout::Landscape, {}, 600, 600));
    doc.Title = QStringLiteral("2026年12月");
    doc.BeginDoc();
    PageCanvas& c = doc.Canvas();
    const int left = 120, top = 270, w = 390, h = 270;
    c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    c.SetFontHeight(-90);
    c.DrawTextBox(left, 80, left + 7 * w, 240, QStringLiteral("2026 年 12 月"),
                  TextAlign::CenterMiddle);
    c.SetPenWidth(5);
    c.Rectangle(left, top, left + 7 * w, top + 70 + 6 * h);
    c.SetPenWidth(0);
    static const char16_t* names[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    c.SetFontHeight(-40);
    for (int d = 0; d < 7; ++d)
        c.DrawTextBox(left + d * w, top, left + (d + 1) * w, top + 70, QString::fromUtf16(names[d]),
                      TextAlign::CenterMiddle);
    for (int r = 0; r <= 6; ++r) {
        c.MoveTo(left, top + 70 + r * h);
        c.LineTo(left + 7 * w, top + 70 + r * h);
    }
    for (int d = 0; d <= 7; ++d) {
        c.MoveTo(left + d * w, top);
        c.LineTo(left + d * w, top + 70 + 6 * h);
    }
    for (int cell = 0; cell < 42; ++cell) {
        const int x = left + (cell % 7) * w, y = top + 70 + (cell / 7) * h;
        c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
        c.SetFontHeight(-52);
        c.SetFontColor(cell % 7 == 0 ? clRed : clBlack);
        c.DrawTextBox(x, y, x + 70, y + 65, QString::number(cell % 31 + 1), TextAlign::RightBottom);
        c.SetFontName(QStringLiteral("ＭＳ Ｐゴシック"));
        c.SetFontHeight(-22);
        c.SetFontColor(clBlack);
        c.DrawTextBox(x + 80, y, x + w, y + 65, QStringLiteral("先勝　クリスマス"),
                      TextAlign::LeftBottom);
        c.SetFontHeight(-8);
        for (int line = 0; line < 20; ++line) {
            const int ly = y + 70 + line * 10;
            c.SetFontColor(ColorValue(0x800000));
            c.DrawTextBox(x + 10, ly, x + 60, ly + 10, QStringLiteral("%1:00").arg(8 + line % 10),
                          TextAlign::LeftTop);
            c.SetFontColor(clBlack);
            c.DrawTextBox(x + 62, ly, x + w - 5, ly + 10,
                          QStringLiteral("打合せ（案件%1）").arg(cell * 20 + line),
                          TextAlign::LeftTop);
        }
        c.SetPenWidth(3);
        c.MoveTo(x + 20, y + h - 10);
        c.LineTo(x + w - 20, y + h - 10);
        c.SetPenWidth(0);
    }
    doc.EndDoc();
}

void BM_RecordMonthPage(benchmark::State& state) {
    for (auto _ : state) {
        PrintDocument doc;
        drawBusyMonth(doc);
        benchmark::DoNotOptimize(doc.Page(1).Ops.size());
    }
}
BENCHMARK(BM_RecordMonthPage)->Unit(benchmark::kMillisecond);

void BM_MonthPageToPdf(benchmark::State& state) {
    QTemporaryDir dir;
    PrintDocument doc;
    drawBusyMonth(doc);
    state.counters["ops"] = double(doc.Page(1).Ops.size());
    for (auto _ : state) benchmark::DoNotOptimize(doc.SaveAsPdf(dir.filePath("month.pdf")));
}
BENCHMARK(BM_MonthPageToPdf)->Unit(benchmark::kMillisecond);

// Repaints of the preview's page area, as after a scroll or an expose.
void previewRepaint(benchmark::State& state, bool largest) {
    PrintDocument doc;
    drawBusyMonth(doc);
    PreviewWindow window(doc);
    window.resize(1280, 900);
    window.show();
    QCoreApplication::processEvents();
    auto* scroll = window.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    if (largest) {
        auto* up = window.findChild<QPushButton*>(QStringLiteral("ZoomUpBtn"));
        while (up->isEnabled()) window.ZoomUpBtnClick();
        QCoreApplication::processEvents();
        scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum() / 2);
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum() / 2);
    }
    QWidget* view = scroll->widget();
    state.counters["image_px"] = window.ImageRect().width();
    state.counters["screen_px"] = window.screen()->size().width();
    for (auto _ : state) view->repaint();
}
void BM_PreviewRepaintWholePage(benchmark::State& state) { previewRepaint(state, false); }
void BM_PreviewRepaintLargestZoom(benchmark::State& state) { previewRepaint(state, true); }
BENCHMARK(BM_PreviewRepaintWholePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewRepaintLargestZoom)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--pdf") == 0) {
        // A page to PDF needs no widgets.
        QGuiApplication app(argc, argv);
        PrintDocument doc;
        drawBusyMonth(doc);
        return doc.SaveAsPdf(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
