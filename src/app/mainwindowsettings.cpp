// The main window's settings: read at start into the pages, collected and saved at the end.
#include "app/mainwindow.h"
#include "app/monthpane.h"
#include "app/settingspage.h"
#include "app/utility.h"
#include "app/widgetnames.h"
#include "app/yearpage.h"
#include "calendar/monthgrid.h"
#include "core/prompt.h"
#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <QMenu>

#include <exception>

namespace korvane {

void MainWindow::showSampleMonths() {
    settingsPage_->SetDiagnostic(0, QStringLiteral("サンプル月：%1").arg(link_.SampleMonths));
}

bool MainWindow::LoadAllSettings() {
    bool ok = true;
    // Each settings file is read once, however many keys and checks follow.
    const IniFile::Hold printersOnce(printersFile()), korvaneOnce(settingsFile());
    try {
        link_.LoadOptions(printersFile());
        settingsPage_->ShowOptions(link_.Options);
        link_.Resolve(arguments_);
        link_.LoadRuleFiles(grid());
        grid().SetTabMojiSuu(std::uint8_t(link_.TabMojiSuu));
        grid().SetTabChousei(std::uint8_t(link_.TabChousei));
        grid().ItemColor = link_.ItemColor;
        grid().SetUeTume(link_.Options.cbUetume);
        for (int i = 0; i < 5; ++i)
            link_.LoadMonthSlot(grid().MonthPages()[std::size_t(i)], nav_.Months().Entry(i).Year,
                                nav_.Months().Entry(i).Month);
        link_.LoadPeriodFile(grid().PeriodList());
        showSampleMonths();
        settingsPage_->SetDiagnostic(1, QStringLiteral("起動　：%1").arg(link_.StartFolderPath));
        settingsPage_->SetDiagnostic(2, QStringLiteral("共通　：%1").arg(link_.CommonFolder));
        settingsPage_->SetDiagnostic(3, QStringLiteral("データ：%1").arg(link_.MonthDataFolder));
        settingsPage_->SetDiagnostic(4, QStringLiteral("区分　：%1").arg(link_.SiblingKind));

        // The FTP settings: a file that cannot be read is not written over at the next save.
        ftpReadable_ = ftp_.Load(paths_.SettingsFolder, paths_.ProgramFolder);
        settingsPage_->ShowFtp(ftp_);

        KorvaneIni stored;
        stored.Settei.fmC21Top = y();
        stored.Settei.fmC21Left = x();
        stored.Image.edtSaveFolder = paths_.ProgramFolder;
        stored.Read(IniFile(settingsFile()));
        // Said now, not at closing after a whole session on defaults.
        for (const QString& file : {settingsFile(), printersFile()})
            if (!IniFile(file).Readable())
                ShowMessageBox(
                    QStringLiteral("設定ファイル %1 を読み込めません。\r\n"
                                   "今回は初期設定で起動し、このファイルには書き込みません。")
                        .arg(file));
        applyKorvaneIni(stored);
    } catch (const std::exception& e) {
        ok = false;
    }
    return ok;
}

void MainWindow::applyKorvaneIni(const KorvaneIni& stored) {
    korvaneIni_ = stored;
    const SetteiSection& s = stored.Settei;
    settingsPage_->ShowSettings(stored);
    yearPage_->SetMode(s.rgYFirstMonth);
    ApplyRokuyoDisplay(s.visRokuyou);
    applyItemFont();
    savedTop_ = s.fmC21Top;
    savedLeft_ = s.fmC21Left;
    yearPage_->SetSpecialFirstMonth(s.SpHajimariTuki);
    menus_.Pictures->menuAction()->setEnabled(PicturesOn());
}

KorvaneIni MainWindow::collectKorvaneIni() const {
    KorvaneIni out = korvaneIni_;  // the picture keys have no controls yet and keep their values
    out.Header.Folder = paths_.ProgramFolder;
    settingsPage_->CollectSettings(out);
    out.Settei.rgYFirstMonth = yearPage_->Mode();
    out.Settei.SpHajimariTuki = yearPage_->SpecialFirstMonth();
    out.Settei.fmC21Top = y();
    out.Settei.fmC21Left = x();
    return out;
}

bool MainWindow::SaveAllSettings() {
    if (paths_.ReadOnlySettings) return true;
    SaveProblems problems;
    IniFile printersIni(printersFile());
    SettingsWriter printers(printersIni, problems);
    PrintersSetSection set = link_.Options;
    settingsPage_->CollectOptions(set);
    set.Write(printers);
    settingsPage_->CollectFtp(ftp_);
    if (!ftpReadable_) {
        problems[QStringLiteral("%1 が読めないので、書き換えません")
                     .arg(QString::fromLatin1(FtpSettings::kFileName))]
            << QStringLiteral("FTP");
    } else if (!ftp_.Save(paths_.SettingsFolder)) {
        problems[QStringLiteral("%1 に書き込めません")
                     .arg(QString::fromLatin1(FtpSettings::kFileName))]
            << QStringLiteral("FTP");
    }
    IniFile korvaneIni(settingsFile());
    SettingsWriter ini(korvaneIni, problems);
    collectKorvaneIni().Write(ini);
    printers.Commit();
    ini.Commit();
    if (problems.empty()) return true;
    // Said once a run: the same value would fail at every later save too.
    if (!saveProblemsReported_) {
        saveProblemsReported_ = true;
        QString text = QStringLiteral("ItemHozon Err\r\n次の設定を保存できませんでした。");
        for (const auto& [reason, keys] : problems)
            text += QStringLiteral("\r\n%1: %2").arg(keys.join(QStringLiteral(", ")), reason);
        Prompt::current().message(text, ConfirmCaption(), Prompt::Kind::Warning);
    }
    return false;
}

}  // namespace korvane
