#include "outputs/ScreenOutputWindow.h"

#include "ScreenOutputLayout.h"
#include "outputs/clsQXOutputs.h"

#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"
#include "forms/Toolbar.h"
#include "grid/Grid.h"
#include "runtime/RuntimeError.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <algorithm>

namespace cindrel::outputs {

namespace {

constexpr double TwipsPerPixel = 15;
constexpr int RightButton = 2;

void logError(OutputsHost& host, const char* routine, const std::exception& error)
{
    const auto [number, description] = runtime::errorTextOf(error);
    host.MainErrHandler("frmScreenOutput", routine, std::to_string(number), description, "");
}

bool onSomeScreen(double left, double top, double width, double height)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    const QRect place(static_cast<int>(left / TwipsPerPixel), static_cast<int>(top / TwipsPerPixel),
                      std::max(1, static_cast<int>(width / TwipsPerPixel)),
                      std::max(1, static_cast<int>(height / TwipsPerPixel)));
    return std::any_of(screens.begin(), screens.end(),
                       [&place](const QScreen* screen) { return screen->availableGeometry().intersects(place); });
}

// A stored place out of bounds, minimised or off every screen opens a usable window.
void boundPlace(forms::Form& window)
{
    if (window.windowState() == forms::WindowState::Minimized)
        window.setWindowState(forms::WindowState::Normal);
    // A maximised window fills its screen and keeps its stored normal place.
    if (window.windowState() == forms::WindowState::Maximized)
        return;
    const double width = std::clamp(window.width(), 5500.0, 25000.0);
    const double height = std::clamp(window.height(), 4500.0, 25000.0);
    double left = std::max(window.left(), 0.0);
    double top = std::max(window.top(), 0.0);
    if (!onSomeScreen(left, top, width, height)) {
        left = 100;
        top = 100;
    }
    window.move(left, top, width, height);
}

bool readSetting(OutputsHost& host, bool (OutputsHost::*setting)(), bool fallback)
{
    try {
        return (host.*setting)();
    } catch (const std::exception& error) {
        logError(host, "Form_Load", error);
        return fallback;
    }
}

void Form_Load(forms::Form& window, OutputsHost& host)
{
    window.setCaption(QStringLiteral("Cindrel Outputs"));
    window.move(0, 0, 9600, 7200);
    forms::buildLayout(window, layouts::frmScreenOutput());
    auto& toolbar = window.get<forms::Toolbar>(QStringLiteral("tbrOutputs"));
    for (const layouts::ToolbarButtonSpec& button : layouts::frmScreenOutputButtons())
        toolbar.addButton(QString::fromLatin1(button.key), forms::toolbarImage(QString::fromLatin1(button.image)),
                          QString::fromLatin1(button.toolTip));
    window.get<forms::MenuItem>(QStringLiteral("mnuOptionsToolBar")).setChecked(true);
    window.get<forms::MenuItem>(QStringLiteral("mnuButtMen")).setChecked(true);
    if (QWidget* frame = window.window())
        frame->setMinimumSize(static_cast<int>(2400 / TwipsPerPixel), static_cast<int>(1800 / TwipsPerPixel));

    clsQXOutputs* outputs = host.outputsObject();
    if (outputs != nullptr)
        outputs->takeScreenControls(window);
    const bool autoUpdate = readSetting(host, &OutputsHost::AutoUpdatePreference, true);
    window.get<forms::MenuItem>(QStringLiteral("mnuOptionsAutoUpdate")).setChecked(autoUpdate);
    if (outputs != nullptr) {
        outputs->setAutoUpdate(autoUpdate);
        outputs->ResetToolBarButtons();
    }
    window.get<grid::Grid>(QStringLiteral("grdOutputs")).setVisible(false);
    try {
        host.GetWindowPosition(window);
    } catch (const std::exception& error) {
        logError(host, "Form_Load", error);
    }
    boundPlace(window);
    ShowMenusAndButtons(window, host, readSetting(host, &OutputsHost::ShowMensButts, true));
}

} // namespace

void ShowMenusAndButtons(forms::Form& window, OutputsHost& host, bool show)
{
    if (!window.isLoaded())
        return;
    try {
        host.ShowMensButts(show);
    } catch (const std::exception& error) {
        logError(host, "ShowMenusAndButtons", error);
    }
    window.get<forms::MenuItem>(QStringLiteral("mnuButtMen")).setChecked(show);
    for (const char* menu : {"mnuFile", "mnuOptions", "mnuGrid"})
        window.get<forms::MenuItem>(QString::fromLatin1(menu)).setVisible(show);
    window.get<forms::Toolbar>(QStringLiteral("tbrOutputs")).setVisible(show);
    window.get<forms::MenuItem>(QStringLiteral("mnuOptionsToolBar")).setChecked(show);
    if (clsQXOutputs* outputs = host.outputsObject())
        outputs->ResizeGrid();
}

forms::Form& defineScreenOutputWindow(forms::Forms& windows, OutputsHost& host)
{
    grid::registerGridKind();
    forms::Form& window =
        windows.define(QStringLiteral("frmScreenOutput"), [&host](forms::Form& form) { Form_Load(form, host); });
    window.onQueryUnload.connect([&window, &host](bool& cancel, forms::UnloadReason reason) {
        if (reason == forms::UnloadReason::FormControlMenu) {
            cancel = true;
            window.hide();
            return;
        }
        host.SaveWindowPosition(window);
    });
    window.onUnload.connect([&window, &host](bool&) { host.SaveWindowPosition(window); });
    window.onMouseDown.connect([&window, &host](const forms::MouseEventArgs& mouse) {
        if (mouse.button != RightButton || !window.isLoaded())
            return;
        window.popupMenu(window.get<forms::MenuItem>(QStringLiteral("mnuPopup")));
        // Chosen or dismissed, the popup switches the menus and toolbar once.
        if (window.isLoaded())
            ShowMenusAndButtons(window, host, !window.get<forms::MenuItem>(QStringLiteral("mnuButtMen")).checked());
    });
    return window;
}

} // namespace cindrel::outputs
