#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace testsupport {

// A PDF file read back by an outside reader (poppler's pdfinfo and
// pdftotext): its page count, its creator and the text of each page. Pages 0 with the
// reader's complaint in `error` when the file is not a PDF it can read.
struct PdfContents {
    int pages = 0;
    QString creator;
    QStringList pageTexts;
    QString error;

    QString allText() const { return pageTexts.join(QLatin1Char('\f')); }
};

inline QString runReader(const QString& program, const QStringList& arguments, QString* error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = program + ": " +
                 (process.error() == QProcess::FailedToStart ? QStringLiteral("not installed (scripts/install-deps.sh)")
                                                             : QString::fromUtf8(process.readAllStandardError()));
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline PdfContents readPdf(const QString& path)
{
    PdfContents pdf;
    const QString info = runReader(QStringLiteral("pdfinfo"), {path}, &pdf.error);
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                                             QRegularExpression::MultilineOption)
                                              .match(info);
    if (!pages.hasMatch())
        return pdf;
    pdf.pages = pages.captured(1).toInt();
    pdf.creator = QRegularExpression(QStringLiteral("^Creator:\\s+(.*)$"), QRegularExpression::MultilineOption)
                      .match(info)
                      .captured(1)
                      .trimmed();
    for (int page = 1; page <= pdf.pages; ++page)
        pdf.pageTexts << runReader(QStringLiteral("pdftotext"),
                                   {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                    QString::number(page), QStringLiteral("-layout"), path, QStringLiteral("-")},
                                   &pdf.error);
    return pdf;
}

} // namespace testsupport
