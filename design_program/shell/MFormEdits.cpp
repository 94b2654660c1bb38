#include "shell/MFormEdits.h"

#include "dialogs/MessageBox.h"
#include "forms/TextBox.h"
#include "forms/Twips.h"
#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace cindrel::shell {

void CenterForm(forms::Form& form)
{
    try {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr)
            runtime::raise(runtime::InvalidProcedureCall);
        const QSize size = screen->geometry().size();
        const double screenWidth = forms::pixelsToTwips(size.width());
        const double screenHeight = forms::pixelsToTwips(size.height());
        const double left = runtime::roundHalfEven((screenWidth - form.width()) * 0.5);
        const double top = runtime::roundHalfEven((screenHeight - form.height()) * 0.5);
        form.move(left, top);
    } catch (const runtime::RuntimeError& error) {
        dialogs::messageBox(QStringLiteral("Run-Time error %1 occured.").arg(error.number()),
                            dialogs::OKOnly + dialogs::IconExclamation, QStringLiteral("CenterForm"));
    }
}

void SelectAllText(forms::Forms& windows)
{
    // Selecting the text is a convenience: a failure changes nothing the user entered.
    runtime::ignoringAnyException([&] {
        const QWidget* active = QApplication::activeWindow();
        if (active == nullptr)
            return;
        for (forms::Form* form : windows.loaded()) {
            if (form->window() != active)
                continue;
            forms::Control* control = form->activeControl();
            if (auto* box = dynamic_cast<forms::TextBox*>(control)) {
                box->setSelStart(0);
                box->setSelLength(static_cast<int>(box->text().size()));
            }
            return;
        }
    });
}

} // namespace cindrel::shell
