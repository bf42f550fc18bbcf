#include "settingspage.h"

#include "app/ftpsettingsbox.h"
#include "app/mainsettings.h"
#include "app/utility.h"
#include "app/widgetnames.h"
#include "core/atomicfile.h"
#include "core/codec.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "publish/picturefiles.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korvane {
SettingsPage::SettingsPage(QString programFolder, QWidget* parent)
    : QWidget(parent), programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("tsSettei"));
    auto* outer = new QVBoxLayout(this);
    PageControl3 = Named(new QTabWidget, "PageControl3");
    outer->addWidget(PageControl3);

    // " 基本 ": window position, the link with the sibling program, the item font.
    auto* basic = Named(new QWidget, "tsSetAll");
    PageControl3->addTab(basic, QStringLiteral(" 基本 "));
    auto* bl = new QVBoxLayout(basic);
    auto* position = Named(new QGroupBox(QStringLiteral(" 表示位置 ")), "RadioGroup1");
    auto* pl = new QHBoxLayout(position);
    RadioGroup1[0] = new QRadioButton(QStringLiteral("画面の真ん中"));
    RadioGroup1[1] = new QRadioButton(QStringLiteral("終了時位置"));
    RadioGroup1[0]->setChecked(true);
    for (QRadioButton* r : RadioGroup1) pl->addWidget(r);
    bl->addWidget(position);
    auto* print = Named(new QGroupBox(QStringLiteral(" 印刷 ")), "GroupBox3");
    auto* prl = new QVBoxLayout(print);
    auto* linkBox = Named(new QGroupBox(QStringLiteral("  Velmar／Tesskaとの連携  ")), "GroupBox4");
    auto* ll = new QGridLayout(linkBox);
    cbVelmar = Named(new QCheckBox(QStringLiteral("Velmar／Tesskaのデータを使う。")), "cbVelmar");
    lblFolder1 =
        Named(new QLabel(QStringLiteral("Velmar／Tesskaの起動フォルダを指定：")), "lblFolder1");
    edtFolder1 = Named(new QLineEdit, "edtFolder1");
    btnFolder1 = Named(new QPushButton(QStringLiteral("…")), "btnFolder1");
    btnFolder1->setFixedWidth(32);
    ll->addWidget(cbVelmar, 0, 0, 1, 2);
    ll->addWidget(lblFolder1, 1, 0, 1, 2);
    ll->addWidget(edtFolder1, 2, 0);
    ll->addWidget(btnFolder1, 2, 1);
    ll->addWidget(Named(new QLabel(QStringLiteral("※ 次回起動後、反映されます。")), "Label14"), 3,
                  0, 1, 2);
    ll->addWidget(Named(new QLabel(QStringLiteral("↑ 基本的には、Velmar／Tesskaから指定します。")),
                        "Label30"),
                  4, 0, 1, 2);
    ll->addWidget(Named(new QLabel(QStringLiteral(
                            "Velmar／Tesskaから指定した場合、上記で指定する必要はありません。")),
                        "Label39"),
                  5, 0, 1, 2);
    connect(cbVelmar, &QCheckBox::toggled, this, [this] {
        ApplyLinkCheckBox();
        emit LinkToggled();
    });
    connect(btnFolder1, &QPushButton::clicked, this, [this] { ChooseStartFolder(); });
    prl->addWidget(linkBox);
    cbPSelect =
        Named(new QCheckBox(QStringLiteral("プリンタの選択は、出来る限りKorvaneに任せる。")),
              "cbPSelect");
    cbPSelect->setChecked(true);
    cbPSelect->setVisible(false);  // stored only
    prl->addWidget(cbPSelect);
    bl->addWidget(print);
    cbToubai = Named(new QCheckBox(QStringLiteral("予定に等倍フォントを使う")), "cbToubai");
    cbToubai->setChecked(true);
    connect(cbToubai, &QCheckBox::clicked, this, &SettingsPage::ItemFontClicked);
    bl->addWidget(cbToubai);
    cbRokuyou = Named(new QCheckBox(QStringLiteral("六曜を表示する")), "cbRokuyou");
    connect(cbRokuyou, &QCheckBox::clicked, this, &SettingsPage::RokuyoClicked);
    bl->addWidget(cbRokuyou);
    // Where the sibling's files are read from; [Ctrl]+[Home] shows them.
    const char* diagnostics[] = {"lblSmpMonth", "lblVelmar1", "lblVelmar4", "lblVelmar2",
                                 "lblVelmar3"};
    for (std::size_t i = 0; i < Diagnostics.size(); ++i) {
        Diagnostics[i] = Named(new QLabel, diagnostics[i]);
        Diagnostics[i]->setVisible(false);
        bl->addWidget(Diagnostics[i]);
    }
    bl->addStretch(1);

    // " その他 ": week start, sample data, status bar.
    auto* other = Named(new QWidget, "TabSheet1");
    PageControl3->addTab(other, QStringLiteral(" その他 "));
    auto* ol = new QVBoxLayout(other);
    auto* week = Named(new QGroupBox(QStringLiteral(" 週の始まり ")), "rgStYoubi");
    auto* wl = new QHBoxLayout(week);
    rgStYoubi[0] = new QRadioButton(QStringLiteral("日曜"));
    rgStYoubi[1] = new QRadioButton(QStringLiteral("月曜"));
    rgStYoubi[0]->setChecked(true);
    for (QRadioButton* r : rgStYoubi) {
        connect(r, &QRadioButton::clicked, this, &SettingsPage::WeekStartClicked);
        wl->addWidget(r);
    }
    ol->addWidget(week);
    cbReadSpl =
        Named(new QCheckBox(QStringLiteral("サンプルデータを読み込まない(次回起動時より有効)。")),
              "cbReadSpl");
    ol->addWidget(cbReadSpl);
    cbSample = Named(new QCheckBox(QStringLiteral("サンプルボタンを表示しない。")), "cbSample");
    cbSample->setChecked(true);
    cbSample->setVisible(false);
    connect(cbSample, &QCheckBox::clicked, this, &SettingsPage::SampleOptionClicked);
    ol->addWidget(cbSample);
    cbSprite = Named(new QCheckBox(QStringLiteral("スプライト画面を表示しない。")), "cbSprite");
    cbSprite->setChecked(true);
    cbSprite->setVisible(false);
    connect(cbSprite, &QCheckBox::clicked, this, [this] { SpriteOptionClicked(); });
    ol->addWidget(cbSprite);
    ol->addWidget(
        Named(new QLabel(QStringLiteral("Velmar／Tesskaと連携した場合、自動的に読み込みません。")),
              "Label17"));
    auto* status = Named(new QGroupBox(QStringLiteral(" ステータスバー ")), "GroupBox8");
    auto* stl = new QVBoxLayout(status);
    auto* kidouRow = new QHBoxLayout;
    kidouRow->addWidget(Named(new QLabel(QStringLiteral("起動フォルダ：")), "Label15"));
    kidouRow->addWidget(Named(new QLabel(WithTrailing(programFolder_)), "lblKidou"), 1);
    stl->addLayout(kidouRow);
    cbShiyouchuu = Named(new QCheckBox(QStringLiteral("【 起動フォルダ 】ステータスバー表示")),
                         "cbShiyouchuu");
    cbShiyouchuu->setChecked(true);
    connect(cbShiyouchuu, &QCheckBox::clicked, this, &SettingsPage::StartFolderClicked);
    cb24ji = Named(new QCheckBox(QStringLiteral(" 時刻の２４時表示")), "cb24ji");
    connect(cb24ji, &QCheckBox::clicked, this, &SettingsPage::ClockClicked);
    stl->addWidget(cbShiyouchuu);
    stl->addWidget(cb24ji);
    ol->addWidget(status);
    ol->addStretch(1);

    buildPicturePage();

    buildManagementPage();

    auto* closeRow = Named(new QWidget, "pnlSetClose");
    auto* cl = new QHBoxLayout(closeRow);
    cl->addStretch(1);
    auto* close = Named(new QPushButton(QStringLiteral("設定を閉じる")), "SetteiClose");
    connect(close, &QPushButton::clicked, this, &SettingsPage::CloseClicked);
    cl->addWidget(close);
    outer->addWidget(closeRow);
    ApplyLinkCheckBox();
}

