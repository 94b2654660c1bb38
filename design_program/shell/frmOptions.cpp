#include "shell/frmOptions.h"

#include "shell/Startup.h"
#include "shell/T_RegistryIO.h"

#include "outputs/clsQXOutputs.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/MessageBox.h"
#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Label.h"
#include "forms/ListView.h"
#include "forms/OptionButton.h"
#include "forms/TabStrip.h"
#include "forms/TextBox.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"
#include "OptionsWindowLayout.h"

#include <QStringList>

#include <initializer_list>
#include <optional>
#include <string>

namespace cindrel::shell {

namespace {

const QString Name = QStringLiteral("frmOptions");
constexpr const char* Preferences = "Preferences";
constexpr int FolderChoiceFlags = 260;  // hide read-only, no validation: any name may be typed

forms::Form& dialog(Startup& startup) { return startup.windows()[Name]; }

template <typename T>
T& control(Startup& startup, const char* name, int index = -1)
{
    return dialog(startup).get<T>(QString::fromLatin1(name), index);
}

clsRegisty& settings(Startup& startup)
{
    if (startup.gobjRegisty() == nullptr)
        runtime::raise(runtime::ObjectVariableNotSet);
    return *startup.gobjRegisty();
}

struct UserInfoBox {
    const char* box;
    const char* value;
};
constexpr UserInfoBox UserInfoBoxes[] = {
    {"txtAddress1", "AddressLine1"}, {"txtAddress2", "AddressLine2"}, {"txtCity", "City"},
    {"txtEMail", "EMail"},           {"txtCompanyName", "CompanyName"}, {"txtPhoneNumber", "PhoneNumber"},
    {"txtState", "State"},           {"txtUserName", "UserName"},       {"txtWebSite", "WebSite"},
    {"txtZip", "ZipCode"},
};

// The stored number-format choice, 3 when none is stored.
std::int32_t storedDecimalPrecision(clsRegisty& settings)
{
    T_RegistryIO& io = settings.registryIO();
    io.Root = static_cast<std::int32_t>(registry::root::CurrentUser);
    io.Path = "Software\\Tesmark\\Cindrel\\";
    return io.ReadLong(Preferences, "DecimalPrecision2", 3);
}

void FillFileLocations(Startup& startup)
{
    auto& list = control<forms::ListView>(startup, "lstFileLocations");
    list.clearColumns();
    list.clear();
    list.addColumn(QStringLiteral("Description"), QStringLiteral("Description"), list.width() / 3);
    list.addColumn(QStringLiteral("Parameter"), QStringLiteral("FolderLocation"), list.width());
    const int row = list.addItem(QStringLiteral("Outputs Folder"), QStringLiteral("OutputsFolder"));
    list.setSubItem(row, 1, QString::fromStdString(settings(startup).UserFilesLocation()));
    list.refresh();
}

// A whole number from a text that must be a number as a whole (rounded, ties to even).
std::int32_t wholeNumber(const QString& text)
{
    const std::string value = text.trimmed().toStdString();
    if (!runtime::isNumeric(value))
        runtime::raise(runtime::TypeMismatch);
    return runtime::toInt32(runtime::roundHalfEven(runtime::toNumber(value)));
}

std::int32_t leadingWhole(const QString& text)
{
    return runtime::toInt32(runtime::roundHalfEven(runtime::leadingNumber(text.toStdString())));
}

void chooseFont(Startup& startup)
{
    clsRegisty& store = settings(startup);
    dialogs::FontDialogAnswer answer;
    try {
        answer = dialogs::showFontDialog(outputs::gridFontRequest(store.ScrnOutFontName(), store.ScrnOutFontSize()));
    } catch (const runtime::RuntimeError& error) {
        if (error.number() != runtime::CancelError)
            dialogs::messageBox(QStringLiteral("Unknown Error: %1 Occurred.").arg(error.number()));
        return;
    }
    store.ScrnOutFontName(answer.font.name.toStdString());
    store.ScrnOutFontSize(runtime::roundHalfEven(answer.font.size));
    FillOptionsDialog(startup);
}

void chooseOutputsFolder(Startup& startup)
{
    dialogs::FileDialogRequest request;
    request.mode = dialogs::FileDialogMode::Open;
    request.flags = FolderChoiceFlags;
    request.fileName = QStringLiteral("Choose Folder - Anything Here - Click Open");
    request.title = QStringLiteral("Option Folder/File Selection");
    request.cancelError = true;
    try {
        const QString name = dialogs::showFileDialog(request).path();
        QString folder;
        if (name.endsWith(u'*')) {
            folder = name.left(name.size() - 2);
        } else {
            QStringList parts = name.split(u'/');
            parts.removeLast();
            folder = parts.join(u'/');
        }
        settings(startup).UserFilesLocation(folder.toStdString());
        FillFileLocations(startup);
    } catch (const std::exception&) {
        // Cancelled, or the choice failed: nothing changes.
    }
}

void showAllMessages(Startup& startup)
{
    try {
        T_RegistryIO io(startup.runLog(), startup.store());
        io.Root = static_cast<std::int32_t>(registry::root::CurrentUser);
        io.Path = std::string("Software\\") + ProductName + "\\Preferences\\";
        io.DeleteKey("CheckedMessageBoxes");
    } catch (const runtime::RuntimeError&) {
        runtime::reportError(startup.runLog(), "clsRegistry", "cmdShowMessages", std::current_exception(),
                             "reg.deletekey");
    }
}

// Clicking option button i writes i; a caption other than "2" shows the radii.
void showDiamRad(Startup& startup)
{
    auto& label = control<forms::Label>(startup, "lblDiamRad");
    if (label.caption() != QStringLiteral("2") && label.caption() != QStringLiteral("1")) {
        label.setCaption(QStringLiteral("1"));
        return; // the change runs this again
    }
    control<forms::OptionButton>(startup, "optDiamRad", label.caption().toInt()).setSelected(true);
}

void build(Startup& startup, forms::Form& form)
{
    form.setCaption(QStringLiteral("Options"));
    form.move(0, 0, 6720, 5760);
    forms::buildLayout(form, layouts::frmOptions());

    auto& precision = control<forms::ComboBox>(startup, "cmbDecimalPrecision");
    for (int format = 1; format <= 10; ++format)
        precision.addItem(QString::fromStdString(settings(startup).DecimalPrecision2(format)));
    const std::pair<const char*, QStringList> unitLists[] = {
        {"cmbLinear", {"Inches", "Centimeter", "Millimeter"}},
        {"cmbLoads", {"Pounds", "Kilograms", "Newtons"}},
        {"cmbTorque", {"Inch-Pounds", "Newton-Meter"}},
        {"cmbStress", {"psi, pounds/square Inch", "Pascall, Newtons/square meter"}},
        {"cmbAngles", {"Degrees", "D-M-S", "Radians", "Grads"}},
    };
    for (const auto& [name, items] : unitLists)
        for (const QString& item : items)
            control<forms::ComboBox>(startup, name).addItem(item);
    auto& tabs = control<forms::TabStrip>(startup, "tabOptions");
    tabs.setTabVisible(2, false);
    tabs.setTabVisible(3, false);
    tabs.setSelectedTab(0);

    const auto on = [&](const char* name, std::function<void()> handler, int index = -1) {
        dialog(startup).get<forms::Control>(QString::fromLatin1(name), index).onClick.connect(std::move(handler));
    };
    on("cmdOK", [&startup] {
        SaveOptionsDialog(startup);
        dialog(startup).unload();
    });
    on("cmdApply", [&startup] { SaveOptionsDialog(startup); });
    on("cmdCancel", [&startup] { dialog(startup).unload(); });
    on("cmdChangeFont", [&startup] { chooseFont(startup); });
    on("cmdFileLocations", [&startup] { chooseOutputsFolder(startup); });
    control<forms::ListView>(startup, "lstFileLocations").onDblClick.connect([&startup] { chooseOutputsFolder(startup); });
    on("cmdShowMessages", [&startup] { showAllMessages(startup); });
    on("chkCreateCSV", [&startup] {
        const bool ticked = control<forms::CheckBox>(startup, "chkCreateCSV").checkValue() == 1;
        auto& detailed = control<forms::CheckBox>(startup, "chkSubSurfaceLongPrint");
        detailed.setEnabled(ticked);
        if (!ticked)
            detailed.setCheckValue(0);
    });
    on("chkSubSurfaceLongPrint", [&startup] {
        settings(startup).SubSurfaceLongPrint(control<forms::CheckBox>(startup, "chkSubSurfaceLongPrint").checkValue());
    });
    for (int index : {1, 2})
        on("optDiamRad", [&startup, index] {
            if (control<forms::OptionButton>(startup, "optDiamRad", index).isSelected())
                control<forms::Label>(startup, "lblDiamRad").setCaption(QString::number(index));
        }, index);
    control<forms::Label>(startup, "lblDiamRad").onChange.connect([&startup] { showDiamRad(startup); });

    auto& recent = control<forms::TextBox>(startup, "txtRecentFiles");
    recent.onGotFocus.connect([&recent] {
        recent.setSelStart(0);
        recent.setSelLength(static_cast<int>(recent.text().size()));
    });
    recent.onKeyUp.connect([&recent](int&, int) {
        const double number = runtime::leadingNumber(recent.text().toStdString());
        if (number < 1)
            recent.setText(QStringLiteral("1"));
        else if (number > 20)
            recent.setText(QStringLiteral("18"));
    });

    FillOptionsDialog(startup);
}

} // namespace

void defineOptionsDialog(Startup& startup)
{
    startup.windows().define(Name, [&startup](forms::Form& form) { build(startup, form); });
}

void showOptionsDialog(Startup& startup, int tab, forms::Form* owner)
{
    forms::Form& options = dialog(startup);
    control<forms::TabStrip>(startup, "tabOptions").setSelectedTab(tab);
    options.show(forms::Modality::Modal, owner);
}

void FillOptionsDialog(Startup& startup)
{
    clsRegisty& store = settings(startup);
    const auto tick = [&](const char* name, bool ticked) {
        control<forms::CheckBox>(startup, name).setCheckValue(ticked ? 1 : 0);
    };
    tick("chkAutoUpdate", store.AutoUpdate());
    tick("chkCreateCSV", store.CreateCSV());
    tick("chkShowEquation", store.ShowEquation());

    auto& precision = control<forms::ComboBox>(startup, "cmbDecimalPrecision");
    const std::int32_t format = storedDecimalPrecision(store);
    precision.setListIndex(format >= 1 && format <= 10 ? format - 1 : -1);
    precision.setText(QString::fromStdString(store.DecimalPrecision2(0)));

    control<forms::Label>(startup, "lblFontNameSize")
        .setCaption(QStringLiteral("%1, %2 pt.").arg(QString::fromStdString(store.ScrnOutFontName())).arg(store.ScrnOutFontSize()));
    FillFileLocations(startup);

    for (const UserInfoBox& box : UserInfoBoxes)
        control<forms::TextBox>(startup, box.box).setText(QString::fromStdString(store.UserInfo(box.value)));
    control<forms::TextBox>(startup, "txtRecentFiles").setText(QString::number(store.RecentFileNumberOf()));
    control<forms::TextBox>(startup, "txtGraphFontSize").setText(QString::number(store.Graphfontsize()));

    control<forms::Label>(startup, "lblDiamRad").setCaption(QString::number(store.DiamRad()));
    // Stored values other than 0 and 1 are read as ticked.
    tick("chkFileInconsistence", store.FileVersionCheck() != 0);
    tick("chkSubSurfaceLongPrint", store.SubSurfaceLongPrint() != 0);
    control<forms::CheckBox>(startup, "chkSubSurfaceLongPrint")
        .setEnabled(control<forms::CheckBox>(startup, "chkCreateCSV").checkValue() == 1);
}

void SaveOptionsDialog(Startup& startup)
{
    clsRegisty& store = settings(startup);
    std::optional<runtime::RuntimeError> lastError;
    // Each setting is stored on its own: a failing one skips only itself.
    const auto step = [&](auto&& storeSetting) {
        try {
            storeSetting();
        } catch (const std::exception& error) {
            const auto [number, description] = runtime::errorTextOf(error);
            lastError = runtime::RuntimeError(number, description);
        }
    };
    const auto ticked = [&](const char* name) { return control<forms::CheckBox>(startup, name).checkValue() == 1; };
    const auto text = [&](const char* name) { return control<forms::TextBox>(startup, name).text(); };

    step([&] { store.AutoUpdate(ticked("chkAutoUpdate")); });
    step([&] { store.CreateCSV(ticked("chkCreateCSV")); });
    step([&] { store.ShowEquation(ticked("chkShowEquation")); });
    step([&] {
        store.DecimalPrecision(std::to_string(control<forms::ComboBox>(startup, "cmbDecimalPrecision").listIndex() + 1));
    });
    step([&] {
        const QStringList parts = control<forms::Label>(startup, "lblFontNameSize").caption().split(u',');
        store.ScrnOutFontName(parts.value(0).trimmed().toStdString());
        if (parts.size() < 2)
            runtime::raise(runtime::SubscriptOutOfRange);
        store.ScrnOutFontSize(runtime::roundHalfEven(runtime::leadingNumber(parts[1].toStdString())));
    });
    step([&] {
        auto& list = control<forms::ListView>(startup, "lstFileLocations");
        const int row = list.findItem(QStringLiteral("OutputsFolder"));
        if (row < 0)
            runtime::raise(runtime::SubscriptOutOfRange);
        store.UserFilesLocation(list.subItem(row, 1).toStdString());
    });
    const auto storeUserInfo = [&](std::initializer_list<const char*> boxes) {
        for (const char* box : boxes)
            step([&] {
                for (const UserInfoBox& info : UserInfoBoxes)
                    if (std::string_view(info.box) == box)
                        store.UserInfo(info.value, text(box).toStdString());
            });
    };
    storeUserInfo({"txtAddress1", "txtAddress2", "txtEMail", "txtCity", "txtCompanyName"});
    step([&] { store.RecentFileNumberOf(wholeNumber(text("txtRecentFiles"))); });
    storeUserInfo({"txtPhoneNumber", "txtState", "txtUserName", "txtWebSite", "txtZip"});
    step([&] { store.Graphfontsize(leadingWhole(text("txtGraphFontSize"))); });
    step([&] { store.DiamRad(wholeNumber(control<forms::Label>(startup, "lblDiamRad").caption())); });
    step([&] { store.FileVersionCheck(control<forms::CheckBox>(startup, "chkFileInconsistence").checkValue()); });
    step([&] { store.SubSurfaceLongPrint(control<forms::CheckBox>(startup, "chkSubSurfaceLongPrint").checkValue()); });
    if (lastError)
        startup.WriteRunNote("SaveOptionsDialog, " + std::to_string(lastError->number()) + ", " +
                             lastError->description());
}

} // namespace cindrel::shell
