#include "messages/frmMessage.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>

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
    resize(480, 240);
}

void frmMessage::showMessages()
{
    show();
    raise();
}

void frmMessage::setText(std::string text)
{
    text_ = std::move(text);
    QString shown = QString::fromUtf8(text_.data(), static_cast<qsizetype>(text_.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtMess_->setPlainText(shown);
    txtMess_->verticalScrollBar()->setValue(txtMess_->verticalScrollBar()->maximum());
}

void frmMessage::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace vantrope
