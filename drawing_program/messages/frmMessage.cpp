#include "messages/frmMessage.h"

#include "forms/MenuItem.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCursor>

namespace vantrope {

frmMessage::frmMessage(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(QStringLiteral("Vantrope Messages"));
    txtMess_ = new QPlainTextEdit(this);
    txtMess_->setObjectName(QStringLiteral("txtMess"));
    txtMess_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtMess_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMess_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The central widget fills the client area at every size.
    setCentralWidget(txtMess_);
    mnuClearErrs_ = menuBar()->addAction(QStringLiteral("Clear Messages"));
    mnuClearErrs_->setObjectName(QStringLiteral("mnuClearErrs"));
    connect(mnuClearErrs_, &QAction::triggered, this, [this] { setText({}); });
    // Its one command has no access letter: F10 reaches it from the keyboard,
    // as in the programs' other windows.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { forms::activateMenuBarByKeys(menuBar()); });
    resize(480, 240);
}

void frmMessage::showMessages()
{
    show();
    raise();
}

namespace {

QString shownText(std::string_view text)
{
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

void frmMessage::setText(std::string text)
{
    // A message only adds to the end: insert just that, so a burst of
    // messages does not redo the whole text each time.
    bool appended = text.size() >= text_.size() && text.compare(0, text_.size(), text_) == 0 &&
                    !text_.empty() && text_.back() != '\r';
    std::string added = appended ? text.substr(text_.size()) : std::string();
    text_ = std::move(text);
    if (appended) {
        QTextCursor end(txtMess_->document());
        end.movePosition(QTextCursor::End);
        end.insertText(shownText(added));
    } else {
        txtMess_->setPlainText(shownText(text_));
    }
    txtMess_->verticalScrollBar()->setValue(txtMess_->verticalScrollBar()->maximum());
}

void frmMessage::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace vantrope
