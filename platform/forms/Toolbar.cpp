#include "Toolbar.h"

#include "FormsError.h"

#include <QAction>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QToolBar>

namespace forms {

Toolbar::Toolbar(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::Toolbar, place.name, place.index, place.container, place.tab),
      bar_(new QToolBar) {
    bar_->setMovable(false);
    bar_->setFloatable(false);
    bar_->setIconSize(QSize(20, 20));
    bar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar_->setFocusPolicy(Qt::NoFocus);
    attachWidget(bar_);
}

void Toolbar::addButton(const QString& key, const QIcon& image, const QString& toolTip) {
    if (std::any_of(buttons_.begin(), buttons_.end(), [&key](const auto& button) { return button.first == key; }))
        raiseFormsError(KeyNotUnique);
    QAction* button = bar_->addAction(image, QString());
    button->setToolTip(toolTip);
    button->setObjectName(key);
    QObject::connect(button, &QAction::triggered, bar_, [this, key] {
        runFromWindowSystem("ButtonClick", [this, key] { onButtonClick(key); });
    });
    buttons_.emplace_back(key, button);
}

QAction* Toolbar::action(const QString& key) const {
    for (const auto& [buttonKey, button] : buttons_)
        if (buttonKey == key)
            return button;
    raiseFormsError(ElementNotFound);
}

std::vector<QString> Toolbar::buttonKeys() const {
    std::vector<QString> keys;
    for (const auto& button : buttons_)
        keys.push_back(button.first);
    return keys;
}

QString Toolbar::buttonToolTip(const QString& key) const { return action(key)->toolTip(); }
bool Toolbar::buttonVisible(const QString& key) const { return action(key)->isVisible(); }
void Toolbar::setButtonVisible(const QString& key, bool visible) { action(key)->setVisible(visible); }
QWidget* Toolbar::buttonWidget(const QString& key) const { return bar_->widgetForAction(action(key)); }

namespace {

const std::vector<QString>& imageNames() {
    static const std::vector<QString> names = {
        QStringLiteral("close-window"),    QStringLiteral("update-outputs"),    QStringLiteral("main-inputs"),
        QStringLiteral("center-distance"), QStringLiteral("tooth-thickness"),   QStringLiteral("tooth-proportions"),
        QStringLiteral("hob-information"), QStringLiteral("tooth-load"),        QStringLiteral("agma-factors"),
        QStringLiteral("scoring"),
    };
    return names;
}

} // namespace

std::vector<QString> toolbarImageNames() { return imageNames(); }

QIcon toolbarImage(const QString& name) {
    if (std::find(imageNames().begin(), imageNames().end(), name) == imageNames().end())
        return {};
    // Drawn here rather than by an icon plugin, so the images show wherever
    // the program runs.
    QSvgRenderer renderer(QStringLiteral(":/forms/toolbar/%1.svg").arg(name));
    if (!renderer.isValid())
        return {};
    QIcon icon;
    for (int side : {16, 20, 24, 32, 40, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace forms
