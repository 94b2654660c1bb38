#include "shell/frmMisc.h"

#include "shell/MHTMLHelp.h"
#include "shell/Startup.h"

#include "dialogs/CommonDialogs.h"
#include "forms/CommandButton.h"
#include "forms/MenuItem.h"
#include "forms/TextBox.h"
#include "forms/Timer.h"
#include "runtime/RuntimeError.h"
#include "runtime/ResumeNext.h"
#include "shell/Help.h"
#include "ShellWindowLayouts.h"

#include <QTimer>

#include <algorithm>

namespace cindrel::shell {

namespace {

const QString Name = QStringLiteral("frmMisc");
const QString CrLf = QStringLiteral("\r\n");

forms::TextBox& notesBox(forms::Form& form) { return form.get<forms::TextBox>(QStringLiteral("txtNotes")); }

} // namespace

frmMisc::frmMisc(Startup& startup) : startup_(startup) {}

void frmMisc::define(forms::Forms& windows)
{
    forms::Form& window = windows.define(Name, [this](forms::Form& form) { build(form); });
    window.onResize.connect([this] { runtime::ignoringAnyException([this] { layOut(); }); });
    // Its window button acts as Close: the log's text stays for the next showing.
    window.onQueryUnload.connect([&window](bool& cancel, forms::UnloadReason reason) {
        if (reason != forms::UnloadReason::FormControlMenu)
            return;
        cancel = true;
        window.get<forms::CommandButton>(QStringLiteral("cmdClose")).click();
    });
}

void frmMisc::build(forms::Form& form)
{
    frmMisc& self = *this;
    form.setCaption(QStringLiteral("Notes"));
    // Shown at the start before the main window: it stays in front of it.
    form.keepInFrontOf(startup_.windows().find(QStringLiteral("frmMain")));
    form.move(0, 0, 4920, 4890);
    forms::buildLayout(form, layouts::frmMisc());
    notesBox(form).setScrollBars(false, true);
    ticks_ = 0;
    form.get<forms::CommandButton>(QStringLiteral("cmdClose")).onClick.connect([&form] {
        form.hide();
        form.get<forms::CommandButton>(QStringLiteral("cmdHelp")).setVisible(false);
    });
    form.get<forms::CommandButton>(QStringLiteral("cmdHelp")).onClick.connect([&form] {
        shellservices::showHelpTopic(QString::fromStdString(HelpFilePath(1)),
                                     form.get<forms::CommandButton>(QStringLiteral("cmdHelp")).helpContextId());
    });
    form.get<forms::MenuItem>(QStringLiteral("mnuClear")).onClick.connect([&self] { self.clearText(); });
    form.get<forms::MenuItem>(QStringLiteral("mnuAutoClose")).onClick.connect([&form] {
        auto& item = form.get<forms::MenuItem>(QStringLiteral("mnuAutoClose"));
        item.setChecked(!item.checked());
    });
    form.get<forms::Timer>(QStringLiteral("Timer")).onTimer.connect([&self] { self.timerTick(); });
}

forms::Form& frmMisc::form() { return startup_.windows()[Name]; }

void frmMisc::layOut()
{
    forms::Form& window = form();
    const double width = std::max(0.0, window.scaleWidth());
    const double height = std::max(0.0, window.scaleHeight());
    notesBox(window).move(0, 0, width, height);
    auto& close = window.get<forms::CommandButton>(QStringLiteral("cmdClose"));
    close.move(width - close.width(), height - close.height());
    auto& help = window.get<forms::CommandButton>(QStringLiteral("cmdHelp"));
    help.move(close.left() - help.width(), close.top());
}

void frmMisc::timerTick()
{
    forms::Form& window = form();
    if (!window.get<forms::MenuItem>(QStringLiteral("mnuAutoClose")).checked())
        return;
    ++ticks_;
    if (ticks_ <= 2)
        return;
    ticks_ = 0;
    clearText();
    window.get<forms::CommandButton>(QStringLiteral("cmdHelp")).setVisible(false);
    window.hide();
}

void frmMisc::ShowHelpButton(int ContextID)
{
    if (HelpFilePath(1).empty())
        return;
    auto& help = form().get<forms::CommandButton>(QStringLiteral("cmdHelp"));
    help.setVisible(true);
    help.setHelpContextId(ContextID);
}

void frmMisc::re_FormLoad()
{
    runtime::ignoringAnyException([&] {
        forms::Form& window = form();
        startup_.GetWindowPosition(window);
        if (window.left() < 0)
            window.setLeft(0);
        if (window.top() < 0)
            window.setTop(0);
        if (window.width() < 3000)
            window.setWidth(3000);
        if (window.height() < 4500)
            window.setHeight(4500);
        layOut();
    });
}

void frmMisc::UnloadForm()
{
    runtime::ignoringAnyException([&] { startup_.SaveWindowPosition(form()); });
}

bool frmMisc::SetPrinter()
{
    dialogs::PrinterDialogRequest request;
    request.flags = dialogs::PrinterHidePrintToFile + dialogs::PrinterNoPageNumbers + dialogs::PrinterNoSelection;
    request.initial = dialogs::currentPrinter();
    request.cancelError = true;
    try {
        dialogs::showPrinterDialog(request);
    } catch (const runtime::RuntimeError& error) {
        return error.number() != runtime::CancelError;
    } catch (const std::exception&) {
    }
    return true;
}

void frmMisc::showWindow() { form().show(); }

void frmMisc::prependLine(const std::string& line)
{
    pending_.push_back(line);
    if (flushScheduled_)
        return;
    flushScheduled_ = true;
    // The log's own window has nowhere to report its failure but itself; the
    // lines are still in the run-notes file when it is kept.
    QTimer::singleShot(0, &context_, [this] { runtime::ignoringAnyException([this] { flush(); }); });
}

void frmMisc::flush()
{
    flushScheduled_ = false;
    if (pending_.empty())
        return;
    QString lines;
    for (auto line = pending_.rbegin(); line != pending_.rend(); ++line)
        lines += QString::fromStdString(*line) + CrLf;
    pending_.clear();
    auto& box = notesBox(form());
    QString text = lines + box.text();
    if (text.size() > MaximumText) {
        const qsizetype lastLineEnd = text.lastIndexOf(CrLf, MaximumText - 2);
        text.truncate(lastLineEnd < 0 ? MaximumText : lastLineEnd + 2);
    }
    box.setText(text);
}

void frmMisc::clearText()
{
    pending_.clear();
    notesBox(form()).setText(QString());
}

void frmMisc::replaceText(const std::string& text)
{
    pending_.clear();
    notesBox(form()).setText(QString::fromStdString(text));
}

QString frmMisc::text()
{
    flush();
    return notesBox(form()).text();
}

} // namespace cindrel::shell