void SettingsPage::buildManagementPage() {
    // " 管理 ": kept hidden with its tab; only the calendar size and the screenshot flag are
    // stored.
    auto* page = Named(new QWidget, "tsKanri");
    const int index = PageControl3->addTab(page, QStringLiteral(" 管理 "));
    PageControl3->setTabVisible(index, false);
    auto* kl = new QVBoxLayout(page);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel(QStringLiteral("カレンダーの大きさ：")));
    udCalSize = Named(new QSpinBox, "udCalSize");
    udCalSize->setRange(0, 1);
    udCalSize->setValue(1);
    sizeRow->addWidget(udCalSize);
    sizeRow->addWidget(new QLabel(QStringLiteral("（[0] ３行表示  [1] ５行表示）")));
    sizeRow->addStretch(1);
    kl->addLayout(sizeRow);
    auto check = [&](const char* name, const QString& caption, bool checked, bool visible) {
        auto* box = Named(new QCheckBox(caption), name);
        box->setChecked(checked);
        box->setVisible(visible);
        kl->addWidget(box);
        return box;
    };
    check("cbBuki", QStringLiteral("Bravikとの連携"), true, true);
    check("cbPrivate", QStringLiteral("常時一般予定表示"), true, false);
    check("cbPrjN", QStringLiteral("Bravikと連携"), true, false);
    cbSs = check("cbSs", QStringLiteral("スクリーンショット"), false, true);
    cbCalendar = check("cbCalendar", QStringLiteral("カレンダフォーム"),
                       FileExistsIn(programFolder_, QStringLiteral("korvane.777")), true);
    kl->addStretch(1);
}

