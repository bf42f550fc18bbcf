#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace korvane {

class IniFile;

// A string list whose whole text joins the lines with nothing between them; setting the text
// splits it at CR, LF or CR LF.
class StringList : public QStringList {
public:
    using QStringList::QStringList;
    QString Text() const { return join(QString()); }
    void SetText(const QString& text);
};

// The file, folder, shell and text operations the windows share.
bool IsInternetConnected();
bool ShellOpen(const QString& pathOrAddress);
// Yes/No question captioned "確認" (or the caption, when it is not blank); true for Yes.
bool AskYesNo(const QString& text, bool yesDefault);
bool AskYesNoCaption(const QString& text, const QString& caption, bool yesDefault);
// A top-level window of the process has that object name.
bool FormExists(const QString& name);
QString RightChars(const QString& text, int n);
QString IfThenText(bool condition, const QString& a, const QString& b);
QString LastFolderName(const QString& folder);
// At least one file matches a wildcard mask such as "/data/Ca2026*.vlm".
bool FileMaskExists(const QString& mask);
// Byte copy; the destination is created or replaced whole. False when it cannot be done.
bool CopyFileStream(const QString& source, const QString& destination);
// Appends the pieces between delimiters (the list is not cleared).
void SplitToList(const QString& text, QStringList& list, QChar delimiter);
// Creates the folder and its missing parents.
bool ForceFolder(const QString& folder);
bool EnsureFolder(const QString& folder, bool create, bool ask);
// The program's folder lies on an optical disc.
bool IsRunFromCdRom(const QString& programFolder);
// Keeps up to generations (2..32) numbered copies of file in folder, 01 the newest.
bool GenerationBackup(const QString& file, const QString& folder, int generations);
// Backs file name in folder up into folder + "SafeGuard/" and deletes it.
bool MoveToSafeGuard(const QString& folder, const QString& fileName, int generations);

// XOR with the key for every byte above 31 whose result stays above 31; its own inverse.
QByteArray ScrambleText(const QByteArray& text, const QByteArray& key);
// "Save" writes the INI text scrambled to fileName (readable by its owner only; an export name
// also writes it plain there); "Load" reads it back into ini. A file name without "/" lies in the
// program folder; an empty key takes the built-in one. False when the file cannot be read or
// written.
bool ScrambledIniFile(const QString& mode, IniFile& ini, const QString& exportName,
                      const QByteArray& key, const QString& fileName, const QString& programFolder);

}  // namespace korvane
