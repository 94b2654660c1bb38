#include "shell/frmMFGOutputs.h"

#include "ManufacturingWindowLayout.h"
#include "shell/Startup.h"

#include "outputs/MfgTableViews.h"
#include "outputs/T_MFGOutputs.h"

#include "dialogs/DialogTypes.h"
#include "dialogs/MessageBox.h"
#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "grid/Grid.h"
#include "printing/PreviewControl.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace cindrel::shell {

namespace {

const QString WindowName = QStringLiteral("frmMFGOutputs");
constexpr double NotesHeight = 5900;
constexpr int EditPanel = 3;
constexpr int GridPanel = 1;
constexpr int PrintPanel = 2;
constexpr int Copied = 4;
const char* const MemberNames[] = {"pinion", "gear"};
// Marks a tested pin that the pin list does not hold: the search found no
// list pin that fits and fell back to its own first guess.
const QString NotInList = QStringLiteral(" (not in pin list)");

QString q(const std::string& text) { return QString::fromStdString(text); }

template <typename T>
T& control(forms::Form& window, const char* name, int index = -1)
{
    return window.get<T>(QString::fromLatin1(name), index);
}

// A whole number in a label's caption, or none.
std::optional<int> captionNumber(const QString& caption)
{
    bool whole = false;
    const int number = caption.trimmed().toInt(&whole);
    return whole ? std::optional<int>(number) : std::nullopt;
}

void selectIfListed(forms::ComboBox& list, std::optional<int> position)
{
    if (position && *position >= -1 && *position < list.listCount())
        list.setListIndex(*position);
}

// The number a box holds, the whole text being one number; none for "", "abc", "1.2.3".
std::optional<double> boxNumber(const forms::TextBox& box)
{
    const std::string text = box.text().trimmed().toStdString();
    if (!runtime::isNumeric(text))
        return std::nullopt;
    try {
        return runtime::toNumber(text);
    } catch (const runtime::RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

frmMFGOutputs::frmMFGOutputs(Startup& startup) : startup_(startup) {}

forms::Form& frmMFGOutputs::form() { return startup_.windows()[WindowName]; }

void frmMFGOutputs::define()
{
    forms::Form& window = startup_.windows().define(WindowName, [this](forms::Form& loading) { load(loading); });
    window.onActivate.connect([this] { activate(); });
    window.onResize.connect([this] { resize(); });
    window.onQueryUnload.connect([this](bool& cancel, forms::UnloadReason reason) {
        // The window stays loaded for the run; only shut-down unloads it.
        if (reason != forms::UnloadReason::FormControlMenu)
            return;
        cancel = true;
        close();
    });
}

void frmMFGOutputs::load(forms::Form& window)
{
    grid::registerGridKind();
    printing::registerPrintPreviewKind();
    window.setCaption(QStringLiteral("Manufacturing Outputs"));
    window.move(0, 0, 9600, NotesHeight);
    forms::buildLayout(window, layouts::frmMFGOutputs());
    control<forms::TextBox>(window, "txtMFGNotes")
        .setText(QStringLiteral("What you write here will be printed on top of the MFG outputs.\r\n"));
    for (forms::Control* panel : {static_cast<forms::Control*>(&control<forms::PictureBox>(window, "pctData")),
                                  static_cast<forms::Control*>(&control<grid::Grid>(window, "grdMFG")),
                                  static_cast<forms::Control*>(&control<printing::PreviewControl>(window, "prtMFG"))})
        panel->move(0, 0, std::max(window.scaleWidth(), 0.0), std::max(window.scaleHeight(), 0.0));
    // The print control is the window's only preview: it brings its own page buttons.
    control<printing::PreviewControl>(window, "prtMFG").setNavigationShown(true);

    control<forms::MenuItem>(window, "mnuEditValues").onClick.connect([this] { command(Edit); });
    control<forms::MenuItem>(window, "mnuViewGrid").onClick.connect([this] { command(ViewGrid); });
    control<forms::MenuItem>(window, "mnuPrint").onClick.connect([this] { command(Print); });
    control<forms::MenuItem>(window, "mnuPrintPreview").onClick.connect([this] { command(PrintPreview); });
    control<forms::MenuItem>(window, "mnuClip").onClick.connect([this] { command(Copy); });
    control<forms::MenuItem>(window, "mnuExit").onClick.connect([this] { command(Return); });

    control<forms::CommandButton>(window, "cmdMoveDefaults").onClick.connect([this] {
        for (int member : {0, 1})
            moveDefaults(member, true, true, true);
    });
    for (int member : {0, 1}) {
        control<forms::TextBox>(window, "txtTIFdef", member).onDblClick.connect([this, member] {
            moveDefaults(member, true, false, false);
        });
        control<forms::TextBox>(window, "txtTeethSpanneddef", member).onDblClick.connect([this, member] {
            moveDefaults(member, false, false, true);
        });
        auto& quality = control<forms::ComboBox>(window, "cmbQuality", member);
        quality.onClick.connect([this, &quality, member] {
            // The AGMA window keeps the position with the design and shows the same accuracy.
            if (quality.listIndex() < 0)
                return;
            if (auto* shared = dynamic_cast<forms::Label*>(startup_.windows().findControl(
                    QStringLiteral("frmAGMA"), QStringLiteral("lblComboQuality"), member)))
                shared->setCaption(QString::number(quality.listIndex()));
        });
        auto& hand = control<forms::ComboBox>(window, "cmbHelixHand", member);
        hand.onClick.connect([this, &window, member] {
            if (settingHands_)
                return;
            {
                const QScopedValueRollback settingNow(settingHands_, true);
                auto& chosen = control<forms::ComboBox>(window, "cmbHelixHand", member);
                auto& other = control<forms::ComboBox>(window, "cmbHelixHand", 1 - member);
                // The lists hold the hands in opposite orders: one position gives opposite hands.
                if (chosen.listIndex() < other.listCount())
                    other.setListIndex(chosen.listIndex());
            }
            // A cleared list (spur teeth) keeps the stored hand.
            const int pinion = control<forms::ComboBox>(window, "cmbHelixHand", 0).listIndex();
            if (pinion >= 0)
                control<forms::Label>(window, "lblHelixHandPinion").setCaption(QString::number(pinion));
        });
    }
    control<forms::Label>(window, "lblHelixHandPinion").onChange.connect([this] { syncHelixHands(); });
    auto& decimals = control<forms::ComboBox>(window, "cmbDecimalPlacesMFG");
    decimals.onClick.connect([&window, &decimals] {
        if (window.visible() && decimals.listIndex() >= 0)
            control<forms::Label>(window, "lblDecimalPlacesMFG").setCaption(QString::number(decimals.listIndex() + 1));
    });
    control<forms::Label>(window, "lblDecimalPlacesMFG").onChange.connect([this] { syncDecimalPlaces(); });
    control<forms::CheckBox>(window, "chkUseMFGNotes").onClick.connect([this] { showNotes(); });

    // Four decimals unless a number of places is stored.
    auto& places = control<forms::Label>(window, "lblDecimalPlacesMFG");
    if (runtime::leadingNumber(places.caption().toStdString()) == 0)
        places.setCaption(QStringLiteral("4"));
    syncDecimalPlaces();
    syncHelixHands();
    syncQualities();
    showNotes();
}

void frmMFGOutputs::syncDecimalPlaces()
{
    forms::Form& window = form();
    const std::optional<int> places = captionNumber(control<forms::Label>(window, "lblDecimalPlacesMFG").caption());
    auto& list = control<forms::ComboBox>(window, "cmbDecimalPlacesMFG");
    if (places && *places >= 1 && *places <= list.listCount())
        list.setListIndex(*places - 1);
    else
        startup_.WriteRunNote("frmMFGOutputs: decimal places \"" +
                              control<forms::Label>(window, "lblDecimalPlacesMFG").caption().toStdString() +
                              "\" are not in the list; the list keeps its choice");
}

void frmMFGOutputs::syncHelixHands()
{
    forms::Form& window = form();
    selectIfListed(control<forms::ComboBox>(window, "cmbHelixHand", 0),
                   captionNumber(control<forms::Label>(window, "lblHelixHandPinion").caption()));
}

void frmMFGOutputs::syncQualities()
{
    forms::Form& window = form();
    for (int member : {0, 1})
        if (auto* shared = dynamic_cast<forms::Label*>(
                startup_.windows().findControl(QStringLiteral("frmAGMA"), QStringLiteral("lblComboQuality"), member)))
            selectIfListed(control<forms::ComboBox>(window, "cmbQuality", member), captionNumber(shared->caption()));
}

void frmMFGOutputs::showNotes()
{
    forms::Form& window = form();
    const bool shown = control<forms::CheckBox>(window, "chkUseMFGNotes").checkValue() == 1;
    control<forms::TextBox>(window, "txtMFGNotes").setVisible(shown);
    if (shown && window.visible() && window.height() < NotesHeight)
        window.setHeight(NotesHeight);
}

void frmMFGOutputs::showUnits()
{
    // The pin is typed in the unit system of the design; the clearance keeps
    // its layout caption "(in)": it is in inches in both, as design files have
    // always stored it.
    forms::Form& window = form();
    const QString unit = q(startup_.units().LengthUnits);
    control<forms::Label>(window, "lblDescript", 1).setCaption(QStringLiteral("Measuring Pin Diameter ") + unit);
}

void frmMFGOutputs::moveDefaults(int member, bool tif, bool pin, bool span)
{
    forms::Form& window = form();
    if (tif)
        control<forms::TextBox>(window, "txtTIF", member).setText(control<forms::TextBox>(window, "txtTIFdef", member).text());
    if (pin) {
        QString chosen = control<forms::ComboBox>(window, "cmbPin", member).text();
        if (chosen.endsWith(NotInList))
            chosen.chop(NotInList.size());
        control<forms::TextBox>(window, "txtPinDiam", member).setText(chosen);
    }
    if (span)
        control<forms::TextBox>(window, "txtTeethSpanned", member)
            .setText(control<forms::TextBox>(window, "txtTeethSpanneddef", member).text());
}

void frmMFGOutputs::loadPinCombo(const std::vector<float>& PinList, double SelectedPin, std::int16_t Index, bool LoadList)
{
    try {
        auto& pins = control<forms::ComboBox>(form(), "cmbPin", Index);
        pins.clear();
        pins.setToolTipText(QString());
        int selected = -1;
        if (LoadList) {
            // The list holds single-precision pins and the tested pin is the
            // decimal its entry gave: they are one pin when they agree in
            // single precision.
            const float tested = static_cast<float>(SelectedPin);
            for (std::size_t i = 0; i < PinList.size(); ++i) {
                pins.addItem(q(runtime::singleText(PinList[i])));
                if (PinList[i] == tested)
                    selected = static_cast<int>(i);
            }
            if (selected < 0 && SelectedPin > 0 && std::isfinite(SelectedPin)) {
                // No list pin fits: offer the tested size itself, in its place
                // by size and marked, rather than a list pin that was never tested.
                int place = 0;
                while (place < static_cast<int>(PinList.size()) && PinList[static_cast<std::size_t>(place)] < tested)
                    ++place;
                pins.addItem(q(runtime::numberText(SelectedPin)) + NotInList, place);
                selected = place;
                pins.setToolTipText(QStringLiteral("No pin of the pin list fits the %1's teeth: %2 is the size worked out "
                                                   "for them, not a pin on hand.")
                                        .arg(QString::fromLatin1(MemberNames[Index == 0 ? 0 : 1]),
                                             q(runtime::numberText(SelectedPin))));
            }
        } else {
            pins.addItem(QStringLiteral("error reading list"));
            pins.addItem(q(runtime::numberText(SelectedPin)));
            pins.addItem(QStringLiteral("error reading pins"));
            selected = 1;
        }
        if (selected >= 0)
            pins.setListIndex(selected);
    } catch (const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error);
        startup_.MainErrHandler("frmMFGOutputs", "LoadPinCombo", std::to_string(number), description, "");
    }
}

void frmMFGOutputs::EditScreen() { command(Edit); }

void frmMFGOutputs::mnuViewGrid_Click() { command(ViewGrid); }

void frmMFGOutputs::activate()
{
    if (startup_.gobjMFGOutputs() == nullptr && startup_.Oset() != nullptr)
        startup_.openManufacturingOutputs();
    forms::Control* agma = startup_.windows().findControl(QStringLiteral("frmMain"), QStringLiteral("chkAGMA"));
    const auto* box = dynamic_cast<forms::CheckBox*>(agma);
    // The factors window sets the quality while it calculates the factors.
    const bool calculated = box != nullptr && box->checkValue() == 1;
    for (int member : {0, 1})
        control<forms::ComboBox>(form(), "cmbQuality", member).setEnabled(!calculated);
}

void frmMFGOutputs::resize()
{
    forms::Form& window = form();
    const double width = std::max(window.scaleWidth() - 100, 0.0);
    const double height = std::max(window.scaleHeight() - 100, 0.0);
    for (const char* panel : {"pctData", "grdMFG", "prtMFG"})
        if (forms::Control* each = window.find(QString::fromLatin1(panel)))
            each->move(50, 50, width, height);
    if (viewState_ == GridPanel && startup_.gobjMFGOutputs() != nullptr)
        outputs::mfg::ResizeGrid(&control<grid::Grid>(window, "grdMFG"));
}

void frmMFGOutputs::close()
{
    startup_.closeManufacturingOutputs();
    startup_.windows()[QStringLiteral("frmMain")].show();
    form().hide();
}

void frmMFGOutputs::showPanel(int panel)
{
    forms::Form& window = form();
    control<forms::PictureBox>(window, "pctData").setVisible(panel == EditPanel);
    control<grid::Grid>(window, "grdMFG").setVisible(panel == GridPanel);
    control<printing::PreviewControl>(window, "prtMFG").setVisible(panel == PrintPanel);
    // The keys scroll the grid or the page shown, without a click on it first.
    forms::Control* shown = panel == GridPanel    ? static_cast<forms::Control*>(&control<grid::Grid>(window, "grdMFG"))
                            : panel == PrintPanel ? &control<printing::PreviewControl>(window, "prtMFG")
                                                  : nullptr;
    if (shown != nullptr && window.visible())
        runtime::ignoringAnyException([shown] { shown->setFocus(); });
}

bool frmMFGOutputs::ApplyEditedValues()
{
    forms::Form& window = form();
    outputs::T_MFGOutputs* table = startup_.gobjMFGOutputs();
    if (table == nullptr)
        return false;
    const auto refuse = [&window](forms::TextBox& box, const QString& message) {
        dialogs::messageBox(message + QStringLiteral("\r\n\r\n\"<---  move defaults  <---\" fills in the default values."),
                            dialogs::OKOnly | dialogs::IconExclamation, window.caption());
        box.setFocus();
        return false;
    };
    // Every value is read before any is handed on, so a refusal changes nothing.
    struct Member {
        double pin = 0, tif = 0;
        std::int16_t spanned = 0;
    } read[2];
    const double lengthFactor = startup_.units().LengthFactor;
    for (int member : {0, 1}) {
        const QString name = QString::fromLatin1(MemberNames[member]);
        auto& pinBox = control<forms::TextBox>(window, "txtPinDiam", member);
        const std::optional<double> pin = boxNumber(pinBox);
        if (!pin || !(*pin > 0) || !std::isfinite(*pin / lengthFactor))
            return refuse(pinBox, QStringLiteral("The measuring pin diameter of the %1 must be a number greater than 0, not \"%2\".")
                                      .arg(name, pinBox.text()));
        auto& tifBox = control<forms::TextBox>(window, "txtTIF", member);
        const std::optional<double> tif = boxNumber(tifBox);
        if (!tif || *tif < 0 || !std::isfinite(*tif))
            return refuse(tifBox, QStringLiteral("The true involute form clearance of the %1 must be a number of 0 or more "
                                                 "(in), not \"%2\".")
                                      .arg(name, tifBox.text()));
        auto& spanBox = control<forms::TextBox>(window, "txtTeethSpanned", member);
        const std::optional<double> spanned = boxNumber(spanBox);
        if (!spanned || *spanned < 0 || *spanned > 32767)
            return refuse(spanBox, QStringLiteral("The number of teeth for span measure of the %1 must be a whole number from 0 "
                                                  "to 32767, not \"%2\".")
                                       .arg(name, spanBox.text()));
        // The pin is typed in display units, the clearance in inches; the table holds inches.
        read[member] = {*pin / lengthFactor, *tif, runtime::toInt16(runtime::roundHalfEven(*spanned))};
    }
    const int places = control<forms::ComboBox>(window, "cmbDecimalPlacesMFG").listIndex();
    if (places < 0) {
        dialogs::messageBox(QStringLiteral("Choose the number of decimal places of the manufacturing outputs."),
                            dialogs::OKOnly | dialogs::IconExclamation, window.caption());
        return false;
    }
    for (int member : {0, 1}) {
        table->PinDiam(member, read[member].pin);
        const int quality = control<forms::ComboBox>(window, "cmbQuality", member).listIndex();
        table->Quality(member, quality < 0 ? 4 : quality + 5);
        table->TIF(member, read[member].tif);
        table->TeethSpanned(member, read[member].spanned);
        table->HelixHand(member, control<forms::ComboBox>(window, "cmbHelixHand", member).text().toStdString());
    }
    table->Decimals(places);
    table->PrintMFGNotes(control<forms::CheckBox>(window, "chkUseMFGNotes").checkValue() == 1);
    if (!table->MakeNewArray()) {
        // The reason itself: the run log may be off, and then it is empty.
        dialogs::messageBox(QStringLiteral("The manufacturing outputs could not be calculated for this gear set; the "
                                           "previous table is kept.\r\n\r\n") +
                                q(table->lastFailure()),
                            dialogs::OKOnly | dialogs::IconExclamation, window.caption());
        return false;
    }
    return true;
}

void frmMFGOutputs::command(Command which)
{
    forms::Form& window = form();
    if (which == Return) {
        close();
        return;
    }
    if (which == Edit) {
        showUnits();
        showPanel(EditPanel);
        viewState_ = EditPanel;
        syncQualities();
        return;
    }
    // What shows in the edit panel is what the table is built from, also after a copy from it.
    if (control<forms::PictureBox>(window, "pctData").visible() && !ApplyEditedValues())
        return;
    outputs::T_MFGOutputs* table = startup_.gobjMFGOutputs();
    if (table == nullptr)
        return;
    const auto logFailure = [this](const char* routine, const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error);
        startup_.MainErrHandler("frmMFGOutputs", routine, std::to_string(number), description, "");
    };
    try {
        switch (which) {
        case ViewGrid: {
            showPanel(GridPanel);
            outputs::mfg::GridFont font;
            font.name = q(startup_.outputsHost().ScrnOutFontName());
            font.size = static_cast<float>(startup_.outputsHost().ScrnOutFontSize());
            outputs::mfg::FillGrid(control<grid::Grid>(window, "grdMFG"), table->MFGArray(), font);
            viewState_ = GridPanel;
            break;
        }
        case Print:
        case PrintPreview: {
            showPanel(PrintPanel);
            outputs::mfg::PrintSources sources;
            sources.PrintMFGNotes = table->PrintMFGNotes();
            sources.MFGNotes = control<forms::TextBox>(window, "txtMFGNotes").text().toStdString();
            outputs::mfg::PrintDocument(control<printing::PreviewControl>(window, "prtMFG"), table->MFGArray(),
                                        which == PrintPreview, startup_.outputsHost(), sources,
                                        [this](const std::string& note) { startup_.WriteRunNote(note); });
            viewState_ = PrintPanel;
            break;
        }
        case Copy:
            table->Array2ClipBoard();
            viewState_ = Copied;
            break;
        default: break;
        }
    } catch (const std::exception& error) {
        logFailure("Command", error);
    }
}

} // namespace cindrel::shell
