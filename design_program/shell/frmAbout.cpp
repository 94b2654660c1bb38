#include "shell/ShellWindows.h"
#include "shell/Startup.h"

#include "forms/CommandButton.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "ShellWindowLayouts.h"

#include <QApplication>
#include <QPalette>

namespace cindrel::shell {

namespace {

QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }

} // namespace

void defineAbout(Startup& startup)
{
    startup.windows().define(QStringLiteral("frmAbout"), [](forms::Form& form) {
        form.move(0, 0, 4920 + 120, 3390 + 420);
        forms::buildLayout(form, layouts::frmAbout());
        form.setCaption(QStringLiteral("About ") + QString::fromLatin1(ProductName));
        form.get<forms::Label>(QStringLiteral("lblVersion"))
            .setCaption(QStringLiteral("Version ") + QString::fromStdString(programVersion()));
        auto& title = form.get<forms::Label>(QStringLiteral("lblTitle"));
        QFont titleFont = title.font();
        titleFont.setBold(true);
        titleFont.setPointSizeF(13.5);
        title.setFont(titleFont);
        title.setCaption(QString::fromLatin1(ProductName));
        // The program has no web site: the label stays empty and does nothing.
        form.get<forms::Label>(QStringLiteral("lblWebSite")).setCaption(QString());
        auto& credits = form.get<forms::TextBox>(QStringLiteral("Text1"));
        credits.setText(QStringLiteral("Gear geometry and rating for one pair of parallel-axis gears.\r\n"
                                       "Built with Qt and SQLite."));
        credits.setLocked(true);
        credits.setBackColor(buttonFace());
        form.get<forms::PictureBox>(QStringLiteral("Picture1")).setPicture(QApplication::windowIcon().pixmap(36).toImage());
        form.get<forms::CommandButton>(QStringLiteral("cmdOK")).onClick.connect([&form] { form.unload(); });
    });
}

} // namespace cindrel::shell
