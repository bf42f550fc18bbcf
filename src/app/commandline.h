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
    explicit CommandLine(QStringList arguments);

    std::optional<int> run(std::FILE* out, std::FILE* err);

    static QString helpText();

private:
    int days(std::FILE* out, std::FILE* err);
    int usageError(std::FILE* err, const QString& message);

    QStringList args_;
};

}  // namespace korvane
