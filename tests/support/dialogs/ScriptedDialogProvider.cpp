#include "dialogs/ScriptedDialogProvider.h"

#include "dialogs/MessageBox.h"

#include <algorithm>

namespace dialogs {

namespace {

QString describe(const QString& kind, const QString& title, const QString& text = QString()) {
    QString description = kind + QStringLiteral(" \"") + title + QLatin1Char('"');
    if (!text.isEmpty())
        description += QStringLiteral(": ") + text;
    return description;
}

} // namespace

void ScriptedDialogProvider::answerMessageBox(int button) { answers_.push_back(MessageBoxAnswer{button}); }

void ScriptedDialogProvider::answerEveryMessageBox(int button) { everyMessageBox_ = button; }

void ScriptedDialogProvider::answerCheckableMessage(int buttonBit, bool checked) {
    answers_.push_back(CheckableMessageAnswer{buttonBit, checked});
}

void ScriptedDialogProvider::answerFile(const QString& path, int filterIndex) {
    answerFiles(QStringList{path}, filterIndex);
}

void ScriptedDialogProvider::answerFiles(const QStringList& paths, int filterIndex) {
    answers_.push_back(FileDialogAnswer{false, paths, filterIndex});
}

void ScriptedDialogProvider::cancelFile() { answers_.push_back(FileDialogAnswer{}); }

void ScriptedDialogProvider::answerFont(const FontChoice& font) {
    answers_.push_back(FontDialogAnswer{false, font});
}

void ScriptedDialogProvider::cancelFont() { answers_.push_back(FontDialogAnswer{}); }

void ScriptedDialogProvider::answerColor(const QColor& color, std::optional<CustomColors> customColors) {
    answers_.push_back(ScriptedColor{ColorDialogAnswer{false, color, customColors.value_or(CustomColors{})},
                                     !customColors.has_value()});
}

void ScriptedDialogProvider::cancelColor(std::optional<CustomColors> customColors) {
    answers_.push_back(ScriptedColor{ColorDialogAnswer{true, QColor(), customColors.value_or(CustomColors{})},
                                     !customColors.has_value()});
}

void ScriptedDialogProvider::answerPrinter(const PrinterChoice& printer) {
    answers_.push_back(PrinterDialogAnswer{false, printer});
}

void ScriptedDialogProvider::cancelPrinter() { answers_.push_back(PrinterDialogAnswer{}); }

void ScriptedDialogProvider::answerFolder(const QString& folder) {
    answers_.push_back(FolderDialogAnswer{false, folder});
}

void ScriptedDialogProvider::cancelFolder() { answers_.push_back(FolderDialogAnswer{}); }

void ScriptedDialogProvider::fail(const QString& message) {
    failures_ << message;
    if (raiseOnFailure_)
        throw UnansweredDialogError(message.toStdString());
}

template <typename T>
std::optional<T> ScriptedDialogProvider::take(const QString& description) {
    if (answers_.empty() || !std::holds_alternative<T>(answers_.front())) {
        fail(QStringLiteral("No scripted answer for ") + description);
        return std::nullopt;
    }
    T answer = std::get<T>(answers_.front());
    answers_.pop_front();
    return answer;
}

int ScriptedDialogProvider::messageBox(const MessageBoxRequest& request) {
    requests_.push_back(request);
    const QString description = describe(QStringLiteral("message box"), request.title, request.text);
    int button = 0;
    if (!answers_.empty() && std::holds_alternative<MessageBoxAnswer>(answers_.front())) {
        button = std::get<MessageBoxAnswer>(answers_.front()).button;
        answers_.pop_front();
    } else if (everyMessageBox_) {
        button = *everyMessageBox_;
    } else {
        fail(QStringLiteral("No scripted answer for ") + description);
        return closedBoxAnswer(request);
    }
    const std::vector<int> shown = request.buttons();
    if (std::find(shown.begin(), shown.end(), button) == shown.end()) {
        fail(QStringLiteral("Scripted button %1 is not shown by ").arg(button) + description);
        return closedBoxAnswer(request);
    }
    return button;
}

CheckableMessageAnswer ScriptedDialogProvider::checkableMessage(const CheckableMessageRequest& request) {
    requests_.push_back(request);
    const QString description = describe(QStringLiteral("checkable message"), request.title, request.text);
    const auto answer = take<CheckableMessageAnswer>(description);
    if (!answer)
        return CheckableMessageAnswer{0, request.checked};
    if (answer->button != 0 && (request.buttonBits & answer->button) == 0) {
        fail(QStringLiteral("Scripted button %1 is not shown by ").arg(answer->button) + description);
        return CheckableMessageAnswer{0, request.checked};
    }
    return *answer;
}

FileDialogAnswer ScriptedDialogProvider::fileDialog(const FileDialogRequest& request) {
    requests_.push_back(request);
    const QString kind = request.mode == FileDialogMode::Open ? QStringLiteral("open dialog")
                                                              : QStringLiteral("save dialog");
    return take<FileDialogAnswer>(describe(kind, request.title)).value_or(FileDialogAnswer{});
}

FontDialogAnswer ScriptedDialogProvider::fontDialog(const FontDialogRequest& request) {
    requests_.push_back(request);
    return take<FontDialogAnswer>(describe(QStringLiteral("font dialog"), request.title))
        .value_or(FontDialogAnswer{});
}

ColorDialogAnswer ScriptedDialogProvider::colorDialog(const ColorDialogRequest& request) {
    requests_.push_back(request);
    const auto scripted = take<ScriptedColor>(describe(QStringLiteral("colour dialog"), request.title));
    if (!scripted)
        return ColorDialogAnswer{true, QColor(), request.customColors};
    ColorDialogAnswer answer = scripted->answer;
    if (scripted->keepAskedCustomColors)
        answer.customColors = request.customColors;
    return answer;
}

PrinterDialogAnswer ScriptedDialogProvider::printerDialog(const PrinterDialogRequest& request) {
    requests_.push_back(request);
    return take<PrinterDialogAnswer>(describe(QStringLiteral("printer dialog"), request.title))
        .value_or(PrinterDialogAnswer{});
}

FolderDialogAnswer ScriptedDialogProvider::folderDialog(const FolderDialogRequest& request) {
    requests_.push_back(request);
    return take<FolderDialogAnswer>(describe(QStringLiteral("folder dialog"), request.title))
        .value_or(FolderDialogAnswer{});
}

} // namespace dialogs
