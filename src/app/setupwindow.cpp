#include "setupwindow.h"

#include "app/aboutdialog.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "core/workarea.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvane {
namespace {

const QString kConfirm = QStringLiteral("確認 -Korvane-");
const QString kIniError = QStringLiteral("イニシャルファイルエラー");

void Say(const QString& text, Prompt::Kind kind = Prompt::Kind::Information,
         const QString& caption = kConfirm) {
    Prompt::current().message(text, caption, kind);
}

void SayError(const QString& text) { Say(text, Prompt::Kind::Error, QStringLiteral("エラー")); }

template <typename W>
W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* Label(const char* name, const QString& text, bool heading = false) {
    auto* l = Named(new QLabel(text), name);
    QFont f = l->font();
    f.setBold(heading);
    l->setFont(f);
    return l;
}

QLineEdit* ReadOnlyField(const char* name, const QString& text) {
    auto* e = Named(new QLineEdit(text), name);
    e->setReadOnly(true);
    return e;
}

// The same folder by any name: links resolved where the folder exists.
bool SameFolder(const QString& a, const QString& b) {
    const auto real = [](const QString& f) {
        const QString path = QDir::cleanPath(QDir(f.trimmed()).absolutePath());
        return QFileInfo::exists(path) ? QFileInfo(path).canonicalFilePath() : path;
    };
    return real(a) == real(b);
}

const char16_t* const kNotes[] = {
    u"「登録してあります。」と表示されていても、",
    u"上記< 起動フォルダ >が登録されているとは限りません。",
    u"[ Korvane ]又は[ Korvane ]のショートカットが、",
    u"存在しているかどうかを表示しています。",
    u"セットアップ等で、起動フォルダを変更されたときなどは",
    u"ご注意下さい。",
    u"",
    u"起動フォルダを変更された場合、一度、解除してから",
    u"もう一度、登録し直してください。",
    u"上記< 起動フォルダ >が登録されます。",
    u"",
    u"また、ショートカットの名称を[ Korvane ][ Korvane ]以外に変更すると、",
    u"上記機能は、正常に働きません。",
    u"ショートカットの名称を変更された場合は、",
    u"ご自分で、スタートアップ、デスクトップ等を整理してください。",
};

}  // namespace

QString SetupWindow::ProductTitle() {
    return QStringLiteral("「Korvane」 ") + QString::fromUtf16(kVersionText) + u' ';
}

