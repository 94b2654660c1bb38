#pragma once

#include "log/MessageLogger.h"

#include <QMainWindow>

class QAction;
class QPlainTextEdit;

namespace vantrope {

// "Vantrope Messages": one scrolling text that grows at the bottom. Closing
// hides it and keeps its text; "Clear Messages" empties it.
class frmMessage : public QMainWindow, public MessageWindow {
    Q_OBJECT
public:
    explicit frmMessage(QWidget* parent = nullptr);

    void showMessages() override;
    const std::string& text() const override { return text_; }
    void setText(std::string text) override;

    QPlainTextEdit* txtMess() const { return txtMess_; }
    QAction* mnuClearErrs() const { return mnuClearErrs_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The text exactly as logged, CR LF line ends included; the box shows it
    // with plain line ends.
    std::string text_;
    QPlainTextEdit* txtMess_;
    QAction* mnuClearErrs_;
};

} // namespace vantrope
