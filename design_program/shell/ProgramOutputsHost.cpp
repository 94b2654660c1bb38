#include "shell/ProgramOutputsHost.h"

#include "shell/Startup.h"

#include "shell/clsNoShowMessage.h"
#include "shell/frmMain.h"

#include "analyses/T_Chart.h"
#include "chart/Chart.h"
#include "dialogs/CommonDialogs.h"
#include "forms/FormsError.h"
#include "forms/Label.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace cindrel::shell {

void ProgramOutputsHost::WriteRunNote(std::string_view message) { startup_.WriteRunNote(message); }

void ProgramOutputsHost::MainErrHandler(std::string_view module, std::string_view routine, std::string_view number,
                                        std::string_view description, std::string_view other)
{
    startup_.MainErrHandler(module, routine, number, description, other);
}

// Before the settings object exists the defaults stand.
std::string ProgramOutputsHost::ScrnOutFontName()
{
    return startup_.gobjRegisty() ? startup_.gobjRegisty()->ScrnOutFontName() : std::string("Arial");
}

void ProgramOutputsHost::ScrnOutFontName(std::string_view name)
{
    if (startup_.gobjRegisty())
        startup_.gobjRegisty()->ScrnOutFontName(name);
}

std::int32_t ProgramOutputsHost::ScrnOutFontSize()
{
    return startup_.gobjRegisty() ? startup_.gobjRegisty()->ScrnOutFontSize() : 10;
}

void ProgramOutputsHost::ScrnOutFontSize(double points)
{
    if (startup_.gobjRegisty())
        startup_.gobjRegisty()->ScrnOutFontSize(points);
}

bool ProgramOutputsHost::AutoUpdatePreference() { return startup_.gobjRegisty() ? startup_.gobjRegisty()->AutoUpdate() : true; }

bool ProgramOutputsHost::ShowMensButts() { return startup_.gobjRegisty() ? startup_.gobjRegisty()->ShowMensButts() : true; }

void ProgramOutputsHost::ShowMensButts(bool show)
{
    if (startup_.gobjRegisty())
        startup_.gobjRegisty()->ShowMensButts(show);
}

void ProgramOutputsHost::GetWindowPosition(forms::Form& window) { startup_.GetWindowPosition(window); }

void ProgramOutputsHost::SaveWindowPosition(forms::Form& window) { startup_.SaveWindowPosition(window); }

std::string ProgramOutputsHost::labelCaption(const results::LabelRef& label)
{
    const forms::Control* control = startup_.windows().findControl(QString::fromStdString(label.window),
                                                                   QString::fromStdString(label.name), label.index);
    const auto* found = dynamic_cast<const forms::Label*>(control);
    return found != nullptr ? found->caption().toStdString() : std::string();
}

outputs::clsQXOutputs* ProgramOutputsHost::outputsObject() { return startup_.gobjOutputs(); }

bool ProgramOutputsHost::SetPrinter() { return startup_.runLogWindow().SetPrinter(); }

dialogs::PrinterChoice ProgramOutputsHost::chosenPrinter() { return dialogs::currentPrinter(); }

std::string ProgramOutputsHost::UserInfo(std::string_view valueName)
{
    return startup_.gobjRegisty() ? startup_.gobjRegisty()->UserInfo(valueName) : std::string();
}

std::int32_t ProgramOutputsHost::ShowNoShowMessage(std::string_view message, std::string_view valueName, std::int32_t buttons)
{
    return clsNoShowMessage(startup_.runLog(), startup_.store()).ShowMessage(message, valueName, buttons);
}

void ProgramOutputsHost::ShowOptionsPreferences(std::int32_t tab) { shell::ShowOptionsPreferences(startup_, tab); }

std::string ProgramOutputsHost::RunNotesCaption()
{
    forms::Form* main = startup_.windows().find(QStringLiteral("frmMain"));
    if (main == nullptr || !main->isLoaded())
        return std::string();
    auto* notes = dynamic_cast<forms::Label*>(main->find(QStringLiteral("lblRunNotes")));
    return notes != nullptr ? notes->caption().toStdString() : std::string();
}

std::string ProgramOutputsHost::ActiveFileName(bool withExtension, bool withFolder)
{
    return startup_.gobjColData() ? startup_.gobjColData()->ActiveFileName(withExtension, withFolder) : std::string();
}

std::string ProgramOutputsHost::DefaultFileName()
{
    return startup_.gobjColData() ? startup_.gobjColData()->DefaultFileName() : std::string();
}

std::string ProgramOutputsHost::ProgramVersion() { return programVersion(); }

void ProgramOutputsHost::BeginBusy()
{
    busy_.push_back(std::make_unique<forms::BusyCursor>());
    QCoreApplication::processEvents();
}

void ProgramOutputsHost::EndBusy()
{
    if (!busy_.empty())
        busy_.pop_back();
}

analyses::T_Chart* ProgramOutputsHost::chartObject()
{
    return startup_.gobjStateNavigator() ? startup_.gobjStateNavigator()->pobjChart.get() : nullptr;
}

void ProgramOutputsHost::drawShownChart(QPainter& painter, const QRectF& target)
{
    // Never loads the main window: a chart it does not show has nothing to print.
    forms::Form* main = startup_.windows().find(QStringLiteral("frmMain"));
    if (main == nullptr || !main->isLoaded())
        forms::raiseFormsError(forms::ControlArrayElementMissing);
    // Drawn through an image of a fixed resolution, so that the chart's
    // text is measured and drawn at one size whatever the page's device.
    constexpr double Oversampling = 3;
    const QSize size = (target.size() * Oversampling).toSize();
    if (size.isEmpty())
        return;
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(96 * Oversampling / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter onImage(&image);
        onImage.setRenderHint(QPainter::Antialiasing);
        onImage.setRenderHint(QPainter::TextAntialiasing);
        main->get<chart::Chart>(QStringLiteral("Chart2D1")).draw(onImage, QRectF(QPointF(0, 0), size));
    }
    painter.drawImage(target, image);
}

} // namespace cindrel::shell
