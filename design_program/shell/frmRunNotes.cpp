#include "shell/ShellWindows.h"
#include "shell/Startup.h"

#include "forms/Label.h"
#include "forms/TextBox.h"
#include "ShellWindowLayouts.h"

#include <algorithm>

namespace cindrel::shell {

namespace {

const QString QuoteMark = QStringLiteral("~dblquotes");

forms::Label& notesLabel(Startup& startup)
{
    return startup.windows()[QStringLiteral("frmMain")].get<forms::Label>(QStringLiteral("lblRunNotes"));
}

} // namespace

QString notesForDisplay(const QString& stored)
{
    QString shown = stored;
    return shown.replace(QuoteMark, QStringLiteral("\""), Qt::CaseSensitive);
}

QString notesForStorage(const QString& shown)
{
    QString stored = shown;
    return stored.replace(QStringLiteral("\""), QuoteMark);
}

void defineRunNotes(Startup& startup)
{
    forms::Form& notes = startup.windows().define(QStringLiteral("frmRunNotes"), [&startup](forms::Form& form) {
        form.setCaption(QStringLiteral("Notes For This Gear Set"));
        // Opened over the main window, by any path, and kept over it when the main window is shown again.
        form.keepInFrontOf(startup.windows().find(QStringLiteral("frmMain")));
        form.move(0, 0, 4800, 3600);
        forms::buildLayout(form, layouts::frmRunNotes());
        auto& box = form.get<forms::TextBox>(QStringLiteral("txtRunNotes"));
        box.setScrollBars(false, true);
        box.move(0, 0);
        box.setText(notesLabel(startup).caption());
        if (box.text() == QStringLiteral("Nothing")) {
            box.setSelStart(0);
            box.setSelLength(static_cast<int>(box.text().size()));
        }
        box.onLostFocus.connect([&startup, &box] { notesLabel(startup).setCaption(notesForStorage(box.text())); });
        startup.GetWindowPosition(form);
    });
    notes.onActivate.connect([&startup, &notes] {
        notes.get<forms::TextBox>(QStringLiteral("txtRunNotes")).setText(notesForDisplay(notesLabel(startup).caption()));
    });
    notes.onResize.connect([&notes] {
        auto& box = notes.get<forms::TextBox>(QStringLiteral("txtRunNotes"));
        box.setWidth(std::max(0.0, notes.width() - 120));
        box.setHeight(std::max(0.0, notes.height() - 350));
    });
    notes.onUnload.connect([&startup, &notes](bool&) {
        notesLabel(startup).setCaption(notesForStorage(notes.get<forms::TextBox>(QStringLiteral("txtRunNotes")).text()));
        startup.SaveWindowPosition(notes);
    });
}

} // namespace cindrel::shell