SetupWindow::SetupWindow(Mode mode, SetupContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    setObjectName(QStringLiteral("fmSetup"));
    setWindowTitle(QStringLiteral("Korvane"));
    defaultFolder_ = context_.DefaultFolder;
    textDir_ = context_.Source.DataFolder;
    readSettings();
    const QString exeFolder = QFileInfo(context_.Source.Executable).absolutePath() + u'/';

    // The set-up page.
    auto* setup = Named(new QWidget, "tsSetup");
    auto* s = new QVBoxLayout(setup);
    s->addWidget(Label("Label15", ProductTitle() + QStringLiteral("のセットアップ"), true));
    s->addWidget(Label("Label17", QStringLiteral("セットアップの場所（規定値推奨）")));
    s->addWidget(Label("Label4", QStringLiteral("現在の起動フォルダ")));
    s->addWidget(ReadOnlyField("edtKidouS", exeFolder));
    s->addWidget(Label("Label5", QStringLiteral("↓")));
    auto* target = new QHBoxLayout;
    edtSetup_ = Named(new QLineEdit(defaultFolder_), "edtSetup");
    edtSetup_->setEnabled(false);
    auto* browse = Named(new QToolButton, "FramSpeedBtn19");
    browse->setText(QStringLiteral("…"));
    target->addWidget(edtSetup_, 1);
    target->addWidget(browse);
    s->addLayout(target);
    rbNewSetup_ =
        Named(new QRadioButton(QStringLiteral("すべてを新規でセットアップ")), "rbNewSetup");
    rbUwagaki_ = Named(
        new QRadioButton(QStringLiteral("上書きセットアップ（すでにKorvaneを使用されている方）")),
        "rbUwagaki");
    s->addWidget(rbNewSetup_);
    s->addWidget(rbUwagaki_);
    const QString exe = executableName();
    const bool installed = storedInstalled_ || QFileInfo::exists(defaultFolder_ + exe);
    (installed ? rbUwagaki_ : rbNewSetup_)->setChecked(true);
    auto* start = Named(new QPushButton(QStringLiteral("セットアップ開始")), "btnSetup");
    s->addWidget(start);
    s->addStretch();

    // The start-method page.
    auto* kidou = Named(new QWidget, "tsKidou");
    auto* k = new QVBoxLayout(kidou);
    k->addWidget(Label("Label1", QStringLiteral("起動方法"), true));
    k->addWidget(Label("Label3", QStringLiteral("下記の＜起動フォルダ＞が登録されます。")));
    k->addWidget(Label("Label19", QStringLiteral("起動フォルダ")));
    k->addWidget(ReadOnlyField("edtKidou", exeFolder));
    auto* allOff = Named(new QPushButton(QStringLiteral("すべて解除")), "btnAllKaijo");
    k->addWidget(allOff, 0, Qt::AlignLeft);
    k->addWidget(Label("Label6", QStringLiteral("↓ 個々に指定してください。")));
    const struct {
        const char *box, *on, *off;
        const char16_t *title, *onText, *offText, *create, *remove;
        QString folder;
    } groups[] = {
        {"GroupBox2", "DesktopOn", "DesktopOff", u" デスクトップのショートカット ",
         u"作成して有ります（作成します）", u"作成していません（削除します）",
         u"デスクトップにショートカットを作成してもいいですか？",
         u"デスクトップのショートカットを削除していいですか？", context_.Shortcuts.Desktop},
        {"GroupBox6", "StartMenuOn", "StartMenuOff", u" スタートメニュー登録 ",
         u"登録して有ります（登録します）", u"登録していません（解除します）",
         u"スタートメニューにKorvaneを登録してもいいですか？",
         u"スタートメニュー登録を解除していいですか？", context_.Shortcuts.Menu},
        {"GroupBox5", "ProgramOn", "ProgramOff", u" ＜スタート＞－＜プログラムメニュー＞登録 ",
         u"登録して有ります（登録します）", u"登録していません（解除します）",
         u"プログラムメニューにKorvaneを登録してもいいですか？",
         u"プログラムメニュー登録を解除していいですか？", context_.Shortcuts.Menu},
    };
    for (const auto& g : groups) {
        auto* box = Named(new QGroupBox(QString::fromUtf16(g.title)), g.box);
        auto* b = new QVBoxLayout(box);
        Pair pair{Named(new QRadioButton(QString::fromUtf16(g.onText)), g.on),
                  Named(new QRadioButton(QString::fromUtf16(g.offText)), g.off), g.folder,
                  QString::fromUtf16(g.create), QString::fromUtf16(g.remove)};
        b->addWidget(pair.On);
        b->addWidget(pair.Off);
        k->addWidget(box);
        pairs_.push_back(pair);
    }
    auto* notes = Named(new QPlainTextEdit, "MeCopy");
    notes->setReadOnly(true);
    for (const char16_t* line : kNotes) notes->appendPlainText(QString::fromUtf16(line));
    notes->moveCursor(QTextCursor::Start);
    k->addWidget(notes, 1);

    pages_ = new QStackedWidget;  // pages without tabs
    pages_->addWidget(setup);
    pages_->addWidget(kidou);
    pages_->setCurrentWidget(mode == StartPage ? kidou : setup);
    auto* close = Named(new QPushButton(QStringLiteral("閉じる")), "btnClose");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    auto* bottom = Named(new QWidget, "Panel1");
    auto* bl = new QHBoxLayout(bottom);
    bl->addStretch();
    bl->addWidget(close);
    layout->addWidget(bottom);
    setFixedSize(524, 499);
    if (const QScreen* screen = this->screen())
        move(KeepOnWorkArea(QRect(place_, size()), screen->availableGeometry(), size()).topLeft());
    refreshPairs();

    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        connect(pairs_[i].On, &QRadioButton::clicked, this,
                [this, i] { pairClicked(pairs_[i], true); });
        connect(pairs_[i].Off, &QRadioButton::clicked, this,
                [this, i] { pairClicked(pairs_[i], false); });
    }
    connect(allOff, &QPushButton::clicked, this, [this] {
        pairs_.front().Off->setFocus();
        for (const Pair& p : pairs_) {
            p.Off->setChecked(true);
            pairClicked(p, false);
        }
    });
    connect(rbNewSetup_, &QRadioButton::clicked, this,
            [this] { edtSetup_->setText(defaultFolder_); });
    connect(rbUwagaki_, &QRadioButton::clicked, this, [this] {
        if (rbUwagaki_->isChecked()) edtSetup_->setEnabled(false);
        edtSetup_->setText(defaultFolder_);
    });
    connect(browse, &QToolButton::clicked, this, &SetupWindow::chooseFolder);
    connect(start, &QPushButton::clicked, this, &SetupWindow::runSetup);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString SetupWindow::executableName() const {
    return QFileInfo(context_.Source.Executable).fileName();
}

