#include "streamprompt.h"

namespace korvane {

void WriteText(std::FILE* f, const QString& s) {
    const QByteArray b = s.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), f);
}

void ErrorStreamPrompt::message(const QString& text, const QString&, Kind) {
    WriteText(err_, QStringLiteral("korvane: %1\n").arg(OneLine(text)));
}

bool ErrorStreamPrompt::askYesNo(const QString& text, const QString& caption, bool) {
    message(text, caption, Kind::Question);
    return false;
}

QString ErrorStreamPrompt::OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return text;
}

bool NoAnswerPrompt::askYesNo(const QString& text, const QString& caption, bool) {
    message(text, caption, Kind::Question);
    throw QuestionAsked(text);
}

bool NoAnswerPrompt::printerDialog(const QString& caption, PrinterChoice&) {
    message(caption, caption, Kind::PrinterDialog);
    throw QuestionAsked(caption);
}

}  // namespace korvane
