#include "shell/ShellWindows.h"
#include "shell/Startup.h"

#include "forms/CommandButton.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "shell/Launcher.h"
#include "ShellWindowLayouts.h"

#include <QApplication>
#include <QPalette>

namespace cindrel::shell {

namespace {

const QColor Highlight(200, 0, 0);
const QColor HighlightText(0, 200, 200);

QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }

void setUnderline(forms::Label& label, bool underline)
{
    QFont font = label.font();
    font.setUnderline(underline);
    label.setFont(font);
}

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
        auto& link = form.get<forms::Label>(QStringLiteral("lblWebSite"));
        QFont linkFont = link.font();
        linkFont.setPointSizeF(12);
        linkFont.setUnderline(true);
        link.setFont(linkFont);
        link.setCaption(WebAddress);
        auto& credits = form.get<forms::TextBox>(QStringLiteral("Text1"));
        credits.setText(QStringLiteral("Gear geometry and rating for one pair of parallel-axis gears.\r\n"
                                       "Built with Qt and SQLite."));
        credits.setLocked(true);
        credits.setBackColor(buttonFace());
        form.get<forms::PictureBox>(QStringLiteral("Picture1")).setPicture(QApplication::windowIcon().pixmap(36).toImage());

        link.onMouseMove.connect([&link](const forms::MouseEventArgs&) {
            if (link.backColor() == Highlight) {
                link.setBackColor(buttonFace());
                link.setForeColor(Qt::black);
                setUnderline(link, true);
            } else {
                link.setBackColor(Highlight);
                link.setForeColor(HighlightText);
                setUnderline(link, false);
            }
        });
        link.onClick.connect([] { shellservices::openWebAddress(WebAddress); });
        form.get<forms::CommandButton>(QStringLiteral("cmdOK")).onClick.connect([&form] { form.unload(); });
    });
    forms::Form& about = *startup.windows().find(QStringLiteral("frmAbout"));
    about.onMouseMove.connect([&about](const forms::MouseEventArgs&) {
        auto& link = about.get<forms::Label>(QStringLiteral("lblWebSite"));
        link.setBackColor(buttonFace());
        link.setForeColor(Qt::black);
    });
}

} // namespace cindrel::shell