void SetupWindow::readSettings() {
    if (!QFileInfo::exists(context_.SettingsFile)) return;
    try {
        const IniFile ini(context_.SettingsFile);
        place_ =
            QPoint(ini.ReadInteger("Setup", "SetupX", 0), ini.ReadInteger("Setup", "SetupY", 0));
        textDir_ = ini.ReadString("Setup", "TextDir", textDir_);
        // The stored target only decides the overwrite choice; the field shows the default.
        const QString stored = ini.ReadString("Setup", "edtSetup", defaultFolder_);
        storedInstalled_ = QFileInfo::exists(WithTrailing(stored) + executableName());
    } catch (const EIniError&) {
        Say(kIniError, Prompt::Kind::Error);
    }
}

void SetupWindow::done(int result) {
    if (!context_.ReadOnlySettings) {
        try {
            IniFile ini(context_.SettingsFile);
            ini.WriteInteger("Setup", "SetupY", y());
            ini.WriteInteger("Setup", "SetupX", x());
            ini.WriteString("Setup", "TextDir", textDir_);
            ini.WriteString("Setup", "edtSetup", edtSetup_->text());
        } catch (const EIniError&) {
            Say(kIniError, Prompt::Kind::Error);
        }
    }
    QDialog::done(result);
}

void SetupWindow::refreshPairs() {
    for (const Pair& p : pairs_) (ShortcutPresent(p.Folder) ? p.On : p.Off)->setChecked(true);
}

void SetupWindow::pairClicked(const Pair& pair, bool on) {
    const QString entry = WithTrailing(pair.Folder) + QString::fromUtf16(kShortcutFile);
    try {
        if (on != ShortcutPresent(pair.Folder)) {
            if (!Prompt::current().askYesNo(on ? pair.Create : pair.Remove, kConfirm)) {
                (on ? pair.Off : pair.On)->setChecked(true);
                return;
            }
            if (on)
                CreateShortcut(context_.Source.Executable, pair.Folder, QStringLiteral("Korvane"));
            else
                DeleteFileChecked(entry);
        }
    } catch (const SetupError& e) {
        SayError(e.Text());
    }
    refreshPairs();  // the start menu and the programs menu are one folder
}

void SetupWindow::chooseFolder() {
    const QString chosen =
        Prompt::current().folderName(QStringLiteral("フォルダの選択"), edtSetup_->text());
    if (chosen.isEmpty()) return;
    edtSetup_->setEnabled(true);
    const QString folder = WithTrailing(chosen);
    if (!QFileInfo::exists(folder + executableName()) &&
        !folder.contains(QStringLiteral("Korvane")) &&
        Prompt::current().askYesNo(
            QStringLiteral("指定されたフォルダーに<\\Korvane\\>のフォルダを\r\n付け加えますか？"),
            QStringLiteral("確認")))
        edtSetup_->setText(folder + QStringLiteral("Korvane/"));
    else
        edtSetup_->setText(folder);
    defaultFolder_ = edtSetup_->text();
}

bool SetupWindow::siblingsClosed() {
    for (const QString& name : {QStringLiteral("Velmar"), QStringLiteral("Tesska")}) {
        const QString shown = name == u"Velmar" ? QStringLiteral("Velmar -Velmar-") : name;
        while (ProgramRunning(context_.ProcRoot, name))
            if (!Prompt::current().askYesNo(
                    QStringLiteral("【 ") + shown +
                        QStringLiteral(" 】が立ち上がっています。\r\n") + name +
                        QStringLiteral("を先に終了させてから「はい」を押してください。\r\n\r\n"
                                       "「いいえ」を押すと、セットアップを中止します。"),
                    kConfirm))
                return false;
    }
    return true;
}

