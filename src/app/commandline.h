#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace korvane {

// The query commands of the command line, run without a window. run() answers the exit code, or
// nothing when the arguments ask for the window.
class CommandLine {
public:
    // programFolder ends with "/"; the shipped Hday.dat is looked for there.
    CommandLine(QStringList arguments, QString programFolder);

    std::optional<int> run(std::FILE* out, std::FILE* err);

    static QString helpText();

private:
    int days(std::FILE* out, std::FILE* err);
    int usageError(std::FILE* err, const QString& message);

    QStringList args_;
    QString programFolder_;
};

}  // namespace korvane
