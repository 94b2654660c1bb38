#include "shell/frmSettings.h"

#include "shell/Startup.h"

#include "dialogs/mAPI_misc.h"
#include "painter/PainterDevice.h"
#include "resources/VantropeLayouts.h"
#include "shell/ProgramFolders.h"

#include "dialogs/DialogProvider.h"
#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/EntryGuard.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/ListView.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "runtime/ResumeNext.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <limits>

namespace vantrope {

namespace {

const QString Name = QStringLiteral("frmSettings");
constexpr char BackgroundKey[] = "a5";
constexpr int Pages = 3;

// The number a text starts with; empty when it starts with none.
std::optional<double> leadingValue(const QString& text)
{
    static const QRegularExpression startsWithNumber(QStringLiteral("^\\s*[+-]?(\\d|\\.\\d)"));
    if (!startsWithNumber.match(text).hasMatch())
        return std::nullopt;
    const double value = runtime::leadingNumber(text.toStdString());
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// A whole number from `low` to `high`, halves to the even neighbour.
std::optional<std::int16_t> wholeValue(const QString& text, int low, int high)
{
    const std::optional<double> value = leadingValue(text);
    if (!value)
        return std::nullopt;
    const double whole = runtime::roundHalfEven(*value);
    if (whole < low || whole > high)
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

std::int32_t colorNumber(const QColor& colour)
{
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

QString decimal(double value)
{
    return QString::fromStdString(runtime::numberText(value));
}

} // namespace

frmSettings::frmSettings(Startup& startup) : startup_(startup)
{
    startup.windows().define(Name, [this](forms::Form& form) { build(form); });
}

forms::Form& frmSettings::form()
{
    return startup_.windows()[Name];
}

bool frmSettings::isLoaded() const
{
    return startup_.windows().isLoaded(Name);
}

void frmSettings::Show(double left, double top)
{
    const bool wasLoaded = isLoaded();
    forms::Form& window = form();
    if (!wasLoaded)
        window.move(left, top);
    window.show(forms::Modality::Modeless);
}

void frmSettings::build(forms::Form& form)
{
    forms::buildLayout(form, layouts::frmSettings());
    form.setCaption(QStringLiteral("Settings"));
    form.onLoad.connect([this] { load(); });
    form.onUnload.connect([this](bool&) {
        // The close box saves nothing.
        work_.reset();
        editKey_.clear();
        editorsFilled_ = false;
    });
    form.onDeactivate.connect([this] { deactivated(); });
    form.get<forms::CommandButton>(QStringLiteral("cmdOKNo"), 1).onClick.connect([this] { CloseSettings(true); });
    form.get<forms::CommandButton>(QStringLiteral("cmdOKNo"), 0).onClick.connect([this] { CloseSettings(false); });
    form.get<forms::MenuItem>(QStringLiteral("mnu1")).onClick.connect([this] { showPage(0); });
    form.get<forms::MenuItem>(QStringLiteral("mnu2")).onClick.connect([this] { showPage(1); });
    form.get<forms::MenuItem>(QStringLiteral("mnu3")).onClick.connect([this] { showPage(2); });
    auto& list = form.get<forms::ListView>(QStringLiteral("lstDropts"));
    list.onItemClick.connect([this](int row) { itemClick(row); });
    list.onItemCheck.connect([this](int row) { itemCheck(row); });
    list.onDblClick.connect([this] { dblClick(); });
    form.get<forms::PictureBox>(QStringLiteral("picColor")).onClick.connect([this] { picColorClick(); });
    form.get<forms::CommandButton>(QStringLiteral("cmdDefault")).onClick.connect([this] { cmdDefaultClick(); });
    form.get<forms::CommandButton>(QStringLiteral("cmdDefaultColors")).onClick.connect([this] { cmdDefaultColorsClick(); });
    form.get<forms::CommandButton>(QStringLiteral("cmdBlackOnWhite")).onClick.connect([this] { cmdBlackOnWhiteClick(); });
    form.get<forms::CheckBox>(QStringLiteral("chkLogged")).onClick.connect([this] { chkLoggedClick(); });
}

void frmSettings::load()
{
    forms::Form& window = form();
    clsSettings& settings = *startup_.Osettings;
    loading_ = true;
    editorsFilled_ = false;
    editKey_.clear();
    startup_.trace().write("frmSettings_Load");
    work_ = std::make_unique<OptionCollection>(settings.CollectionOfOptions());
    FillOptionList();

    // A stored kind other than module shows as diametral pitch, so one button is always set.
    const bool module = settings.GearSizerOPT == 1;
    window.get<forms::OptionButton>(QStringLiteral("optSizer"), module ? 1 : 0).setSelected(true);
    if (settings.GearSizer == 0)
        settings.GearSizer = 1;
    window.get<forms::TextBox>(QStringLiteral("txtSizer"))
        .setText(decimal(module ? settings.GearSizer : 1.0 / settings.GearSizer));

    for (int p = 0; p < Pages; ++p) {
        auto& page = window.get<forms::PictureBox>(QStringLiteral("pct1"), p);
        page.move(0, 0);
        page.setVisible(false);
        page.setBorder(false);
    }
    for (int i = 1; i <= 4; ++i)
        window.get<forms::TextBox>(QStringLiteral("txtTeethDrawn"), i).setText(QString::number(settings.NumbTeeth(i)));
    showPage(0);

    // The window fits page 0 with the OK/Cancel strip below it.
    auto& page = window.get<forms::PictureBox>(QStringLiteral("pct1"), 0);
    auto& strip = window.get<forms::Frame>(QStringLiteral("fraCancelAccept"));
    window.setWidth(window.width() - window.scaleWidth() + page.width());
    window.setHeight(window.height() - window.scaleHeight() + page.height() + strip.height());
    strip.setTop(page.top() + page.height() - 100);
    strip.setLeft((window.width() - strip.width()) / 2 - 50);

    const RunState& run = startup_.run;
    window.get<forms::TextBox>(QStringLiteral("txtIncs"), 0).setText(QString::number(run.IncrementsRoot));
    window.get<forms::TextBox>(QStringLiteral("txtIncs"), 1).setText(QString::number(run.IncrementsInvolute));
    window.get<forms::TextBox>(QStringLiteral("txtIncs"), 2).setText(QString::number(run.IncrementsEdge));

    auto check = [&](const char* name, bool on) {
        window.get<forms::CheckBox>(QString::fromLatin1(name)).setCheckValue(on ? 1 : 0);
    };
    check("chkMessages", settings.noMessages);
    const std::string stored = startup_.store().GetSetting(startup_.appName(), "Logged", "Logged", "1");
    check("chkLogged", runtime::isNumeric(stored) ? runtime::toNumber(stored) != 0 : true);
    check("chkSaveOnLoseFocus", settings.SaveOnLoseFocus);
    check("chkPrintBW", settings.PrintBlackOnWhite);
    check("chkPanZoom", settings.booStopPanZoom);
    loading_ = false;
}

void frmSettings::FillOptionList()
{
    auto& list = form().get<forms::ListView>(QStringLiteral("lstDropts"));
    const int selected = list.selectedItem();
    list.clear();
    list.clearColumns();
    list.setCheckboxes(true);
    list.addColumn(QString(), QString(), std::max(0.0, list.width() - 300));
    if (auto* tree = qobject_cast<QTreeWidget*>(list.widget()))
        tree->header()->hide();
    if (!work_)
        return;
    for (clsDrawOpts* option : work_->inOrder()) {
        const int row = list.addItem(QString::fromStdString(option->Name), QString::fromStdString(option->EnumbString));
        list.setChecked(row, option->DrawThis);
    }
    if (selected >= 0 && selected < list.itemCount())
        list.setSelectedItem(selected);
}

void frmSettings::ShowOption()
{
    if (editKey_.empty() || !work_)
        return;
    const clsDrawOpts& option = work_->item(editKey_);
    forms::Form& window = form();
    window.get<forms::PictureBox>(QStringLiteral("picColor")).setBackColor(colorFromNumber(option.Color));
    window.get<forms::TextBox>(QStringLiteral("txtLineThickness")).setText(QString::number(option.Thickness));
    auto& style = window.get<forms::ComboBox>(QStringLiteral("cmbLineStyle"));
    style.setListIndex(option.LineType >= 0 && option.LineType < style.listCount() ? option.LineType : -1);
}

void frmSettings::StoreOption()
{
    if (editKey_.empty() || !work_)
        return;
    clsDrawOpts& option = work_->item(editKey_);
    forms::Form& window = form();
    option.Color = colorNumber(window.get<forms::PictureBox>(QStringLiteral("picColor")).backColor());
    // Checked beforehand (checkWidth); a refused width keeps the option's own.
    if (const auto width = wholeValue(window.get<forms::TextBox>(QStringLiteral("txtLineThickness")).text(), 0,
                                      std::numeric_limits<std::int16_t>::max()))
        option.Thickness = *width;
    option.LineType = window.get<forms::ComboBox>(QStringLiteral("cmbLineStyle")).listIndex();
}

void frmSettings::showLineEditors(bool shown)
{
    forms::Form& window = form();
    window.get<forms::TextBox>(QStringLiteral("txtLineThickness")).setVisible(shown);
    window.get<forms::Label>(QStringLiteral("lblLineThickness")).setVisible(shown);
    window.get<forms::ComboBox>(QStringLiteral("cmbLineStyle")).setVisible(shown);
}

void frmSettings::showPage(int page)
{
    for (int p = 0; p < Pages; ++p)
        form().get<forms::PictureBox>(QStringLiteral("pct1"), p).setVisible(p == page);
}

void frmSettings::itemClick(int row)
{
    auto& list = form().get<forms::ListView>(QStringLiteral("lstDropts"));
    if (row < 0 || row >= list.itemCount())
        return;
    const std::string key = list.itemKey(row).toStdString();
    if (!editorsFilled_) {
        editKey_ = key;
        ShowOption();
        editorsFilled_ = true;
    }
    if (auto refused = checkWidth()) {
        // The option stays in the editors until its width is mended.
        list.setSelectedItem(list.findItem(QString::fromStdString(editKey_)));
        refuse(*refused);
        return;
    }
    StoreOption();
    editKey_ = key;
    ShowOption();
    showLineEditors(key != BackgroundKey);
}

void frmSettings::itemCheck(int row)
{
    auto& list = form().get<forms::ListView>(QStringLiteral("lstDropts"));
    if (!work_ || row < 0 || row >= list.itemCount())
        return;
    const std::string key = list.itemKey(row).toStdString();
    if (key == BackgroundKey) {
        list.setChecked(row, true);
        return;
    }
    work_->item(key).DrawThis = list.isChecked(row);
}

void frmSettings::dblClick()
{
    auto& list = form().get<forms::ListView>(QStringLiteral("lstDropts"));
    const int row = list.selectedItem();
    if (!work_ || row < 0)
        return;
    const std::string key = list.itemKey(row).toStdString();
    if (key == BackgroundKey)
        return;
    list.setChecked(row, !list.isChecked(row));
    work_->item(key).DrawThis = list.isChecked(row);
}

void frmSettings::picColorClick()
{
    auto& box = form().get<forms::PictureBox>(QStringLiteral("picColor"));
    askingUser_ = true;
    try {
        mAPI_misc common(startup_.store(), startup_.appName(), startup_.DialogFileName,
                         shellservices::programFolder().toStdString(), startup_.logger());
        box.setBackColor(colorFromNumber(common.ShowColor(form().window(), colorNumber(box.backColor()))));
    } catch (const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error, 0);
        startup_.logger().LogMessage("frmSettings", "PicColor_Click", std::to_string(number), description,
                                     "calls ShowColor");
    }
    askingUser_ = false;
}

void frmSettings::cmdDefaultClick()
{
    if (editKey_.empty() || !work_)
        return;
    clsDrawOpts& option = work_->item(editKey_);
    option.Color = option.defColor;
    option.LineType = option.defLineType;
    option.Thickness = option.defThickness;
    option.DrawThis = option.defDrawThis;
    FillOptionList();
    ShowOption();
}

void frmSettings::cmdDefaultColorsClick()
{
    if (!work_)
        return;
    for (clsDrawOpts* option : work_->inOrder()) {
        option->PrevColor = option->Color;
        option->Color = option->defColor;
        option->LineType = option->defLineType;
        option->Thickness = option->defThickness;
        option->DrawThis = option->defDrawThis;
    }
    FillOptionList();
    auto& list = form().get<forms::ListView>(QStringLiteral("lstDropts"));
    const int row = list.selectedItem();
    if (row < 0)
        return;
    editKey_ = list.itemKey(row).toStdString();
    ShowOption();
    showLineEditors(editKey_ != BackgroundKey);
    editorsFilled_ = true;
}

void frmSettings::cmdBlackOnWhiteClick()
{
    if (!work_)
        return;
    for (clsDrawOpts* option : work_->inOrder()) {
        option->PrevColor = option->Color;
        option->Color = 0;
    }
    work_->item(option::Background).Color = 0xFFFFFF;
    FillOptionList();
    ShowOption();
}

void frmSettings::chkLoggedClick()
{
    if (loading_)
        return;
    const int value = form().get<forms::CheckBox>(QStringLiteral("chkLogged")).checkValue() == 1 ? 1 : 0;
    startup_.store().SaveSetting(startup_.appName(), "Logged", "Logged", std::to_string(value));
}

std::optional<frmSettings::Refusal> frmSettings::checkWidth()
{
    if (editKey_.empty() || editKey_ == BackgroundKey)
        return std::nullopt;
    auto& box = form().get<forms::TextBox>(QStringLiteral("txtLineThickness"));
    if (wholeValue(box.text(), 0, std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return Refusal{QStringLiteral("Line thickness: \"%1\" is not a width. Enter a whole number of pixels from 0 to 32767.")
                       .arg(box.text()),
                   &box, 0};
}

std::optional<frmSettings::Refusal> frmSettings::checkEntries()
{
    forms::Form& window = form();
    const char* feature[] = {"Root", "Involute", "Edge break"};
    for (int i = 0; i <= 2; ++i) {
        auto& box = window.get<forms::TextBox>(QStringLiteral("txtIncs"), i);
        if (!wholeValue(box.text(), 1, std::numeric_limits<std::int16_t>::max()))
            return Refusal{QStringLiteral("Number of points per %1: \"%2\" is not a number of points. Enter 2 to 1000.")
                               .arg(QString::fromLatin1(feature[i]), box.text()),
                           &box, 1};
    }
    auto& sizer = window.get<forms::TextBox>(QStringLiteral("txtSizer"));
    const std::optional<double> size = leadingValue(sizer.text());
    if (!size || *size <= 0)
        return Refusal{QStringLiteral("Transverse Gear Size: \"%1\" is not a size. Enter a diametral pitch or a module "
                                      "above 0.")
                           .arg(sizer.text()),
                       &sizer, 2};
    const char* element[] = {"", "PTool", "Pinion", "Gear", "GTool"};
    for (int i = 1; i <= 4; ++i) {
        auto& box = window.get<forms::TextBox>(QStringLiteral("txtTeethDrawn"), i);
        if (!wholeValue(box.text(), 0, std::numeric_limits<std::int16_t>::max()))
            return Refusal{QStringLiteral("Number of teeth to draw, %1: \"%2\" is not a count of teeth. Enter 0 to "
                                          "32767.")
                               .arg(QString::fromLatin1(element[i]), box.text()),
                           &box, 2};
    }
    return checkWidth();
}

void frmSettings::refuse(const Refusal& refusal)
{
    if (refusal.control != nullptr)
        showPage(refusal.page);
    askingUser_ = true;
    try {
        dialogs::MessageBoxRequest request;
        request.text = refusal.message;
        request.title = QStringLiteral("Settings");
        request.icon = dialogs::IconExclamation;
        dialogs::currentProvider().messageBox(request);
    } catch (const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error, 0);
        startup_.logger().LogMessage("frmSettings", "SaveFormData", std::to_string(number), description,
                                     refusal.message.toStdString());
    }
    askingUser_ = false;
    if (refusal.control != nullptr)
        runtime::ignoringNumberedErrors([&] { refusal.control->setFocus(); });
}

bool frmSettings::SaveFormData()
{
    if (auto refused = checkEntries()) {
        refuse(*refused);
        return false;
    }
    forms::Form& window = form();
    clsSettings& settings = *startup_.Osettings;
    RunState& run = startup_.run;
    std::int32_t* counts[] = {&run.IncrementsRoot, &run.IncrementsInvolute, &run.IncrementsEdge};
    for (int i = 0; i <= 2; ++i) {
        auto& box = window.get<forms::TextBox>(QStringLiteral("txtIncs"), i);
        const int points = std::clamp<int>(*wholeValue(box.text(), 1, std::numeric_limits<std::int16_t>::max()), 2, 1000);
        box.setText(QString::number(points));
        *counts[i] = points;
    }

    auto& sizer = window.get<forms::TextBox>(QStringLiteral("txtSizer"));
    double size = *leadingValue(sizer.text());
    if (size < 0.001) {
        size = 0.001;
        sizer.setText(QStringLiteral("0.001"));
    }
    if (window.get<forms::OptionButton>(QStringLiteral("optSizer"), 1).isSelected()) {
        settings.GearSizer = size;
        settings.GearSizerOPT = 1;
    } else {
        settings.GearSizer = 1.0 / size;
        settings.GearSizerOPT = 0;
    }

    for (int i = 1; i <= 4; ++i) {
        auto& box = window.get<forms::TextBox>(QStringLiteral("txtTeethDrawn"), i);
        settings.setNumbTeeth(i, *wholeValue(box.text(), 0, std::numeric_limits<std::int16_t>::max()));
        box.setText(QString::number(settings.NumbTeeth(i)));
    }

    auto checked = [&](const char* name) {
        return window.get<forms::CheckBox>(QString::fromLatin1(name)).checkValue() == 1;
    };
    settings.booStopPanZoom = checked("chkPanZoom");
    settings.noMessages = checked("chkMessages");
    settings.SaveOnLoseFocus = checked("chkSaveOnLoseFocus");
    settings.PrintBlackOnWhite = checked("chkPrintBW");

    StoreOption();
    editorsFilled_ = false;
    return true;
}

void frmSettings::CloseSettings(bool Accept)
{
    if (closing_ || !isLoaded())
        return;
    if (Accept) {
        if (!SaveFormData())
            return;
        clsSettings& settings = *startup_.Osettings;
        if (work_)
            settings.ReplaceOptions(*work_);
        // Kept at once, so a run that ends badly does not lose them.
        runtime::ignoringNumberedErrors([&] { settings.save(); });
        if (startup_.OmeshMaster)
            startup_.OmeshMaster->ActiveMesh().ReadInputs(false);
    }
    closing_ = true;
    runtime::ignoringNumberedErrors([&] { form().unload(); });
    closing_ = false;
}

void frmSettings::deactivated()
{
    if (askingUser_ || closing_ || !isLoaded())
        return;
    // Only another window of the program counts; the check runs once the
    // new window is active, outside the window system's event.
    QPointer<QWidget> own = form().window();
    QTimer::singleShot(0, own.data(), [this, own] {
        forms::runGuarded("Settings LostFocus", [this, own] {
            if (own.isNull() || askingUser_ || closing_ || !isLoaded())
                return;
            QWidget* active = QApplication::activeWindow();
            if (active == nullptr || active == own || own->isAncestorOf(active))
                return;
            CloseSettings(startup_.Osettings && startup_.Osettings->SaveOnLoseFocus);
        });
    });
}

} // namespace vantrope
