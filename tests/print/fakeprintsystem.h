#pragma once

#include "print/engine/printsystem.h"

#include <QFile>

#include <functional>
#include <vector>

namespace korvane::testing {

// Printers with chosen papers, margins and sources; jobs are kept with their PDF bytes.
class FakePrintSystem : public PrintSystem {
public:
    struct Printer {
        QString name;
        QList<QPageSize> papers{QPageSize(QPageSize::A4), QPageSize(QPageSize::A3),
                                QPageSize(QPageSize::JisB5)};
        QMarginsF margins{};  // millimetres, as the paper lies
        bool custom = false;
        int dpi = 600;
        QStringList sources{};
        QPageSize defaultPaper{QPageSize::A4};
    };

    std::vector<Printer> printers;
    QString defaultPrinter;
    SubmitResult answer{true, {}, 1};
    std::vector<PrintJob> jobs;
    std::vector<QByteArray> pdfs;
    // Runs while a job is being submitted, as events would during a real one.
    std::function<void()> whileSubmitting;

    FakePrintSystem& add(Printer p) {
        printers.push_back(std::move(p));
        if (defaultPrinter.isEmpty()) defaultPrinter = printers.back().name;
        return *this;
    }

    const Printer* printer(const QString& name) const {
        for (const Printer& p : printers)
            if (p.name == name) return &p;
        return nullptr;
    }

    QStringList Printers() const override {
        QStringList names;
        for (const Printer& p : printers) names << p.name;
        return names;
    }
    QString DefaultPrinter() const override { return defaultPrinter; }
    PrinterSettings Defaults(const QString& name) const override {
        PrinterSettings s;
        s.Printer = name;
        if (const Printer* p = printer(name)) s.PageSize = p->defaultPaper;
        return s;
    }
    QList<QPageSize> PageSizes(const QString& name) const override {
        const Printer* p = printer(name);
        return p ? p->papers : QList<QPageSize>();
    }
    bool CustomSizes(const QString& name) const override {
        const Printer* p = printer(name);
        return p && p->custom;
    }
    QMarginsF Margins(const QString& name, const QPageSize&,
                      QPageLayout::Orientation orientation) const override {
        const Printer* p = printer(name);
        if (!p) return {};
        const QMarginsF m = p->margins;
        // The printer's margins follow the sheet as it is fed; a landscape page is turned a
        // quarter anticlockwise onto it, as CUPS turns it.
        return orientation == QPageLayout::Landscape
                   ? QMarginsF(m.bottom(), m.left(), m.top(), m.right())
                   : m;
    }
    int DefaultResolution(const QString& name) const override {
        const Printer* p = printer(name);
        return p ? p->dpi : 300;
    }
    QStringList PaperSources(const QString& name) const override {
        const Printer* p = printer(name);
        return p ? p->sources : QStringList();
    }
    SubmitResult Submit(const PrintJob& job) override {
        jobs.push_back(job);
        QFile f(job.PdfPath);
        pdfs.push_back(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
        if (whileSubmitting) whileSubmitting();
        return answer;
    }
};

}  // namespace korvane::testing
