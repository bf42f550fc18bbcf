#pragma once

#include <QString>

namespace korvane {

// Folders are carried with a trailing "/" and file names are joined to them directly.
// The trimmed text with the delimiter appended when it is non-empty and lacks one.
QString WithTrailing(const QString& text, QChar delimiter = u'/');
// The trimmed text without one trailing delimiter.
QString WithoutTrailing(const QString& text, QChar delimiter = u'/');
// "/a/b/c/" -> "/a/b/"; "/a/b/c" -> "/a/b/".
QString ParentFolder(const QString& folder);

// Paths the sibling programs write under Wine ("Z:\home\u\Velmar\", "C:\Velmar\") as Linux
// paths: "Z:" is the root, other drives go through $WINEPREFIX/dosdevices (default ~/.wine),
// "\" becomes "/". A path that is not a Windows one is returned unchanged.
QString FromWindowsPath(const QString& path);

// The existing file folder + name: looked up exactly first, then without regard to letter case
// ("HDAY.DAT", "ca200612.VLM"). Empty when there is none.
QString FindFile(const QString& folder, const QString& name);
bool FileExistsIn(const QString& folder, const QString& name);
// The existing file base + relative ("Pcal/Style1/HeadImg/M1.bmp"), every folder and the name
// looked up as FindFile looks up names. Empty when there is none.
QString FindPath(const QString& base, const QString& relative);

// The program's folder as Korvane uses it (its data, its marker files): the executable's folder
// when Hday.dat lies beside it (a build, a per-user set-up), else an installed copy's
// "../share/korvane/" when that holds it; with a trailing "/".
QString ProgramFolderOf(const QString& executableFolder);
// ProgramFolderOf the running executable's folder.
QString ProgramFolder();

}  // namespace korvane
