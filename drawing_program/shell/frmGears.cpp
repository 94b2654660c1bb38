#include "shell/frmGears.h"

#include "shell/Startup.h"
#include "shell/frmInputs.h"

#include "VantropeLayouts.h"
#include "dialogs/MessageBox.h"
#include "forms/BusyCursor.h"
#include "forms/Form.h"
#include "forms/MenuItem.h"
#include "forms/PictureBox.h"
#include "forms/Twips.h"
#include "painter/PainterDevice.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"
#include "shell/Help.h"


#include <cmath>

namespace vantrope {

namespace {

const QString Name = QStringLiteral("frmGears");
constexpr double DesignClientWidth = 4575, DesignClientHeight = 5970;

#ifndef VANTROPE_VERSION_TEXT
#define VANTROPE_VERSION_TEXT "1.0.0"
#endif

} // namespace

class frmGears::TimeCaption : public CaptionTarget {
public:
    explicit TimeCaption(frmGears& window) : window_(window) {}
    void setCaption(std::string_view caption) override
    {
        runtime::ignoringNumberedErrors([&] { window_.menu("mnuTime").setCaption(QString::fromUtf8(caption.data(), qsizetype(caption.size()))); });
    }

private:
    frmGears& window_;
};

frmGears::frmGears(Startup& startup) : startup_(startup), time_(std::make_unique<TimeCaption>(*this))
{
    device_ = std::make_unique<CanvasDevice>(startup.pens(), [this]() -> QImage* {
        forms::Form* window = startup_.windows().find(Name);
        if (!window || !window->isLoaded())
            return nullptr;
        return &canvasBox().canvas();
    });
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(8.25);
    device_->setFont(font);
    startup.windows().define(Name, [this](forms::Form& form) { build(form); });
}

frmGears::~frmGears()
{
    device_->finish();
}

forms::Form& frmGears::form()
{
    return startup_.windows()[Name];
}

forms::MenuItem& frmGears::menu(const char* name, int index)
{
    return form().get<forms::MenuItem>(QString::fromLatin1(name), index);
}

forms::PictureBox& frmGears::canvasBox()
{
    return form().get<forms::PictureBox>(QStringLiteral("picDrawing"));
}

void frmGears::build(forms::Form& form)
{
    forms::buildLayout(form, layouts::frmGears());
    form.setCaption(QStringLiteral("Vantrope"));
    form.setKeyPreview(true);
    form.onLoad.connect([this] { load(); });
    form.onResize.connect([this] { resized(); });
    form.onUnload.connect([this](bool&) { unloading(); });
    form.onKeyDown.connect([this](int& keyCode, int shift) {
        if (startup_.OmeshMaster)
            startup_.OmeshMaster->KeyDown(static_cast<std::int16_t>(keyCode), static_cast<std::int16_t>(shift));
    });
    auto& box = form.get<forms::PictureBox>(QStringLiteral("picDrawing"));
    auto pixels = [](double twips) { return static_cast<float>(twips / forms::twipsPerPixel); };
    box.onMouseDown.connect([this, pixels](const forms::MouseEventArgs& e) {
        if (startup_.OmeshMaster)
            startup_.OmeshMaster->MouseDown(static_cast<std::int16_t>(e.button), static_cast<std::int16_t>(e.shift),
                                            pixels(e.x), pixels(e.y));
    });
    box.onMouseUp.connect([this, pixels](const forms::MouseEventArgs& e) {
        if (startup_.OmeshMaster)
            startup_.OmeshMaster->MouseUp(static_cast<std::int16_t>(e.button), static_cast<std::int16_t>(e.shift),
                                          pixels(e.x), pixels(e.y));
    });
    box.onClick.connect([this] {
        if (startup_.OmeshMaster)
            startup_.OmeshMaster->Click();
    });
    connectMenus();
}

void frmGears::connectMenus()
{
    auto on = [this](const char* name, std::function<void()> action, int index = -1) {
        menu(name, index).onClick.connect([this, action = std::move(action)] {
            if (startup_.OmeshMaster)
                action();
        });
    };
    on("mnuOpen", [this] {
        startup_.OmeshMaster->LoadAndDraw(1);
        if (startup_.shellServices.OpenInputsFile)
            startup_.shellServices.OpenInputsFile();
        else
            startup_.notAvailable("Open");
        startup_.OmeshMaster->ActiveMesh().ReadInputs(false);
    });
    on("mnuSave", [this] {
        startup_.OmeshMaster->LoadAndDraw(1);
        if (startup_.shellServices.SaveInputsFile)
            startup_.shellServices.SaveInputsFile();
        else
            startup_.notAvailable("Save");
    });
    on("mnuSettings", [this] {
        if (startup_.shellServices.ShowSettings)
            startup_.shellServices.ShowSettings(form().left() + 200, form().top() + 200);
        else
            startup_.notAvailable("Settings");
    });
    auto writeFile = [this](bool dxf) {
        if (!startup_.meshServices().outputs.writeTextFile) {
            startup_.notAvailable(dxf ? "Make DXF file" : "Make Text file");
            return;
        }
        const forms::BusyCursor busy;
        startup_.OmeshMaster->ActiveMesh().WriteTextFile(dxf);
    };
    on("mnuDXF", [writeFile] { writeFile(true); });
    on("mnuText", [writeFile] { writeFile(false); });
    on("mnuPrintSize", [this] {
        auto& item = menu("mnuPrintSize");
        item.setChecked(!item.checked());
        startup_.Osettings->FixFormRatio = item.checked();
        Dims(false);
    });
    on("mnuPrint", [this] {
        if (startup_.meshServices().outputs.print)
            startup_.OmeshMaster->ActiveMesh().PrintOutPut();
        else
            startup_.notAvailable("Print drawing");
    });
    for (int i = 0; i <= 2; ++i)
        on("mnuMesh", [this, i] {
            for (int j = 0; j <= 2; ++j)
                menu("mnuMesh", j).setChecked(false);
            menu("mnuMesh", i).setChecked(true);
            startup_.OmeshMaster->SetActiveMesh(static_cast<std::int16_t>(i));
            startup_.OmeshMaster->LoadAndDraw(static_cast<std::int16_t>(i));
        }, i);
    on("mnuToggleLOA", [this] {
        auto& item = menu("mnuToggleLOA");
        item.setChecked(!item.checked());
        startup_.run.LoaOtherSide = item.checked();
        startup_.OmeshMaster->ActiveMesh().ReadInputs(false);
    });
    on("mnuHelp", [] { shellservices::showHelpTopic(QStringLiteral("Vantrope.chm"), 0); });
    on("mnuAbout", [] {
        dialogs::messageBox(QStringLiteral("Vantrope, drawings of a pair of parallel-axis gears and their tools\n"
                                           "version %1\n"
                                           "Gear design suite")
                                .arg(QStringLiteral(VANTROPE_VERSION_TEXT)),
                            dialogs::OKOnly, QStringLiteral("Vantrope"));
    });
}

void frmGears::load()
{
    forms::Form& window = form();
    startup_.trace().write("frmGears_Load");
    window.move(window.left(), window.top(), DesignClientWidth + (window.width() - window.scaleWidth()),
                DesignClientHeight + (window.height() - window.scaleHeight()));
    menu("mnuPrintSize").setChecked(startup_.Osettings && startup_.Osettings->FixFormRatio);
    menu("mnuMesh", 1).setChecked(true);
    if (startup_.shellServices.FormPosition)
        runtime::ignoringNumberedErrors([&] { startup_.shellServices.FormPosition(window, true); });
    menu("mnuMeshMain").setVisible(false);
    if (startup_.Osettings)
        canvasBox().setBackColor(colorFromNumber(startup_.Osettings->Element(option::Background).Color));
    fitCanvas();
}

void frmGears::fitCanvas()
{
    device_->finish();
    forms::Form& window = form();
    canvasBox().move(0, 0, window.scaleWidth(), window.scaleHeight());
}

void frmGears::resized()
{
    fitCanvas();
    if (sizing_)
        return;
    const double height = form().height();
    Dims(height != previousHeight_);
    previousHeight_ = form().height();
    // The canvas was cut or grown with the window: what was drawn is drawn again.
    if (!closing_ && !startup_.hasEnded() && startup_.OmeshMaster && startup_.OmeshMaster->ActiveMesh().drawn())
        startup_.OmeshMaster->ActiveMesh().ReadInputs(false);
}

void frmGears::Dims(bool ChangeWidth)
{
    runtime::ignoringNumberedErrors([&] {
        if (!menu("mnuPrintSize").checked() || !startup_.shellServices.PrinterPage)
            return;
        const std::optional<QSizeF> page = startup_.shellServices.PrinterPage();
        if (!page || page->width() <= 0 || page->height() <= 0)
            return;
        sizing_ = true;
        forms::Form& window = form();
        const double clientWidth = window.scaleWidth(), clientHeight = window.scaleHeight();
        const bool portrait = clientHeight > clientWidth;
        const double r = portrait ? page->height() / page->width() : page->width() / page->height();
        if (ChangeWidth)
            window.setWidth(clientHeight / r + (window.width() - clientWidth));
        else
            window.setHeight(clientWidth * r + (window.height() - clientHeight));
        fitCanvas();
        sizing_ = false;
    });
    sizing_ = false;
}

void frmGears::ShowMenu(bool Visible)
{
    menu("mnuSettings").setVisible(Visible);
    menu("mnuOutputTop").setVisible(Visible);
    menu("mnuAbout").setVisible(Visible);
    menu("mnuMeshMain").setVisible(Visible);
    menu("mnuHelp").setVisible(!Visible);
}

void frmGears::unloading()
{
    // The inputs dialog's unload comes back here while this one runs.
    if (closing_)
        return;
    closing_ = true;
    device_->finish();
    if (startup_.shellServices.FormPosition)
        runtime::ignoringNumberedErrors([&] { startup_.shellServices.FormPosition(*startup_.windows().find(Name), false); });
    runtime::ignoringNumberedErrors([&] {
        if (!startup_.inputs().closing())
            startup_.inputs().unload();
    });
    startup_.EndProgram();
    closing_ = false;
}

double frmGears::clientWidth()
{
    return canvasBox().widget()->width();
}

double frmGears::clientHeight()
{
    return canvasBox().widget()->height();
}

void frmGears::clear()
{
    QColor background = Qt::white;
    if (startup_.Osettings)
        background = colorFromNumber(startup_.Osettings->Element(option::Background).Color);
    canvasBox().setBackColor(background);
    device_->fill(background);
}

void frmGears::drawingDone()
{
    device_->finish();
    canvasBox().refresh();
}

CaptionTarget* frmGears::timeTarget()
{
    return time_.get();
}

QImage frmGears::drawing()
{
    device_->finish();
    return canvasBox().canvas().copy();
}

} // namespace vantrope
