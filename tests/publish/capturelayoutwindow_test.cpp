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
}

// Any key closes the window, and so does a click on its bottom line.
TEST(LayoutWindow, AKeyOrTheBottomLineCloses) {
    for (const bool key : {true, false}) {
        auto* window = new CaptureLayoutWindow(QString(), false, QDateTime::currentDateTime());
        window->show();
        QSignalSpy closed(window, &CaptureLayoutWindow::Closed);
        if (key)
            QTest::keyClick(window, Qt::Key_A);
        else
            QTest::mouseClick(window->findChild<QLabel*>("NbURLLabel1"), Qt::LeftButton);
        EXPECT_EQ(closed.count(), 1) << key;
    }
}

}  // namespace
}  // namespace korvane