void SettingsPage::ShowOptions(const PrintersSetSection& set) {
    cbVelmar->setChecked(set.cbVelmar);
    edtFolder1->setText(set.edtFolder1);
    cbReadSpl->setChecked(set.cbReadSpl);
    cbSample->setChecked(set.cbSample);
    cbSprite->setChecked(set.cbSprite);
    cbPSelect->setChecked(set.cbPSelect);
    FtpSettings ftp;
    ftp_->Collect(ftp);
    ftp_->Show(ftp, set.cbFTP);
}

void SettingsPage::CollectOptions(PrintersSetSection& set) const {
    set.cbPSelect = cbPSelect->isChecked();
    set.cbSample = cbSample->isChecked();
    set.cbReadSpl = cbReadSpl->isChecked();
    set.cbVelmar = cbVelmar->isChecked();
    set.edtFolder1 = edtFolder1->text();
    set.cbSprite = cbSprite->isChecked();
    set.cbFTP = ftp_->UploadOn();
}

// " カレンダ画像 ": the calendar picture's switch, its folder and its file names. The names of the
// layout-window pictures show only beside the marker file, as their menu entries do.
void SettingsPage::buildPicturePage() {
    auto* images = Named(new QWidget, "tsSs");
    PageControl3->addTab(images, QStringLiteral(" カレンダ画像 "));
    auto* il = new QVBoxLayout(images);
    cbSsUse = Named(new QCheckBox(QStringLiteral("カレンダ画像機能を使う")), "cbSsUse");
    connect(cbSsUse, &QCheckBox::clicked, this, &SettingsPage::PicturesClicked);
    il->addWidget(cbSsUse);
    cbSsDateTime = Named(new QCheckBox(QStringLiteral("対象年月の表示")), "cbSsDateTime");
    il->addWidget(cbSsDateTime);
    auto* grid = new QGridLayout;
    il->addLayout(grid);
    grid->addWidget(new QLabel(QStringLiteral("セーブフォルダ")), 0, 0);
    edtSaveFolder = Named(new QLineEdit, "edtSaveFolder");
    grid->addWidget(edtSaveFolder, 0, 1);
    auto* browse = Named(new QPushButton(QStringLiteral("参照...")), "btnSaveFolder");
    connect(browse, &QPushButton::clicked, this, &SettingsPage::ChooseSaveFolder);
    grid->addWidget(browse, 0, 2);
    const bool extended = FileExistsIn(programFolder_, QStringLiteral("korvane.777"));
    const std::pair<const char*, const char*> names[] = {{"edtFile1", "ファイル名"},
                                                         {"edtC1", "今月"},
                                                         {"edtC2", "翌月"},
                                                         {"edtC3", "翌々月"},
                                                         {"edtPRC1", "広報カレンダ"}};
    int row = 1;
    for (const auto& [name, caption] : names) {
        auto* label = new QLabel(QString::fromUtf8(caption));
        auto* edit = Named(new QLineEdit, name);
        pictureNames_[name] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { PictureNameEdited(edit); });
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row++, 1);
        const bool shown = row == 2 || extended;
        label->setVisible(shown);
        edit->setVisible(shown);
    }
    ftp_ = new FtpSettingsBox;
    il->addWidget(ftp_);
    for (const QString& text :
         {QStringLiteral("拡張子は付けないでください。"),
          QStringLiteral("（拡張子は[.gif]が自動で付きます）"),
          QStringLiteral("画像の大きさは、実行時、右上に表示されます（画像の大きさは、ＯＳにより各"
                         "々違います）。"),
          QStringLiteral("例：<img src=\"image/velmarcg.gif\" width=\"903\" height=\"660\" "
                         "border=\"0\" alt=\"今月の予定\">")}) {
        auto* label = new QLabel(text);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        il->addWidget(label);
    }
    il->addStretch(1);
}

