#pragma once

#include "dialogs/DialogProvider.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <stdexcept>
#include <variant>
#include <vector>

namespace dialogs {

// Raised when a dialog is asked for that the script does not answer, so that
// a test fails at once instead of waiting for a window.
class UnansweredDialogError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Answers dialogs from a queue, in order, and records every request. Each
// answer must fit the next request's kind (a message box answer for a message
// box, and the button among those shown); anything else is a failure: it is
// recorded and, unless switched off, raised as UnansweredDialogError. With
// raising off a failed request is answered as if the user closed the dialog.
class ScriptedDialogProvider : public DialogProvider {
public:
    using Request = std::variant<MessageBoxRequest, CheckableMessageRequest, FileDialogRequest,
                                 FontDialogRequest, ColorDialogRequest, PrinterDialogRequest,
                                 FolderDialogRequest>;

    // The script.
    void answerMessageBox(int button);
    void answerEveryMessageBox(int button); // for message boxes the queue does not answer
    void answerCheckableMessage(int buttonBit, bool checked);
    void answerFile(const QString& path, int filterIndex = 1);
    void answerFiles(const QStringList& paths, int filterIndex = 1);
    void cancelFile();
    void answerFont(const FontChoice& font);
    void cancelFont();
    // Without custom colours of its own, an answer hands back those asked with.
    void answerColor(const QColor& color, std::optional<CustomColors> customColors = {});
    void cancelColor(std::optional<CustomColors> customColors = {});
    void answerPrinter(const PrinterChoice& printer);
    void cancelPrinter();
    void answerFolder(const QString& folder);
    void cancelFolder();

    // What was asked.
    const std::vector<Request>& requests() const { return requests_; }
    template <typename T>
    std::vector<T> requestsOf() const {
        std::vector<T> found;
        for (const Request& request : requests_)
            if (const T* typed = std::get_if<T>(&request))
                found.push_back(*typed);
        return found;
    }
    std::size_t unusedAnswers() const { return answers_.size(); }
    const QStringList& failures() const { return failures_; }
    void setRaiseOnFailure(bool raise) { raiseOnFailure_ = raise; }

    int messageBox(const MessageBoxRequest& request) override;
    CheckableMessageAnswer checkableMessage(const CheckableMessageRequest& request) override;
    FileDialogAnswer fileDialog(const FileDialogRequest& request) override;
    FontDialogAnswer fontDialog(const FontDialogRequest& request) override;
    ColorDialogAnswer colorDialog(const ColorDialogRequest& request) override;
    PrinterDialogAnswer printerDialog(const PrinterDialogRequest& request) override;
    FolderDialogAnswer folderDialog(const FolderDialogRequest& request) override;

private:
    struct MessageBoxAnswer {
        int button;
    };
    struct ScriptedColor {
        ColorDialogAnswer answer;
        bool keepAskedCustomColors;
    };
    using Answer = std::variant<MessageBoxAnswer, CheckableMessageAnswer, FileDialogAnswer,
                                FontDialogAnswer, ScriptedColor, PrinterDialogAnswer,
                                FolderDialogAnswer>;

    template <typename T>
    std::optional<T> take(const QString& description);
    void fail(const QString& message);

    std::deque<Answer> answers_;
    std::vector<Request> requests_;
    QStringList failures_;
    std::optional<int> everyMessageBox_;
    bool raiseOnFailure_ = true;
};

} // namespace dialogs
