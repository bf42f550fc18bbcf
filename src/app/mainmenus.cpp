#include "mainmenus.h"

#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "app/updatereminderdialog.h"
#include "app/utility.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <map>

namespace korvane {
namespace {

enum class Shown { Always, Extended, Never };

struct Entry {
    const char* menu;  // a menu of the table below, by name
    const char* name;
    const char16_t* caption;
    std::function<void()> action;
    QKeyCombination key = {};
    Shown shown = Shown::Always;
};

struct Menu {
    const char* name;
    const char16_t* caption;
    const char* parent = nullptr;
    bool visible = true;
    bool enabled = true;
};

}  // namespace

MainMenus BuildMainMenus(MainWindow& w, bool calendarForms) {
    const Menu menus[] = {
        {"mnFile", u"ファイル(&F)"},
        {"mnhyouji", u"表示(&V)", nullptr, false},
        {"mnIdou", u"移動(&G)"},
        {"mnKinou", u"機能(&K)"},
        {"mnSs", u"カレンダ画像(&G)", "mnKinou", true, false},
        {"mnSonota", u"その他(&O)"},
        {"mnKanri", u"管理", nullptr, false},
    };
    const auto ctrl = [](Qt::Key k) { return QKeyCombination(Qt::ControlModifier, k); };
    const Entry entries[] = {
        {"mnFile", "Exit1", u"終了(&X)", [&w] { w.close(); }},
        {"mnhyouji", "N1", u"設定表示(&S)", [&w] { w.OpenSettings(); }},
        {"mnIdou", "mnZengetu", u"前月(&J)", [&w] { w.StepMonth(-1); }, ctrl(Qt::Key_J)},
        {"mnIdou", "mnYokugetu", u"翌月(&K)", [&w] { w.StepMonth(1); }, ctrl(Qt::Key_K)},
        {"mnIdou", "mnZenNen", u"前年(&I)", [&w] { w.StepMonth(-12); }, ctrl(Qt::Key_I)},
        {"mnIdou", "mnYokuNen", u"翌年(&M)", [&w] { w.StepMonth(12); }, ctrl(Qt::Key_M)},
        {"mnKinou", "mnPrint", u"印刷(&P)", [&w] { w.ShowPrintWindow(); }},
        {"mnSs", "mnSs4", u"実行(&R)", [&w] { w.CaptureCalendar(); }, ctrl(Qt::Key_G)},
        {"mnSs", "mnPRC1", u"広報カレンダ", [&w] { w.CaptureLayout(-1); }, {}, Shown::Extended},
        {"mnSs", "mnC1", u"今月(&1)", [&w] { w.CaptureLayout(0); }, {}, Shown::Extended},
        {"mnSs", "mnC2", u"翌月(&2)", [&w] { w.CaptureLayout(1); }, {}, Shown::Extended},
        {"mnSs", "mnC3", u"翌々月(&3)", [&w] { w.CaptureLayout(2); }, {}, Shown::Extended},
        {"mnKinou", "mnPRC2", u"広報２", [&w] { w.OpenPublicityCalendar(); }, {}, Shown::Extended},
        {"mnKinou",
         "mnSsOnOff",
         u"秘密の機能",
         [&w] { w.ScreenshotSwitchClicked(); },
         {},
         Shown::Never},
        {"mnSonota", "About1", u"バージョン情報(&A)", [&w] { w.ShowAbout(); }},
        // Every Linux desktop has a file manager to show the properties: always there.
        {"mnSonota", "mnProperty", u"プロパティ表示(&R)",
         [] { ShowFileProperties(QApplication::applicationFilePath()); }},
        {"mnSonota", "mnWeb", u"「Korvane」のWebサイト表示", [] { OpenMakerWebPage(); }},
        {"mnSonota", "mnInfo", u"インフォメーション", [&w] { w.ShowInfo(); }, {}, Shown::Never},
        {"mnSonota", "mnSettei", u"オプション設定(&O)", [&w] { w.OpenSettings(); }},
        {"mnSonota", "mnHyoujun", u"標準表示(&D)", [&w] { w.StandardDisplay(); }},
        {"mnSonota", "mnGuide", u"使い方ガイド(&H)", [] { ShellOpen(UsersGuide()); }},
        {"mnSonota", "mnSetup", u"セットアップ(&S)", [&w] { w.ShowSetup(1); }},
        {"mnSonota", "mnKidou", u"起動設定(&K)", [&w] { w.ShowSetup(2); }},
        {"mnKanri", "mnisSs", u"スクリーンショット", [&w] { w.RevealScreenshotSwitch(); },
         QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_S), Shown::Never},
    };

    MainMenus out;
    std::map<QString, QMenu*> made;
    for (const Menu& m : menus) {
        const QString caption = QString::fromUtf16(m.caption);
        QMenu* menu = m.parent ? made.at(QString::fromLatin1(m.parent))->addMenu(caption)
                               : w.menuBar()->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(m.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(m.name));
        menu->menuAction()->setVisible(m.visible);
        menu->menuAction()->setEnabled(m.enabled);
        made[menu->objectName()] = menu;
    }
    auto add = [&w, calendarForms](QMenu* menu, const Entry& e) {
        QAction* a = menu->addAction(QString::fromUtf16(e.caption));
        a->setObjectName(QString::fromLatin1(e.name));
        if (e.key != QKeyCombination()) a->setShortcut(e.key);
        QObject::connect(a, &QAction::triggered, &w, e.action);
        a->setVisible(e.shown == Shown::Always || (e.shown == Shown::Extended && calendarForms));
        return a;
    };
    for (const Entry& e : entries) add(made.at(QString::fromLatin1(e.menu)), e);
    out.Idou = made.at(QStringLiteral("mnIdou"));
    out.Pictures = made.at(QStringLiteral("mnSs"));
    out.ScreenshotSwitch =
        made.at(QStringLiteral("mnKinou"))
            ->findChild<QAction*>(QStringLiteral("mnSsOnOff"), Qt::FindDirectChildrenOnly);
    out.ScreenshotSwitch->setCheckable(true);
    // Opening 機能 enables the picture menu from its option again.
    QObject::connect(
        made.at(QStringLiteral("mnKinou")), &QMenu::aboutToShow, &w,
        [&w, pictures = out.Pictures] { pictures->menuAction()->setEnabled(w.PicturesOn()); });

    // The hidden switch's key works with its menu hidden.
    auto* reveal = new QAction(&w);
    reveal->setShortcut(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_S));
    QObject::connect(reveal, &QAction::triggered, &w, [&w] { w.RevealScreenshotSwitch(); });
    w.addAction(reveal);

    // The window sees Alt+arrows before any of its controls.
    for (const int step : {1, -1}) {
        auto* a = new QAction(&w);
        a->setShortcut(QKeyCombination(Qt::AltModifier, step > 0 ? Qt::Key_Right : Qt::Key_Left));
        a->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(a, &QAction::triggered, &w, [&w, step] { w.StepPage(step); });
        w.addAction(a);
    }

    out.Popup = new QMenu(&w);
    out.Popup->setObjectName(QStringLiteral("pMenu1"));
    add(out.Popup, {"", "pmPrint", u"印刷(&P)", [&w] { w.ShowPrintWindow(); }});
    out.Popup->addSeparator();
    out.PopupQuit = add(out.Popup, {"", "", u"Korvane終了(&X)", [&w] { w.close(); }});
    return out;
}

}  // namespace korvane