void SettingsPage::PictureNameEdited(QLineEdit* edit) {
    const QString name = edit->objectName();
    if (IsPlainPictureName(edit->text())) {
        validNames_[name] = edit->text();
        return;
    }
    Prompt::current().message(PlainPictureNameMessage(), QStringLiteral("Korvane"),
                              Prompt::Kind::Warning);
    const int at = std::max(0, edit->cursorPosition() - 1);
    edit->setText(validNames_.value(name));
    edit->setCursorPosition(std::min<int>(at, int(edit->text().size())));
}

void SettingsPage::ChooseSaveFolder() {
    const QString typed = edtSaveFolder->text().trimmed();
    const QString start = !typed.isEmpty() && QFileInfo(typed).isDir() ? typed : programFolder_;
    const QString chosen =
        Prompt::current().folderName(QStringLiteral("フォルダを選択してください。"), start);
    if (chosen.isEmpty()) return;
    const SaveFolderCheck check = CheckSaveFolder(chosen);
    if (!check.Message.isEmpty()) {
        Prompt::current().message(check.Message, QStringLiteral("確認 -Korvane-"),
                                  Prompt::Kind::Information);
        return;
    }
    edtSaveFolder->setText(check.Folder);
    edtSaveFolder->setFocus();
}

namespace {

const std::pair<const char*, QString ImageOptionSection::*> kPictureNames[] = {
    {"edtFile1", &ImageOptionSection::edtFile1},
    {"edtC1", &ImageOptionSection::edtC1},
    {"edtC2", &ImageOptionSection::edtC2},
    {"edtC3", &ImageOptionSection::edtC3},
    {"edtPRC1", &ImageOptionSection::edtPRC1}};

}  // namespace

void SettingsPage::ShowSettings(const KorvaneIni& ini) {
    const SetteiSection& s = ini.Settei;
    cb24ji->setChecked(s.cb24ji);
    cbShiyouchuu->setChecked(s.cbShiyouchuu);
    rgStYoubi[std::size_t(s.rgStYoubi)]->setChecked(true);
    cbToubai->setChecked(s.cbToubai);
    RadioGroup1[std::size_t(s.HyoujiIchi)]->setChecked(true);
    cbSs->setChecked(false);  // never carried over to the next start
    const ImageOptionSection& image = ini.Image;
    cbSsUse->setChecked(image.cbSsUse);
    cbSsDateTime->setChecked(image.cbSsDateTime);
    edtSaveFolder->setText(image.edtSaveFolder);
    for (const auto& [name, field] : kPictureNames) {
        pictureNames_.at(name)->setText(image.*field);
        validNames_[QString::fromLatin1(name)] = image.*field;
    }
}

void SettingsPage::CollectSettings(KorvaneIni& ini) const {
    SetteiSection& s = ini.Settei;
    s.udCalSize = udCalSize->value();
    s.cb24ji = cb24ji->isChecked();
    s.cbShiyouchuu = cbShiyouchuu->isChecked();
    s.HyoujiIchi = RadioGroup1[1]->isChecked() ? 1 : 0;
    s.rgStYoubi = rgStYoubi[1]->isChecked() ? 1 : 0;
    s.visRokuyou = cbRokuyou->isChecked();
    s.cbToubai = cbToubai->isChecked();
    ini.Image.cbSs = cbSs->isChecked();
    ini.Image.cbSsUse = cbSsUse->isChecked();
    ini.Image.cbSsDateTime = cbSsDateTime->isChecked();
    ini.Image.edtSaveFolder = edtSaveFolder->text();
    for (const auto& [name, field] : kPictureNames)
        ini.Image.*field = pictureNames_.at(name)->text();
}

