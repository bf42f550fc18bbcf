#include "windowpictures.h"

#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "app/setupwindow.h"
#include "app/updatereminderdialog.h"
#include "core/atomicfile.h"
#include "core/clock.h"
#include "core/paths.h"
#include "print/engine/printsystem.h"
#include "print/printwindow.h"
#include "publish/calendarimagewindow.h"
#include "publish/publicitycalendarcomposer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>

#include <utility>

namespace korvane {

bool SaveWindowPictures(MainWindow& window, const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    const QString dir = WithTrailing(folder);
    bool ok = true;
    auto shoot = [&](QWidget* w, const QString& name) {
        QApplication::processEvents();
        AtomicFile file(dir + name);
        ok = file.Open() && w->grab().save(&file.Device(), "PNG") && file.Commit() && ok;
    };
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    auto* settings = window.findChild<QTabWidget*>(QStringLiteral("PageControl3"));
    if (!pages || !settings) return false;
    auto page = [&](const char* name) {
        return window.findChild<QWidget*>(QString::fromLatin1(name));
    };
    pages->setCurrentWidget(page("tsMonth"));
    shoot(&window, QStringLiteral("month.png"));
    if (QWidget* year = page("tsYear"); pages->indexOf(year) >= 0) {  // not on small screens
        pages->setCurrentWidget(year);
        shoot(&window, QStringLiteral("year.png"));
    }
    window.findChild<QAction*>(QStringLiteral("mnSettei"))->trigger();
    const std::pair<const char*, const char*> sheets[] = {
        {"tsSetAll", "basic"}, {"TabSheet1", "other"}, {"tsSs", "images"}};
    for (const auto& [name, file] : sheets) {
        QWidget* w = page(name);
        if (!w || !settings->isTabVisible(settings->indexOf(w))) continue;
        settings->setCurrentWidget(w);
        shoot(&window, QStringLiteral("settings-%1.png").arg(QString::fromLatin1(file)));
    }
    window.findChild<QPushButton*>(QStringLiteral("SetteiClose"))->click();
    AboutDialog about(&window);
    about.show();
    shoot(&about, QStringLiteral("about.png"));
    UpdateReminderDialog info(Clock::current().today(), &window);
    info.show();
    shoot(&info, QStringLiteral("info.png"));
    CalendarImageWindow picture(window.CaptureMonthPicture(), {});
    picture.setAttribute(Qt::WA_DeleteOnClose, false);
    picture.show();
    shoot(&picture, QStringLiteral("picture.png"));
    PcalContext pcal = window.PublicityContext();
    pcal.ReadOnlySettings = true;
    PublicityCalendarComposer composer(pcal, window.ShownGrid(), &window);
    composer.show();
    composer.Compose();
    shoot(&composer, QStringLiteral("pcal.png"));
    composer.hide();
    for (const auto mode : {SetupWindow::SetupPage, SetupWindow::StartPage}) {
        SetupContext context{{QApplication::applicationFilePath(), window.Paths().ProgramFolder},
                             window.Paths().SettingsFolder + QStringLiteral("Korvane.ini"),
                             true};
        SetupWindow setup(mode, context, &window);
        setup.show();
        shoot(&setup, QStringLiteral("setup-%1.png").arg(int(mode)));
    }
    // The print window's pages, on no printer and without writing its settings back.
    NoPrinterSystem none;
    PrintWindow print(window, none, window.Paths().SettingsFolder, &window, true);
    print.show();
    const std::pair<const char*, const char*> printPages[] = {
        {"tsInsatu", "calendar"}, {"tsCal", "options"},  {"tsNote", "note"},
        {"tsGraph", "graph"},     {"tsSoufu", "letter"}, {"tsFax", "fax"}};
    for (const auto& [name, file] : printPages) {
        QWidget* w = print.findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* sheets = print.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
            sheets && sheets->indexOf(w) >= 0) {
            sheets->setCurrentWidget(w);
            w = print.tsPapers;
        }
        print.ShowPage(w);
        shoot(&print, QStringLiteral("print-%1.png").arg(QString::fromLatin1(file)));
    }
    return ok;
}

}  // namespace korvane
