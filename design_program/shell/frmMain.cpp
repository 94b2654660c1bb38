#include "shell/frmMain.h"

#include "shell/AuxiliaryFields.h"
#include "shell/ModeLabels.h"
#include "shell/ShellWindows.h"
#include "shell/frmOptions.h"
#include "shell/Startup.h"

#include "automation_interface/ExposeVantrope.h"
#include "dialogs/MessageBox.h"
#include "chart/Chart.h"
#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "model/T_Gear.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "shell/Clipboard.h"
#include "shell/Launcher.h"
#include "shell/MHTMLHelp.h"
#include "shell/ProgramFolders.h"
#include "MainWindowLayout.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWhatsThis>
#include <QWidget>

#include <cmath>

namespace cindrel::shell {

namespace {

const QString MainName = QStringLiteral("frmMain");

// Draws an involute-looking pair of gears in mesh: the first panel's picture.
void paintGearMesh(QPainter& painter, const QRectF& area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const auto gear = [&painter](QPointF centre, double radius, int teeth, double phase, QColor colour) {
        QPainterPath outline;
        const double depth = radius * 0.12;
        for (int k = 0; k <= teeth * 4; ++k) {
            const double angle = phase + 2 * M_PI * k / (teeth * 4.0);
            const double r = (k % 4 == 1 || k % 4 == 2) ? radius + depth : radius - depth;
            const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
            if (k == 0)
                outline.moveTo(point);
            else
                outline.lineTo(point);
        }
        painter.setBrush(colour);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawPath(outline);
        painter.setBrush(Qt::white);
        painter.drawEllipse(centre, radius * 0.25, radius * 0.25);
    };
    // Pitch circles touching along a diagonal, both within the square of the picture.
    const double size = std::min(area.width(), area.height());
    const double small = size * 0.18;
    const double large = size * 0.27;
    const QPointF pinion(area.left() + size * 0.22, area.top() + size * 0.25);
    const double centres = (small + large) * 0.98;
    const QPointF wheel(pinion.x() + centres * std::cos(0.61), pinion.y() + centres * std::sin(0.61));
    gear(pinion, small, 12, 0.2, QColor(176, 196, 222));
    gear(wheel, large, 18, 0.05, QColor(205, 205, 180));
}

// The cutting rack's tooth with its addendum, tip radius and flanks: the hob panels' picture.
void paintRackTooth(QPainter& painter, const QRectF& area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = area.width();
    const double h = area.height();
    const double pitchLine = area.top() + h * 0.5;
    QPainterPath tooth;
    tooth.moveTo(area.left() + w * 0.05, area.top() + h * 0.2);
    tooth.lineTo(area.left() + w * 0.25, area.top() + h * 0.2);
    tooth.lineTo(area.left() + w * 0.4, area.top() + h * 0.8);
    tooth.quadTo(area.left() + w * 0.5, area.top() + h * 0.88, area.left() + w * 0.6, area.top() + h * 0.8);
    tooth.lineTo(area.left() + w * 0.75, area.top() + h * 0.2);
    tooth.lineTo(area.left() + w * 0.95, area.top() + h * 0.2);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawPath(tooth);
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawLine(QPointF(area.left(), pitchLine), QPointF(area.right(), pitchLine));
}

forms::Form& mainWindow(Startup& startup) { return startup.windows()[MainName]; }

// The program of the drawing program in the program folder.
QString drawingProgramPath() { return shellservices::programFilePath(QString::fromLatin1(exposevantrope::ServerProgramName)); }

void launchDrawingProgram()
{
    try {
        shellservices::startProgram(drawingProgramPath());
    } catch (const runtime::RuntimeError& error) {
        dialogs::messageBox(QStringLiteral("Error in sub mnuLaunchVT\r\nerror #%1, %2\r\n%3")
                                .arg(error.number())
                                .arg(QString::fromStdString(error.description()), drawingProgramPath()),
                            dialogs::OKOnly);
    }
}

void openManufacturingOutputs(Startup& startup, forms::Form& main)
{
    startup.openManufacturingOutputs();
    forms::Form& manufacturing = startup.windows()[QStringLiteral("frmMFGOutputs")];
    manufacturing.show();
    manufacturing.setTop(main.top());
    manufacturing.setLeft(main.left());
    startup.manufacturingWindow().EditScreen();
    model::T_Set& pair = *startup.Oset();
    for (int member : {0, 1}) {
        model::T_Gear& gear = pair.member(member);
        manufacturing.get<forms::TextBox>(QStringLiteral("txtTeethSpanneddef"), member)
            .setText(QString::number(gear.SpanMeasNumbTeethBest()));
    }
    for (int member : {0, 1}) {
        model::T_Gear& gear = pair.member(member);
        bool listRead = false;
        const std::vector<float> pins = gear.PinList(listRead, false);
        startup.manufacturingWindow().loadPinCombo(pins, gear.PinDiamTested(), static_cast<std::int16_t>(member), listRead);
    }
    if (pair.Pd_n() == 0)
        runtime::raise(runtime::DivisionByZero);
    // A fortieth of the normal module, in inches in both unit systems as the panel reads it.
    const QString allowance = QString::fromStdString(runtime::numberText(0.025 / pair.Pd_n()));
    for (int member : {0, 1})
        manufacturing.get<forms::TextBox>(QStringLiteral("txtTIFdef"), member).setText(allowance);
    main.hide();
}

void printPreview(Startup& startup)
{
    if (startup.gobjOutputs() == nullptr)
        return;
    startup.gobjOutputs()->PrintDocument(true);
    if (forms::Form* notes = startup.windows().find(QStringLiteral("frmRunNotes")); notes != nullptr && notes->isLoaded())
        notes->hide();
    QCoreApplication::processEvents();
    if (startup.gobjOutputs() != nullptr)
        startup.gobjOutputs()->ShowPrintPreview(-1);
}

void fileExit(Startup& startup)
{
    if (startup.gobjColData() != nullptr &&
        !startup.gobjColData()->SaveChangesFirst(QStringLiteral("The data has changed, save?"), QStringLiteral("Cindrel, Save?")))
        return;
    startup.ShutDown();
}

void saveGraphAsJpegCommand(forms::Form& main)
{
    const bool saved = saveGraphAsJpeg(main.get<forms::Control>(QStringLiteral("Chart2D1")), graphImagePath());
    dialogs::messageBox(QStringLiteral("Copied to file =\r\n") + (saved ? QStringLiteral("True") : QStringLiteral("False")),
                        dialogs::OKOnly);
}

void openDroppedFile(Startup& startup, const QStringList& files)
{
    if (files.isEmpty() || startup.gobjColData() == nullptr)
        return;
    try {
        startup.gobjColData()->FileOpen(files.front().toStdString());
    } catch (const std::exception&) {
        // The design-file object tells the user about its own failures.
    }
}

void connectMenus(Startup& startup, forms::Form& main)
{
    forms::Forms& windows = startup.windows();
    const auto onMenu = [&main](const char* name, std::function<void()> command) {
        main.get<forms::MenuItem>(QString::fromLatin1(name)).onClick.connect(std::move(command));
    };
    onMenu("mnuNew", [&startup] {
        if (auto* files = startup.gobjColData())
            files->FileNew();
    });
    onMenu("mnuFileOpen", [&startup] {
        if (auto* files = startup.gobjColData())
            files->FileOpen("");
    });
    onMenu("mnuFileSave", [&startup] {
        if (auto* files = startup.gobjColData())
            files->FileSave();
    });
    onMenu("mnuFileSaveAs", [&startup] {
        if (auto* files = startup.gobjColData())
            files->FileSaveAs();
    });
    onMenu("mnuLaunchVT", [] { launchDrawingProgram(); });
    onMenu("mnuFilePrint", [&startup] {
        if (startup.gobjOutputs() != nullptr)
            startup.gobjOutputs()->PrintDocument(false);
    });
    onMenu("mnuFilePrintPreview", [&startup] { printPreview(startup); });
    onMenu("mnuFileExit", [&startup] { fileExit(startup); });
    onMenu("mnuOptionsPreferences", [&startup] { mnuOptionsPreferences_Click(startup); });
    onMenu("mnuWindowRunningTotals", [&startup] {
        if (startup.gobjOutputs() != nullptr)
            startup.gobjOutputs()->ShowScreenOutputs(-1);
    });
    onMenu("mnuWindowNotes", [&windows, &main] { windows[QStringLiteral("frmRunNotes")].show(forms::Modality::Modeless, &main); });
    onMenu("mnuConvertHardness", [&windows, &main] {
        forms::Form& converter = windows[QStringLiteral("frmHardnessConverter")];
        converter.show();
        converter.move(main.left() + 800, main.top() + 800);
    });
    onMenu("mnuHelpContents", [] { ShowHelpTopic(1, "", 0); });
    onMenu("mnuHelpWhatsThis", [] { QWhatsThis::enterWhatsThisMode(); });
    onMenu("mnuHelpAbout", [&windows, &main] { windows[QStringLiteral("frmAbout")].show(forms::Modality::Modal, &main); });
    onMenu("mnuGraphCopyBMP", [&main] { copyGraphAsBitmap(main.get<forms::Control>(QStringLiteral("Chart2D1"))); });
    onMenu("mnuGraphCopyEnhMetafile", [&main] { copyGraphAsMetafile(main.get<forms::Control>(QStringLiteral("Chart2D1"))); });
    onMenu("mnuGraphCopyJPG", [&main] { saveGraphAsJpegCommand(main); });
    onMenu("mnuDraw", [&startup] {
        if (startup.Oset() == nullptr || startup.Oset()->LaunchDrawing() != 1)
            launchDrawingProgram();
    });
    onMenu("mnuMFGOutputs", [&startup, &main] { openManufacturingOutputs(startup, main); });
    main.get<forms::MenuItem>(QStringLiteral("mnuGraphCopyJPG"))
        .setCaption(QStringLiteral("Save graph as jpeg to \"%1\"").arg(graphImagePath()));
}

void connectControls(Startup& startup, forms::Form& main)
{
    // The metric box switches the unit system and renames the pitch and load inputs.
    auto& metric = main.get<forms::CheckBox>(QStringLiteral("chkMetricUnits"));
    metric.onClick.connect([&startup, &main, &metric] {
        startup.SetUnitSystem(metric.checkValue() != 0);
        main.get<forms::Label>(QStringLiteral("lblGearPitch")).setCaption(QString::fromStdString(startup.units().PitchName));
        lblPowerHowInput_Change(main);
    });
    auto& chart = main.get<forms::Control>(QStringLiteral("Chart2D1"));
    chart.onMouseDown.connect([&main](const forms::MouseEventArgs& mouse) {
        if (mouse.button == 2)
            main.popupMenu(main.get<forms::MenuItem>(QStringLiteral("mnuCopyGraph")));
    });
    const auto acceptDrops = [&startup](forms::Control& control) {
        control.setAcceptFiles(true);
        control.onFilesDropped.connect([&startup](const QStringList& files) { openDroppedFile(startup, files); });
    };
    for (int index : {0, 1})
        acceptDrops(main.get<forms::Control>(QStringLiteral("lblDrop"), index));
    acceptDrops(main.get<forms::Control>(QStringLiteral("picGearMesh")));
    for (int index : main.arrayIndexes(QStringLiteral("picStates")))
        acceptDrops(main.get<forms::Control>(QStringLiteral("picStates"), index));
    main.get<forms::PictureBox>(QStringLiteral("picGearMesh")).setPainter([&main](QPainter& painter) {
        auto& picture = main.get<forms::PictureBox>(QStringLiteral("picGearMesh"));
        paintGearMesh(painter, QRectF(picture.widget()->rect()));
    });
    for (int h : {0, 1}) {
        auto& rack = main.get<forms::PictureBox>(QStringLiteral("picHobmap"), h);
        rack.setPainter([&rack](QPainter& painter) { paintRackTooth(painter, QRectF(rack.widget()->rect()).adjusted(8, 8, -8, -8)); });
    }
}

// The window's load, in the order the program relies on.
void loadMainWindow(Startup& startup, forms::Form& form)
{
    chart::registerChartKind();
    layouts::buildMainWindow(form);
    connectModeLabels(startup, form);
    connectAuxiliaryFields(startup, form);
    connectMenus(startup, form);
    connectControls(startup, form);
    form.setKeyPreview(true);
    form.setAcceptFiles(true);

    startup.WriteRunNote("frmMain Form_Load");
    form.setCaption(QString::fromLatin1(ProductName));
    FillTThkMethodCombos(form, true);
    const std::pair<const char*, int> combos[] = {
        {"cmbHAHowMeasured", -1}, {"cmbToothOrient", -1}, {"cmbPAHowMeasured", -1}, {"cmbPAPlane", -1},
        {"cmbDPPlane", -1},       {"cmbFilletType", 0},   {"cmbFilletType", 1},     {"cmbODHowInput", 0},
        {"cmbODHowInput", 1},     {"cmbTThkHowInput", 0}, {"cmbTThkHowInput", 1},   {"cmbWholeDepth", 0},
        {"cmbWholeDepth", 1}};
    for (const auto& [name, index] : combos)
        form.get<forms::ComboBox>(QString::fromLatin1(name), index).setListIndex(0);
    const std::pair<const char*, int> options[] = {{"optPower", 1},         {"optOCDHowInput", 0},   {"optMesh", 0},
                                                   {"optSubShear", 0},      {"optPinionDriving", 1}, {"optModifiedProfiles", 0}};
    for (const auto& [name, index] : options)
        form.get<forms::OptionButton>(QString::fromLatin1(name), index).setSelected(true);
    // Only the saved left, top and window state last: the size is the window's own.
    startup.GetWindowPosition(form);
    form.setWidth(7800);
    form.setHeight(7000);
    for (int index : form.arrayIndexes(QStringLiteral("lblStateName")))
        form.get<forms::Control>(QStringLiteral("lblStateName"), index).setVisible(false);
    const double panelHeight = form.get<forms::Control>(QStringLiteral("picStates"), 3).height();
    for (int index : form.arrayIndexes(QStringLiteral("picStates"))) {
        auto& panel = form.get<forms::PictureBox>(QStringLiteral("picStates"), index);
        panel.setBorder(false);
        panel.move(0, 0, form.width(), panelHeight);
    }
    startup.WriteRunNote("frmMain Loaded.");
    auto& notice = form.get<forms::Label>(QStringLiteral("lblDrop"), 0);
    notice.setWordWrap(true);
    notice.setCaption(disclaimerText());
    auto& name = form.get<forms::Label>(QStringLiteral("lblDrop"), 1);
    QFont large = name.font();
    large.setPointSizeF(large.pointSizeF() * 2.5);
    large.setBold(true);
    name.setFont(large);
}

} // namespace

QString graphImagePath() { return shellservices::userDocumentsFolder() + QStringLiteral("/CNTmpImg.jpg"); }

void copyGraphAsBitmap(forms::Control& chart)
{
    shellservices::setClipboardImage(chart.widget()->grab().toImage());
}

void copyGraphAsMetafile(forms::Control& chart)
{
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(chart.widget()->size());
    generator.setViewBox(chart.widget()->rect());
    generator.setTitle(QStringLiteral("Cindrel graph"));
    {
        QPainter painter(&generator);
        chart.widget()->render(&painter);
    }
    shellservices::setClipboardData(QStringLiteral("image/svg+xml"), svg.data());
}

bool saveGraphAsJpeg(forms::Control& chart, const QString& path)
{
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!chart.widget()->grab().toImage().save(&file, "JPG", 100)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void ShowOptionsPreferences(Startup& startup, std::int32_t ShowTab)
{
    showOptionsDialog(startup, ShowTab, &mainWindow(startup));
}

void mnuOptionsPreferences_Click(Startup& startup) { ShowOptionsPreferences(startup, 0); }

void defineMainWindow(Startup& startup)
{
    forms::Form& main = startup.windows().define(MainName, [&startup](forms::Form& form) { loadMainWindow(startup, form); });
    main.onKeyDown.connect([&startup](int& keyCode, int) { startup.setKeyState(keyCode); });
    main.onResize.connect([&startup, &main] {
        startup.WriteRunNote("resizing: " + main.name().toStdString() + ", " + runtime::numberText(main.height()) + ", " +
                             runtime::numberText(main.width()));
    });
    main.onFilesDropped.connect([&startup](const QStringList& files) { openDroppedFile(startup, files); });
    // Closing the main window ends the program; its place is stored before anything is asked.
    main.onQueryUnload.connect([&startup, &main](bool& cancel, forms::UnloadReason reason) {
        if (reason != forms::UnloadReason::FormControlMenu)
            return;
        startup.SaveWindowPosition(main);
        if (startup.gobjColData() != nullptr &&
            !startup.gobjColData()->SaveChangesFirst(QStringLiteral("The data has changed, do you want to save before exit?"),
                                                   QStringLiteral("Cindrel, Save file before exit?"))) {
            cancel = true;
            return;
        }
        for (const char* name : {"frmScreenOutput", "frmRunNotes"})
            if (forms::Form* window = startup.windows().find(QString::fromLatin1(name)); window != nullptr && window->isLoaded())
                window->unload();
        startup.ShutDown();
    });
}

} // namespace cindrel::shell
