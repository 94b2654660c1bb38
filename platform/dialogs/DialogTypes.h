#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace dialogs {

// The button a message box returns. The numbers are the ones the program's
// texts and callers compare with.
enum ButtonCode : int {
    ButtonNone = 0,
    ButtonOK = 1,
    ButtonCancel = 2,
    ButtonAbort = 3,
    ButtonRetry = 4,
    ButtonIgnore = 5,
    ButtonYes = 6,
    ButtonNo = 7,
};

// A message box style is the sum of one button set, one icon and one
// default-button choice, so callers may pass the numbers as they stand.
enum MessageStyle : int {
    OKOnly = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,

    IconNone = 0,
    IconCritical = 16,
    IconQuestion = 32,
    IconExclamation = 48,
    IconInformation = 64,

    DefaultButton1 = 0,
    DefaultButton2 = 256,
    DefaultButton3 = 512,
};

struct MessageBoxRequest {
    QString text;
    QString title;
    int buttonSet = OKOnly;  // OKOnly .. RetryCancel
    int icon = IconNone;     // IconNone or one of the Icon* values
    int defaultButton = ButtonOK; // a ButtonCode among buttons()

    // The buttons shown, left to right.
    std::vector<int> buttons() const;
};

// The message window with a "do not show again" check box. Buttons are bits.
enum CheckableButtonBit : int {
    CheckableOK = 1,
    CheckableYes = 2,
    CheckableNo = 4,
    CheckableCancel = 8,
};

struct CheckableMessageRequest {
    QString text;
    QString title;
    int buttonBits = CheckableOK;
    QString checkBoxText = QStringLiteral("Do not show this message in the future.");
    bool checked = false;
};

struct CheckableMessageAnswer {
    int button = 0;       // the bit of the button pressed; 0 when closed without one
    bool checked = false; // the check box as the window closed
};

// File dialog flags, with the numbers callers pass.
enum FileDialogFlag : int {
    FileOverwritePrompt = 0x2,
    FileHideReadOnly = 0x4,
    FileNoChangeDir = 0x8,
    FileNoValidate = 0x100,
    FileAllowMultiSelect = 0x200,
    FilePathMustExist = 0x800,
    FileMustExist = 0x1000,
    FileCreatePrompt = 0x2000,
};

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    QString title;            // empty: the dialog's own title
    QString filter;           // "Description (*.ext)|*.ext|..."
    int filterIndex = 1;      // 1-based; 0 means the first
    QString initialFolder;
    QString fileName;         // preset name (may hold a folder)
    QString defaultExtension; // added to a name typed without one; empty: none
    int flags = 0;
    bool cancelError = false; // cancel raises error 32755
};

struct FileDialogAnswer {
    bool cancelled = true;
    QStringList paths; // one unless multi-select was asked for
    int filterIndex = 1;

    QString path() const { return paths.isEmpty() ? QString() : paths.front(); }
};

struct FontChoice {
    QString name;
    double size = 0.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontChoice&) const = default;
};

// Font dialog flags, with the numbers callers pass.
enum FontDialogFlag : int {
    FontScreenFonts = 0x1,
    FontPrinterFonts = 0x2,
    FontEffects = 0x100,
    FontAnsiOnly = 0x400,
    FontLimitSize = 0x2000,
};

struct FontDialogRequest {
    QString title;
    FontChoice initial;
    int flags = FontScreenFonts;
    int minimumSize = 0; // honoured with FontLimitSize
    int maximumSize = 0;
    bool cancelError = false;
};

struct FontDialogAnswer {
    bool cancelled = true;
    FontChoice font;
};

inline constexpr int CustomColorCount = 16;
using CustomColors = std::array<QColor, CustomColorCount>;

struct ColorDialogRequest {
    QString title;
    QColor initial; // invalid: nothing preselected
    CustomColors customColors;
    int flags = 0;
    bool cancelError = false;
};

// Custom colours come back whether the user confirmed or cancelled: what was
// edited in the dialog is kept either way.
struct ColorDialogAnswer {
    bool cancelled = true;
    QColor color;
    CustomColors customColors;
};

// Printer dialog flags, with the numbers callers pass.
enum PrinterDialogFlag : int {
    PrinterNoSelection = 0x4,
    PrinterNoPageNumbers = 0x8,
    PrinterHidePrintToFile = 0x100000,
};

enum class PageOrientation { Portrait = 1, Landscape = 2 };

// The PDF printer stands beside the system's printers on every machine,
// also on one with no printer at all: it writes the document to a PDF file.
inline constexpr char PdfPrinterName[] = "PDF file";

struct PrinterChoice {
    QString printerName; // empty: the system's default printer
    int copies = 1;
    PageOrientation orientation = PageOrientation::Portrait;
    QString pdfFile{}; // the file the PDF printer writes; empty for other printers

    bool isPdf() const { return printerName == QLatin1String(PdfPrinterName) || !pdfFile.isEmpty(); }
    bool operator==(const PrinterChoice&) const = default;
};

struct PrinterDialogRequest {
    QString title;
    PrinterChoice initial;
    int flags = 0;
    bool cancelError = false;
};

struct PrinterDialogAnswer {
    bool cancelled = true;
    PrinterChoice printer;
};

struct FolderDialogRequest {
    QString title;
    QString initialFolder;
    bool cancelError = false;
};

struct FolderDialogAnswer {
    bool cancelled = true;
    QString folder;
};

} // namespace dialogs
