#include "publish/capturelayoutwindow.h"

#include "calendar/monthgrid.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane {
namespace {

// The month's header pictures, found in any letter case; a missing one leaves its place empty.
TEST(LayoutWindow, HeadersAndTheUpdatedLine) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("PCAL/style1/HEADIMG")));
    QImage year(40, 20, QImage::Format_RGB32), month(30, 20, QImage::Format_RGB32);
    year.fill(Qt::red);
    month.fill(Qt::blue);
    ASSERT_TRUE(year.save(dir.filePath("PCAL/style1/HEADIMG/N2026.BMP"), "BMP"));
    ASSERT_TRUE(month.save(dir.filePath("PCAL/style1/HEADIMG/m12.bmp"), "BMP"));
    CaptureLayoutWindow window(dir.path(), true, QDateTime(QDate(2026, 12, 9), QTime(8, 5)));
    window.ShowHeaders(2026, 12);
    const auto shown = [&](const char* name) {
        return window.findChild<QLabel*>(QString::fromLatin1(name))->pixmap().toImage();
    };
    EXPECT_EQ(shown("imgNen").size(), QSize(40, 20));
    EXPECT_EQ(QColor(shown("imgMonth").pixel(0, 0)), QColor(Qt::blue));
    EXPECT_TRUE(shown("imgAMonth").isNull());
    window.ShowHeaders(2027, 1);
    EXPECT_TRUE(shown("imgNen").isNull());
    EXPECT_EQ(window.findChild<QLabel*>("lblKoushin")->text(), "令和8年12月09日08時05分更新");
    EXPECT_EQ(window.size(), QSize(829, 614));
    EXPECT_FALSE(window.Grid().IsToDay());
    const QImage shot = window.grab().toImage();
    // The updated line is painted in the bottom line (grey on white).
    int ink = 0;
    for (int y = shot.height() - 18; y < shot.height() - 4; ++y)
        for (int x = shot.width() / 2; x < shot.width() - 4; ++x)
            ink += qGray(shot.pixel(x, y)) < 200;
    EXPECT_GT(ink, 50);
}

// Any key closes the window, and so does a click on its bottom line or a label there.
TEST(LayoutWindow, AKeyOrTheBottomLineCloses) {
    for (const char* name : {"", "pnlBottom", "NbURLLabel1", "lblKoushin"}) {
        CaptureLayoutWindow window(QString(), false, QDateTime::currentDateTime());
        window.show();
        QSignalSpy closed(&window, &CaptureLayoutWindow::Closed);
        if (*name)
            QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton);
        else
            QTest::keyClick(&window, Qt::Key_A);
        EXPECT_EQ(closed.count(), 1) << name;
    }
}

}  // namespace
}  // namespace korvane