bool SettingsPage::LinkOn() const { return cbVelmar->isChecked(); }
bool SettingsPage::ItemsInFixedPitch() const { return cbToubai->isChecked(); }
bool SettingsPage::ShowsRokuyo() const { return cbRokuyou->isChecked(); }
void SettingsPage::ShowRokuyo(bool on) { cbRokuyou->setChecked(on); }
bool SettingsPage::WeekStartsMonday() const { return rgStYoubi[1]->isChecked(); }
bool SettingsPage::SampleButtonHidden() const { return cbSample->isChecked(); }
bool SettingsPage::ShowsStartFolder() const { return cbShiyouchuu->isChecked(); }
bool SettingsPage::Clock24() const { return cb24ji->isChecked(); }
bool SettingsPage::KeepsPlace() const { return RadioGroup1[1]->isChecked(); }
bool SettingsPage::CalendarForms() const { return cbCalendar->isChecked(); }
bool SettingsPage::PicturesOn() const { return cbSsUse->isChecked(); }
bool SettingsPage::PictureShowsMonth() const { return cbSsDateTime->isChecked(); }
void SettingsPage::ShowFtp(const FtpSettings& ftp) { ftp_->Show(ftp, ftp_->UploadOn()); }
void SettingsPage::CollectFtp(FtpSettings& ftp) const { ftp_->Collect(ftp); }
std::optional<FtpAccount> SettingsPage::UploadAccount() const { return ftp_->Account(); }
void SettingsPage::SetScreenshotFlag(bool on) { cbSs->setChecked(on); }

void SettingsPage::SetDiagnostic(int line, const QString& text) {
    Diagnostics.at(std::size_t(line))->setText(text);
}

bool SettingsPage::RevealDiagnostics() {
    if (PageControl3->currentIndex() != 0) return false;
    for (QLabel* l : Diagnostics) l->setVisible(true);
    return true;
}

void SettingsPage::UseCompactLayout() {
    PageControl3->setTabVisible(PageControl3->indexOf(findChild<QWidget*>("tsSs")), false);
    RadioGroup1[0]->setChecked(true);
    RadioGroup1[0]->parentWidget()->setEnabled(false);
}

void SettingsPage::ApplyLinkCheckBox() {
    const bool on = cbVelmar->isChecked();
    lblFolder1->setEnabled(on);
    edtFolder1->setEnabled(on);
    btnFolder1->setEnabled(on);
    cbSample->setEnabled(!on);
}

void SettingsPage::ChooseStartFolder() {
    QString start = edtFolder1->text().trimmed();
    if (start.isEmpty() || !QFileInfo(start).isDir()) start = programFolder_;
    const QString chosen =
        Prompt::current().folderName(QStringLiteral("フォルダを選択してください。"), start);
    if (chosen.isEmpty()) return;
    const QString folder = WithTrailing(chosen);
    edtFolder1->setText(folder);
    if (!FileExistsIn(folder, QStringLiteral("Velmar.exe")) &&
        !FileExistsIn(folder, QStringLiteral("Tesska.exe")))
        ShowMessageBox(
            QStringLiteral("Velmar／Tesskaの起動フォルダではありません。\r\n"
                           "起動フォルダを設定し直して下さい。"));
    edtFolder1->setFocus();
}

void SettingsPage::SpriteOptionClicked() {
    const QString marker = programFolder_ + QStringLiteral("sptoff.kvn");
    if (cbSprite->isChecked()) {
        if (QFileInfo::exists(marker)) return;
        const QByteArray line = *Cp932::encode(
            QStringLiteral("このフォルダのKorvaneの、スプライトは表示しません。\r\n"));
        QString error;
        if (!WriteFileAtomically(marker, line, &error))
            ShowMessageBox(QStringLiteral("[%1]が作成できません。\r\n%2")
                               .arg(QDir::toNativeSeparators(marker), error));
    } else if (QFileInfo::exists(marker) && !QFile::remove(marker)) {
        ShowMessageBox(
            QStringLiteral("[%1]が削除できません。").arg(QDir::toNativeSeparators(marker)));
    }
}

}  // namespace korvane
