#pragma once

#include "ReportDocument.h"

#include "dialogs/DialogTypes.h"

#include <QString>

namespace printing {

// Where printed documents go. The process-wide one sends them to the
// printers of the system; tests install one that keeps them, so no test
// ever prints.
class PrinterOutput {
public:
    virtual ~PrinterOutput() = default;
    // Prints the document on the printer chosen; raises run-time error 482
    // with a message naming the printer when it cannot be reached.
    virtual void print(const ReportDocument& document, const dialogs::PrinterChoice& printer, const QString& title) = 0;
};

inline constexpr int PrinterError = 482;

PrinterOutput& currentPrinterOutput();
// Installs an output (not owned); nullptr goes back to the system's printers.
void setPrinterOutput(PrinterOutput* output);

class ScopedPrinterOutput {
public:
    explicit ScopedPrinterOutput(PrinterOutput& output);
    ~ScopedPrinterOutput();
    ScopedPrinterOutput(const ScopedPrinterOutput&) = delete;
    ScopedPrinterOutput& operator=(const ScopedPrinterOutput&) = delete;

private:
    PrinterOutput* previous_;
};

// Prints through the current output.
void printDocument(const ReportDocument& document, const dialogs::PrinterChoice& printer, const QString& title);

} // namespace printing