void SetupWindow::runSetup() {
    if (!siblingsClosed()) return;
    if (!Prompt::current().askYesNo(QStringLiteral("セットアップを開始してよろしいですか？"),
                                    QStringLiteral("確認"), true)) {
        Say(QStringLiteral("中止します。"));
        return;
    }
    const QString exe = executableName();
    const QString exeFolder = QFileInfo(context_.Source.Executable).absolutePath() + u'/';
    if (!QFileInfo(context_.Source.Executable).isFile()) {
        Say(exeFolder + exe + QStringLiteral(" が存在しません。\r\n中止します。"));
        return;
    }
    if (FindFile(context_.Source.DataFolder, QStringLiteral("Hday.dat")).isEmpty()) {
        Say(context_.Source.DataFolder +
            QStringLiteral("HDay.dat が存在しません。\r\n中止します。"));
        return;
    }
    const QString target = WithTrailing(edtSetup_->text());
    if (SameFolder(target, exeFolder) || SameFolder(target, context_.Source.DataFolder)) {
        Say(QStringLiteral("受け手と送り手のフォルダーが同じです。\r\nセットアップを中止します。"));
        return;
    }
    const bool overwrite = rbUwagaki_->isChecked();
    const bool present = QFileInfo::exists(target + exe);
    if (overwrite && !present) {
        Say(QStringLiteral("指定されたフォルダーに、") + exe +
            QStringLiteral(" が存在しません。\r\n上書きセットアップを中止します。"));
        edtSetup_->selectAll();
        edtSetup_->setFocus();
        return;
    }
    if (!overwrite && present) {
        Say(QStringLiteral("指定されたフォルダーに、") + exe +
            QStringLiteral(
                " が存在します。\r\n上書きセットアップで、\r\nセットアップし直してください。"));
        return;
    }
    if (!overwrite && !QDir().mkpath(target)) {
        SayError(QStringLiteral("セットアップフォルダを作成できません。"));
        edtSetup_->selectAll();
        edtSetup_->setFocus();
        return;
    }
    if (!copyAndRegister(target, overwrite)) return;
    Say(ProductTitle() + QStringLiteral("のセットアップが終了しました。"));
    restartFrom(target);
}

bool SetupWindow::copyAndRegister(const QString& target, bool overwrite) {
    try {
        // The old entries go only once the new copy is whole: a failed copy leaves them.
        InstallProgramFiles(context_.Source, target);
        if (!overwrite) {
            for (const QString& folder :
                 {context_.Shortcuts.Startup, context_.Shortcuts.Desktop, context_.Shortcuts.Menu})
                DeleteFileChecked(WithTrailing(folder) + QString::fromUtf16(kShortcutFile));
            CreateShortcut(target + executableName(), context_.Shortcuts.Menu,
                           QStringLiteral("Korvane"));
        }
        refreshPairs();
        return true;
    } catch (const SetupError& e) {
        SayError(e.Text() + QStringLiteral("\rセットアップをやり直してみてください。"));
        return false;
    }
}

void SetupWindow::restartFrom(const QString& target) {
    const QString marker = target + QString::fromUtf16(kSecondCopyMarker);
    const QString title = ProductTitle();
    Say(QStringLiteral("現在起動中の") + title +
        QStringLiteral("を終了させ、\r\nセットアップした") + title +
        QStringLiteral("を起動させます。\r\n一時的に、") + title +
        QStringLiteral(
            "が２つ立ち上がります。\r\n確認（ＯＫ）後、10秒程度、そのままでお待ちください。"));
    // The marker lets the new copy start beside this one; the new copy removes it once it runs.
    QFile mark(marker);
    QProcess process;
    process.setProgram(target + executableName());
    process.setWorkingDirectory(target);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kRestartMarkerVariable), marker);
    process.setProcessEnvironment(env);
    if (!mark.open(QIODevice::WriteOnly) || (mark.close(), !process.startDetached())) {
        QFile::remove(marker);
        SayError(target + executableName() + QStringLiteral(" を起動できませんでした。\r\n") +
                 process.errorString());
        return;
    }
    done(Restarted);
}

}  // namespace korvane
