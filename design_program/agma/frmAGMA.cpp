#include "frmAGMA.h"

#include "BoxNumber.h"
#include "AgmaCommit.h"
#include "AgmaNotes.h"
#include "AllowablePower.h"
#include "DynamicFactor.h"
#include "EquationLegend.h"
#include "HardnessRatio.h"
#include "LoadDistribution.h"
#include "MaterialChoice.h"
#include "MaterialTree.h"
#include "OverloadReliability.h"
#include "OverrideMark.h"
#include "SetInputs.h"
#include "StressCycles.h"
#include "frmHeatTreatTypes.h"

#include "AgmaWindowLayout.h"

#include "dialogs/MessageBox.h"
#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Forms.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "forms/TabStrip.h"
#include "forms/TextBox.h"
#include "forms/TreeView.h"
#include "forms/Twips.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <QFontDatabase>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace cindrel::agma {

namespace {

namespace Col = MaterialColumn;

// The notes area's height below NotesTop, and a left that puts a picture out of sight.
constexpr double NotesHeight = 1300;
constexpr double OutsideWindow = 20000;

QString q(const char* name) { return QString::fromLatin1(name); }
QString q(const std::string& text) { return QString::fromStdString(text); }
std::string indexed(const char* tag, int index) { return tag + std::to_string(index); }

constexpr int TabCount = 9;
constexpr int MaterialsTab = 1;
constexpr int KbTab = 3;
constexpr int FactorsTab = 7;
constexpr int PowerTab = 8;
constexpr int RightButton = 2;

// The boxes of one member that the tree edits.
constexpr const char* MemberBoxes[] = {"txtYoungs", "txtPoissons", "txtBHN", "txtSAC", "txtSAT"};
constexpr const char* MemberChecks[] = {"chkReversing", "chkBestMats"};

// The bearing sketch of the Km page: the pinion on its shaft between two
// bearings, with the lengths the page asks for.
void drawBearingSketch(QPainter& painter, const QRect& area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = area.width();
    const int h = area.height();
    const int shaftY = h / 2;
    const int left = w / 10, right = w - w / 10;
    const int faceCentre = left + (right - left) * 2 / 3;
    painter.drawLine(left - 8, shaftY, right + 8, shaftY);
    for (int x : {left, right})
        painter.drawRect(x - 6, shaftY - 14, 12, 28);
    painter.drawRect(faceCentre - 18, shaftY - 30, 36, 60);
    QPen dashed = painter.pen();
    dashed.setStyle(Qt::DashLine);
    painter.setPen(dashed);
    const int spanCentre = (left + right) / 2;
    painter.drawLine(spanCentre, 4, spanCentre, h - 4);
    painter.drawLine(faceCentre, 4, faceCentre, h - 4);
    QFont small = painter.font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const auto text = [&](int x, int y, int width, const QString& caption) {
        painter.drawText(QRect(x, y, width, metrics.height()), Qt::AlignCenter,
                         metrics.elidedText(caption, Qt::ElideRight, width));
    };
    text(left, h - metrics.height() - 2, right - left, QStringLiteral("Length between bearings (S)"));
    text(left, shaftY + 16, spanCentre - left, QStringLiteral("S/2"));
    text(0, 2, w, QStringLiteral("Offset from centerline of face to bearing span centerline"));
    text(0, shaftY - 32 - metrics.height(), spanCentre, QStringLiteral("Centerline of bearing"));
    text(spanCentre, shaftY - 32 - metrics.height(), w - spanCentre, QStringLiteral("Centerline of pinion face"));
}

} // namespace

frmAGMA::frmAGMA(forms::Forms& windows, AgmaWindowServices services)
    : windows_(windows), services_(std::move(services))
{
    forms::Form& window = windows_.define(WindowName, [this](forms::Form& form) { build(form); });
    // The window lives for the whole run: its close box never unloads it.
    // Only the user's close request is refused, and commits with the last
    // move; an unload by code or at program end goes ahead.
    window.onQueryUnload.connect([this](bool& cancel, forms::UnloadReason reason) {
        if (reason != forms::UnloadReason::FormControlMenu)
            return;
        cancel = true;
        if (services_.pushNextButton)
            CommitFactors(0);
    });
}

frmAGMA::~frmAGMA() = default;

forms::Form& frmAGMA::form() { return windows_[WindowName]; }

// ---------------------------------------------------------------- loading

void frmAGMA::build(forms::Form& form)
{
    form_ = &form;
    state_ = AgmaWindowState{};
    choosingMaterial_ = false;
    lengthFactor_ = 1;
    finishEdited_ = false;
    form.setCaption(QStringLiteral("AGMA Factors"));

    forms::buildLayout(form, layouts::frmAGMA());
    for (forms::Control* control : form.controls())
        if (auto* label = dynamic_cast<forms::Label*>(control); label != nullptr && label->height() > 300)
            label->setWordWrap(true);
    // The overload options form two columns of fixed-pitch text.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    form.get<forms::Label>(q("lblKoHeading")).setFont(fixed);
    for (int k = 0; k < 7; ++k)
        form.get<forms::OptionButton>(q("optKo"), k).setFont(fixed);
    form.get<forms::PictureBox>(q("picKmSketch"))
        .setPainter([&form](QPainter& painter) {
            const auto& sketch = form.get<forms::PictureBox>(q("picKmSketch"));
            drawBearingSketch(painter, sketch.widget()->rect());
        });
    connectHandlers();
    formLoad();
}

void frmAGMA::formLoad()
{
    const auto note = [this](std::string_view text) {
        if (services_.runLog != nullptr)
            services_.runLog->writeRunNote(text);
    };
    note("in frmAGMA_Form_Load");
    FlagScope stop(state_.StopTheEvents);
    forms::Form& form = *form_;
    // The window opens where the main window stands, at its own size.
    if (windows_.isDefined(q("frmMain"))) {
        forms::Form& main = windows_[q("frmMain")];
        form.move(main.left(), main.top(), 10440, 7500);
    } else {
        form.move(0, 0, 10440, 7500);
    }
    state_.NotesTop = layouts::AgmaNotesTop;

    note("Going to fill Tree-View with materials");
    const std::filesystem::path folder = services_.programFolder ? services_.programFolder() : std::filesystem::path();
    state_.Materials = LoadMaterials(folder, *this, errors());
    FillTreeView();

    for (int i : {0, 1}) {
        auto& combo = form.get<forms::ComboBox>(q("cmbKV"), i);
        combo.clear();
        for (std::string_view item : KvQualityItems)
            combo.addItem(QString::fromLatin1(item.data(), static_cast<int>(item.size())));
    }
    for (int tab = 0; tab < TabCount; ++tab)
        setVisible("pict", tab, false);
    form.get<forms::Label>(q("lblHelpText")).move(250, state_.NotesTop, 7395, 1065);
    // The bending equation is the picture shown first.
    form.get<forms::PictureBox>(q("ImaPat")).move(250, state_.NotesTop);
    form.get<forms::PictureBox>(q("imaPac")).move(20000, state_.NotesTop);
    state_.NotesShown = true;
    auto& tabs = form.get<forms::TabStrip>(q("tabMain"));
    if (tabs.selectedTab() == 0)
        showPage(0);
    else
        tabs.setSelectedTab(0);
    cmdPoG_Click(0);
    setText("txtLife", 0, "10000000");
    loadEquationPictures();
    showEquation(false);
    setNotesShown(services_.showEquation ? services_.showEquation() : true);
}

void frmAGMA::showMaterialsMessage(std::string_view text) { message(std::string(text)); }

void frmAGMA::connectHandlers()
{
    forms::Form& form = *form_;
    const auto onText = [&form](const char* name, int index, std::function<void()> handler) {
        form.get<forms::TextBox>(q(name), index).onChange.connect(std::move(handler));
    };
    const auto onLabel = [&form](const char* name, int index, std::function<void()> handler) {
        form.get<forms::Label>(q(name), index).onChange.connect(std::move(handler));
    };
    const auto onClick = [&form](const char* name, int index, std::function<void()> handler) {
        forms::Control* control = form.find(q(name), index);
        if (control == nullptr)
            runtime::raise(runtime::SubscriptOutOfRange);
        control->onClick.connect(std::move(handler));
    };
    const auto onLostFocus = [&form](const char* name, int index, std::function<void()> handler) {
        form.get<forms::TextBox>(q(name), index).onLostFocus.connect(std::move(handler));
    };

    auto& tabs = form.get<forms::TabStrip>(q("tabMain"));
    tabs.onTabClick.connect([this](int left) { tabMain_Click(left); });
    auto& tree = form.get<forms::TreeView>(q("TreeView"));
    tree.onNodeClick.connect([this](const QString& key) { TreeView_NodeClick(key); });
    const auto materialsMenu = [this](const forms::MouseEventArgs& mouse) {
        if (mouse.button == RightButton && form_->get<forms::TabStrip>(q("tabMain")).selectedTab() == MaterialsTab)
            form_->popupMenu(form_->get<forms::MenuItem>(q("mnuMaterials")));
    };
    tabs.onMouseUp.connect(materialsMenu);
    tree.onMouseUp.connect(materialsMenu);
    form.get<forms::MenuItem>(q("mnuExpandAll")).onClick.connect([this] { SetNodesExpanded(true); });
    form.get<forms::MenuItem>(q("mnuCollapseAll")).onClick.connect([this] { SetNodesExpanded(false); });
    form.get<forms::MenuItem>(q("mnuHardnessPatts")).onClick.connect([this] { frmHeatTreatTypes::show(windows_); });

    for (int i : {0, 1}) {
        onClick("cmdPoG", i, [this, i] { cmdPoG_Click(i); });
        onText("txtBHN", i, [this, i] { txtBHN_Change(i); });
        onClick("chkReversing", i, [this, i] { chkReversing_Click(i); });
        onClick("chkBestMats", i, [this, i] { chkBestMats_Click(i); });
        onLabel("lblRecordKey", i, [this, i] { lblRecordKey_Change(i); });
        onText("txtContacts", i, [this, i] { txtContacts_Change(i); });
        onLostFocus("txtContacts", i, [this, i] { txtContacts_LostFocus(i); });
        onClick("cmbKV", i, [this, i] { cmbKV_Click(i); });
        onLabel("lblComboQuality", i, [this, i] { lblComboQuality_Change(i); });
        onText("txtKb", i, [this, i] { txtKb_Change(i); });
        onText("txtYn", i, [this, i] { state_.LastChange = indexed("txtYn", i); });
        onText("txtZn", i, [this, i] { state_.LastChange = indexed("txtZn", i); });
        onClick("chkConservative", i, [this, i] {
            if (!state_.StopTheEvents)
                subYn(CycleRefresh::MemberChosen, i);
        });
        onText("txtSurfaceBHN", i, [this, i] { txtSurfaceBHN_Change(i); });
        for (const char* name : {"txtYoungs", "txtPoissons"})
            onText(name, i, [this, name, i] { elasticData_Change(name, i, box(name, i).text()); });
    }
    for (int k = 0; k < 4; ++k)
        onText("txtKBin", k, [this, k] { txtKBin_Change(k); });
    for (int k = 0; k < 3; ++k)
        onText("txtLife", k, [this, k] { txtLife_Change(k); });
    onText("txtKV", -1, [this] { txtKV_Change(); });

    onClick("chkCE", -1, [this] { chkCE_Click(); });
    onClick("chkCMC", -1, [this] { chkCMC_Click(); });
    for (int k = 0; k < 4; ++k)
        onClick("optGearStyle", k, [this, k] {
            if (form_->get<forms::OptionButton>(q("optGearStyle"), k).isSelected())
                setCaption("lbloptGearStyle", -1, std::to_string(k));
        });
    onLabel("lbloptGearStyle", -1, [this] { lbloptGearStyle_Change(); });
    onText("txtKmOffset", -1, [this] { txtKmOffsetOrSpan_Change(); });
    onText("txtKmSpan", -1, [this] {
        state_.LastChange = "txtKmSpan";
        txtKmOffsetOrSpan_Change();
    });
    onLostFocus("txtKmOffset", -1, [this] { bearingLength_LostFocus(true); });
    onLostFocus("txtKmSpan", -1, [this] { bearingLength_LostFocus(false); });

    for (int k = 0; k < static_cast<int>(OverloadOptions.size()); ++k)
        onClick("optKo", k, [this, k] {
            if (form_->get<forms::OptionButton>(q("optKo"), k).isSelected())
                optKo_Click(k);
        });
    onText("txtKo", -1, [this] { txtKo_Change(); });
    onLabel("lblKoSelection", -1, [this] { lblKoSelection_Change(); });
    for (int k = 0; k < static_cast<int>(ReliabilityOptions.size()); ++k)
        onClick("optKR", k, [this, k] {
            if (form_->get<forms::OptionButton>(q("optKR"), k).isSelected())
                optKR_Click(k);
        });
    onText("txtKr", -1, [this] { txtKr_Change(); });
    onLabel("lblKrSelection", -1, [this] { lblKrSelection_Change(); });

    onText("txtRMS", -1, [this] { txtRMS_Change(); });

    for (int k = 0; k < 5; ++k)
        onText("txtInps", k, [this, k] { txtInps_Change(k); });
    if (services_.pushNextButton) {
        onClick("cmdNext", -1, [this] { CommitFactors(1); });
        onClick("cmdPrevious", -1, [this] { CommitFactors(2); });
    }

    // The stress-cycle equations: the button and the frame take turns.
    onClick("cmdShowZnYnEqs", -1, [this] {
        setVisible("fraZn", -1, true);
        setVisible("cmdShowZnYnEqs", -1, false);
    });
    onClick("fraZn", -1, [this] {
        setVisible("fraZn", -1, false);
        setVisible("cmdShowZnYnEqs", -1, true);
    });

    // The notes area.
    const auto note = [this, &onClick](const char* name, int index, const char* key) {
        onClick(name, index, [this, key] { ShowNotes(key); });
    };
    note("cmdNotesKV", -1, "Kv");
    note("cmdNotesKb", 0, "Kb");
    note("cmdNotesKb", 1, "Kb");
    note("cmdNotesKM", -1, "Km");
    note("cmdNotesKs", -1, "Ks");
    note("cmdNotesKt", -1, "Kt");
    note("CmdnotesKr", -1, "Kr");
    note("cmdNotesSf", -1, "Sf");
    note("cmdNotesCh", -1, "Ch");
    note("cmdNotesCf", -1, "Cf");
    form.get<forms::MenuItem>(q("mnuAbout")).onClick.connect([this] { ShowNotes("AGMA"); });
    box("txtKt").onDblClick.connect([this] { ShowNotes("Kt"); });
    form.get<forms::MenuItem>(q("mnuNotes")).onClick.connect([this] { mnuNotes_Click(); });
    form.get<forms::MenuItem>(q("mnuPittingEq")).onClick.connect([this] { showEquation(true); });
    form.get<forms::MenuItem>(q("mnuBendEq")).onClick.connect([this] { showEquation(false); });
    auto& pitting = form.get<forms::PictureBox>(q("imaPac"));
    const auto legend = [this](const forms::MouseEventArgs& mouse) { imaPac_MouseMove(mouse.button, mouse.x, mouse.y); };
    pitting.onMouseMove.connect(legend);
    pitting.onMouseDown.connect(legend);
    form.get<forms::Label>(q("lblHelpText")).onMouseMove.connect([this](const forms::MouseEventArgs&) {
        lblHelpText_MouseMove();
    });
    form.onMouseMove.connect([this](const forms::MouseEventArgs&) { setCaption("lblDescription", -1, ""); });

    // The factor boxes whose change handlers above do not record their tag.
    for (const char* name : {"txtCh", "txtSAC", "txtSAT"})
        for (int i : {0, 1})
            onText(name, i, [this, name, i] { factorBox_Change(name, i); });
    for (const char* name : {"txtKm", "txtCf"})
        onText(name, -1, [this, name] { factorBox_Change(name, -1); });
    for (const std::string_view boxName : MarkedBoxes) {
        const char* name = boxName.data();
        const bool perMember = form.find(q(name), 0) != nullptr;
        for (int i : perMember ? std::vector<int>{0, 1} : std::vector<int>{-1})
            onLostFocus(name, i, [this, name, i] { factorBox_LostFocus(name, i); });
    }
}

// ---------------------------------------------------------------- notes area

void frmAGMA::ShowNotes(std::string_view key)
{
    auto& help = form_->get<forms::Label>(q("lblHelpText"));
    help.setCaption(QString::fromStdString(noteFor(key)));
    help.setZOrder(forms::Control::ZOrder::Front);
}

void frmAGMA::lblHelpText_MouseMove()
{
    auto& help = form_->get<forms::Label>(q("lblHelpText"));
    help.setCaption(QString());
    help.setZOrder(forms::Control::ZOrder::Back);
}

void frmAGMA::mnuNotes_Click()
{
    setNotesShown(!form_->get<forms::MenuItem>(q("mnuNotes")).checked());
}

void frmAGMA::setNotesShown(bool shown)
{
    FlagScope stop(state_.StopTheEvents);
    forms::Form& form = *form_;
    const double border = std::round(form.height() - form.scaleHeight());
    form.get<forms::MenuItem>(q("mnuNotes")).setChecked(shown);
    for (forms::Control* control : form.controls())
        if (control->name().startsWith(QStringLiteral("cmdNotes")))
            control->setVisible(shown);
    state_.NotesShown = shown;
    form.setHeight(state_.NotesTop + (shown ? NotesHeight : 0) + border);
    for (const char* name : {"mnuBendEq", "mnuPittingEq", "mnuAbout"})
        form.get<forms::MenuItem>(q(name)).setVisible(shown);
    for (const char* name : {"lblHelpText", "imaPac", "ImaPat", "lblDescription"})
        setVisible(name, -1, shown);
}

void frmAGMA::showEquation(bool pitting)
{
    auto& shown = form_->get<forms::PictureBox>(q(pitting ? "imaPac" : "ImaPat"));
    auto& other = form_->get<forms::PictureBox>(q(pitting ? "ImaPat" : "imaPac"));
    shown.move(250, state_.NotesTop);
    shown.setZOrder(forms::Control::ZOrder::Front);
    setCaption("lblHelpText", -1, "");
    other.move(OutsideWindow, state_.NotesTop);
}

void frmAGMA::imaPac_MouseMove(int button, double x, double y)
{
    if (!state_.NotesShown)
        return;
    const LegendHit hit = legendAt(x, y);
    if (hit.line == LegendHit::Line::Keep)
        return;
    setCaption("lblDescription", -1, hit.region != nullptr ? std::string(hit.region->text) : std::string());
    if (button == 0 || hit.region == nullptr || hit.region->tab < 0)
        return;
    form_->get<forms::TabStrip>(q("tabMain")).setSelectedTab(hit.region->tab);
    const std::string name(hit.region->box);
    forms::Control* target = form_->find(q(name), hit.region->index);
    if (target != nullptr)
        focus(*target);
}

// Our own drawings of the two rating equations, drawn at the picture's size.
void frmAGMA::loadEquationPictures()
{
    for (const auto& [name, file] : {std::pair{"imaPac", "pitting-equation"}, std::pair{"ImaPat", "bending-equation"}}) {
        auto& picture = form_->get<forms::PictureBox>(q(name));
        QSvgRenderer renderer(QStringLiteral(":/agma/%1.svg").arg(QString::fromLatin1(file)));
        QImage image(std::max(1, forms::twipsToPixels(picture.width())),
                     std::max(1, forms::twipsToPixels(picture.height())), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        picture.setPicture(image);
    }
}

// ---------------------------------------------------------------- override mark

void frmAGMA::factorBox_Change(const char* name, int Index)
{
    if (state_.StopTheEvents && !tagsWhileQuiet(name))
        return;
    if (const std::optional<std::string> tag = changeTag(name, Index))
        state_.LastChange = *tag;
}

void frmAGMA::factorBox_LostFocus(const char* name, int Index)
{
    forms::TextBox& factor = box(name, Index);
    const std::optional<std::string> marked = markedOnLeaving(name, Index, factor.text().toStdString(),
                                                              state_.LastChange, factor.typedSinceFocus());
    if (!marked)
        return;
    FlagScope quiet(state_.StopTheEvents);
    factor.setText(q(*marked));
    if (std::string_view(name) == "txtKm")
        clearKmInputs();
}

void frmAGMA::clearKmInputs()
{
    FlagScope quiet(state_.StopTheEvents);
    for (const char* name : {"chkCE", "chkCMC"})
        form_->get<forms::CheckBox>(q(name)).setCheckValue(0);
    // The hidden label records the gear style; emptying it clears all four options.
    setCaption("lbloptGearStyle", -1, "");
    setText("txtKmOffset", -1, "");
    setText("txtKmSpan", -1, "");
    state_.KmEquation.clear();
}

// ---------------------------------------------------------------- controls

forms::TextBox& frmAGMA::box(const char* name, int index) { return form_->get<forms::TextBox>(q(name), index); }

std::string frmAGMA::text(const char* name, int index)
{
    forms::Control* control = form_->find(q(name), index);
    if (control == nullptr)
        runtime::raise(runtime::SubscriptOutOfRange);
    return control->value().toString().toStdString();
}

void frmAGMA::setText(const char* name, int index, const std::string& text)
{
    box(name, index).setText(q(text));
}

void frmAGMA::setCaption(const char* name, int index, const std::string& caption)
{
    form_->get<forms::Label>(q(name), index).setCaption(q(caption));
}

bool frmAGMA::ticked(const char* name, int index)
{
    return form_->get<forms::CheckBox>(q(name), index).checkValue() == forms::CheckValue::Checked;
}

void frmAGMA::setVisible(const char* name, int index, bool visible)
{
    if (forms::Control* control = form_->find(q(name), index))
        control->setVisible(visible);
}

void frmAGMA::message(const std::string& text, const std::string& title)
{
    dialogs::messageBox(q(text), dialogs::OKOnly, q(title));
}

void frmAGMA::focus(forms::Control& control)
{
    if (!control.visible() || !control.enabled() || !form_->visible())
        return;
    try {
        control.setFocus();
    } catch (const runtime::RuntimeError&) {
        // A container of the box is hidden or disabled: the focus stays where it is.
    }
}

void frmAGMA::backToSetInputs(int index)
{
    form_->get<forms::TabStrip>(q("tabMain")).setSelectedTab(0);
    focus(box("txtInps", index));
}

runtime::ErrorReporter& frmAGMA::errors()
{
    // Without a run log errors go nowhere, as with run notes off.
    static struct : runtime::ErrorReporter {
        void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                         std::string_view) override {}
    } silent;
    return services_.runLog != nullptr ? static_cast<runtime::ErrorReporter&>(*services_.runLog) : silent;
}

void frmAGMA::reportError(const char* routine, const std::exception& error, const char* other)
{
    if (services_.runLog == nullptr)
        return;
    const auto [number, description] = runtime::errorTextOf(error);
    services_.runLog->reportError("frmAGMA", routine, std::to_string(number), description, other);
}

// ---------------------------------------------------------------- tabs

void frmAGMA::showPage(int tab)
{
    for (int page = 0; page < TabCount; ++page)
        setVisible("pict", page, page == tab);
}

void frmAGMA::tabMain_Click(int Left)
{
    auto& tabs = form_->get<forms::TabStrip>(q("tabMain"));
    const int New = tabs.selectedTab();
    setVisible("cmdNext", -1, New == PowerTab);
    form_->get<forms::MenuItem>(q("mnuMaterials")).setVisible(New == MaterialsTab);
    if (Left == 0 && !carriesMark(text("txtKV")))
        cmbKV_Click(0);
    lblHelpText_MouseMove();
    if (Left >= 0 && Left < TabCount)
        setVisible("pict", Left, false);
    setVisible("pict", New, true);
    // Going back to the tab left tests nothing: two tabs holding a zero
    // cannot send the strip back and forth.
    if (returningTab_)
        return;

    int shown = New;
    if (form_->visible() && Left != New) {
        if (const std::optional<ZeroBox> zero = zeroBoxOf(Left)) {
            returnToTab(Left);
            if (zero->innerTab >= 0)
                form_->get<forms::TabStrip>(q("TabKb")).setSelectedTab(zero->innerTab);
            focus(box(zero->name, zero->index));
            return;
        }
        // No other page is shown while a Set Inputs box holds no number:
        // the values worked from it are empty, and their pages would keep
        // the user until one was typed.
        if (Left == 0) {
            if (const std::optional<PowerBox> slip = setInputsSlip()) {
                returnToTab(0);
                message(setInputsSlipMessage(slip->index, text("txtInps", slip->index)));
                focus(box("txtInps", slip->index));
                return;
            }
        }
        const bool materialsComplete = hasMaterial(0) && hasMaterial(1);
        if (Left == 0 && !materialsComplete && New != MaterialsTab) {
            returnToTab(MaterialsTab);
            shown = MaterialsTab;
        } else if (Left == MaterialsTab) {
            bool modulusMissing = !materialsComplete;
            for (int i : {0, 1})
                if (const std::optional<MaterialRecord> material = materialOf(i))
                    modulusMissing = modulusMissing || material->text(Col::Modulus).empty();
            if (modulusMissing) {
                if (New != 0)
                    returnToTab(MaterialsTab);
                return;
            }
        }
    }
    tabEntry(shown);
}

void frmAGMA::returnToTab(int tab)
{
    FlagScope returning(returningTab_);
    form_->get<forms::TabStrip>(q("tabMain")).setSelectedTab(tab);
}

void frmAGMA::tabEntry(int tab)
{
    if (tab == FactorsTab && state_.ChApplies) {
        for (int i : {0, 1}) {
            const std::optional<MaterialRecord> material = materialOf(i);
            const std::string surface = material ? material->text(Col::SurfaceHardness) : std::string();
            setText("txtSurfaceBHN", i, surface.empty() ? text("txtBHN", i) : surface);
        }
    }
    if (tab == PowerTab)
        CalcAllowablePower();
}

std::optional<frmAGMA::ZeroBox> frmAGMA::zeroBoxOf(int tab)
{
    static const std::vector<ZeroBox> boxesOf[TabCount] = {
        {{"txtInps", 0, -1}},
        {},
        {{"txtKV", -1, -1}},
        {{"txtKb", 0, 0}, {"txtKb", 1, 1}},
        {{"txtKm", -1, -1}},
        {{"txtKo", -1, -1}, {"txtKs", -1, -1}, {"txtKt", -1, -1}, {"txtKr", -1, -1}},
        {{"txtYn", 0, -1}, {"txtYn", 1, -1}, {"txtZn", 0, -1}, {"txtZn", 1, -1}},
        {{"txtSf", 0, -1}, {"txtSf", 1, -1}, {"txtSh", 0, -1}, {"txtSh", 1, -1}, {"txtCh", 0, -1}, {"txtCh", 1, -1},
         {"txtCf", -1, -1}},
        {},
    };
    if (tab < 0 || tab >= TabCount)
        return std::nullopt;
    for (const ZeroBox& zero : boxesOf[tab])
        if (boxNumberOrZero(text(zero.name, zero.index)) == 0)
            return zero;
    return std::nullopt;
}

bool frmAGMA::hasMaterial(int member) const
{
    const std::string& key = state_.MaterialKey[static_cast<std::size_t>(member)];
    return !key.empty() && boxNumberOrZero(key) != 0 && materialOf(member).has_value();
}

// ---------------------------------------------------------------- set inputs

void frmAGMA::txtInps_Change(int Index)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = indexed("txtInps", Index);
    const std::array<std::string, 5> inps = {text("txtInps", 0), text("txtInps", 1), text("txtInps", 2),
                                             text("txtInps", 3), text("txtInps", 4)};
    const std::array<std::string, 3> life = {text("txtLife", 0), text("txtLife", 1), text("txtLife", 2)};
    const std::array<std::string, 2> contacts = {text("txtContacts", 0), text("txtContacts", 1)};
    SetInputsBoxes boxes;
    boxes.inps = {inps[0], inps[1], inps[2], inps[3], inps[4]};
    boxes.life = {life[0], life[1], life[2]};
    boxes.contacts = {contacts[0], contacts[1]};
    boxes.kvMarked = carriesMark(text("txtKV"));
    boxes.kmMarked = carriesMark(text("txtKm"));
    const SetInputsChange change = setInputsChanged(Index, boxes);
    {
        // Both cycles are written before the factors follow them.
        FlagScope guard(state_.LifeGuard);
        if (change.pinionCycles)
            setText("txtLife", 0, *change.pinionCycles);
        if (change.gearCycles)
            setText("txtLife", 1, *change.gearCycles);
    }
    const std::optional<std::string>* cycles[] = {&change.pinionCycles, &change.gearCycles};
    for (int i : {0, 1})
        if (*cycles[i] && (*cycles[i])->empty())
            emptyStressCycleFactors(i);
    if (change.stressCyclesFollow())
        subYn(CycleRefresh::Unmarked);
    if (change.emptyKm) {
        setText("txtKm", -1, "");
        state_.KmEquation.clear();
    }
    if (change.recomputeKm)
        CalcKm();
    if (change.recomputeKv)
        cmbKV_Click(0);
    if (change.recomputeCh)
        txtSurfaceBHN_Change(0);
}

std::optional<PowerBox> frmAGMA::setInputsSlip()
{
    const std::array<std::string, 5> inps = {text("txtInps", 0), text("txtInps", 1), text("txtInps", 2),
                                             text("txtInps", 3), text("txtInps", 4)};
    return unreadableSetInput({inps[0], inps[1], inps[2], inps[3], inps[4]});
}

// ---------------------------------------------------------------- allowable power

void frmAGMA::CalcAllowablePower()
{
    if (state_.StopTheEvents)
        return;
    // No power while a Set Inputs box holds no number: the factors worked
    // from it (Ch from the ratio, Km from the face) are empty, and are not
    // the fault to name. The user goes back to that box.
    if (const std::optional<PowerBox> slip = setInputsSlip()) {
        voidAllowablePower();
        message(powerFailureMessage(*slip, text("txtInps", slip->index)));
        backToSetInputs(slip->index);
        return;
    }
    const PowerResult result = allowablePower(powerInputs());
    if (!result.ok()) {
        voidAllowablePower();
        if (markFailedFactors())
            return;
        PowerBox fault = result.fault;
        // A Cp that is missing is named by the elastic data it lacks.
        if (fault.name == "txtCP" && !wholeBoxNumber(text("txtCP"))) {
            const std::array<std::string, 2> modulus = {text("txtYoungs", 0), text("txtYoungs", 1)};
            const std::array<std::string, 2> poisson = {text("txtPoissons", 0), text("txtPoissons", 1)};
            if (const std::optional<PowerBox> elastic =
                    elasticDataFault({modulus[0], modulus[1]}, {poisson[0], poisson[1]}))
                fault = *elastic;
        }
        const std::string faultText =
            fault.name.empty() ? std::string() : text(std::string(fault.name).c_str(), fault.index);
        message(powerFailureMessage(fault, faultText));
        if (fault.name == "txtInps") {
            backToSetInputs(fault.index);
            return;
        }
        returnToTab(MaterialsTab);
        if (fault.name == "txtYoungs" || fault.name == "txtPoissons") {
            cmdPoG_Click(fault.index);
            focus(box(std::string(fault.name).c_str(), fault.index));
        }
        return;
    }
    showAllowablePower(*result.powers);
}

// A geometry factor whose routine failed comes over as no number: the power
// tab names it in the powers it would give, and says so.
bool frmAGMA::markFailedFactors()
{
    const auto failed = [this](const char* name, int index) { return !(boxNumberOrZero(text(name, index)) > 0); };
    std::string said;
    if (failed("txtEye", -1)) {
        for (int i : {0, 1})
            setCaption("lblPac", i, "I failed");
        said += "The I geometry factor failed: no allowable pitting power is calculated.";
    }
    for (int i : {0, 1}) {
        if (!failed("txtJay", i))
            continue;
        setCaption("lblPat", i, "J failed");
        said += std::string(said.empty() ? "" : "\r\n") + (i == 0 ? "Pinion" : "Gear") +
                " J geometry factor failed: no allowable bending power is calculated for it.";
    }
    if (said.empty())
        return false;
    message(said);
    return true;
}

PowerInputs frmAGMA::powerInputs()
{
    PowerInputs in;
    in.np = text("txtInps", 0);
    in.F = text("txtInps", 1);
    in.d = text("txtInps", 2);
    in.Pd = text("txtInps", 3);
    in.I = text("txtEye");
    in.Ko = text("txtKo");
    in.Kv = text("txtKV");
    in.Ks = text("txtKs");
    in.Km = text("txtKm");
    in.Cf = text("txtCf");
    in.Kt = text("txtKt");
    in.Kr = text("txtKr");
    in.Cp = text("txtCP");
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        in.J[m] = text("txtJay", i);
        in.Zn[m] = text("txtZn", i);
        in.Ch[m] = text("txtCh", i);
        in.Sh[m] = text("txtSh", i);
        in.Yn[m] = text("txtYn", i);
        in.Kb[m] = text("txtKb", i);
        in.SF[m] = text("txtSf", i);
        in.SAC[m] = text("txtSAC", i);
        in.SAT[m] = text("txtSAT", i);
    }
    return in;
}

void frmAGMA::showAllowablePower(const AllowablePowers& powers)
{
    const char* labels[] = {"lblPac", "lblPac", "lblPat", "lblPat"};
    for (int k = 0; k < 4; ++k)
        setCaption(labels[k], k % 2, powers.caption(k));
    state_.AllowablePowerTable = powers.table();
    state_.LowestAllowablePower = powers.lowestPower();
    auto& lowest = form_->get<forms::Label>(q(labels[powers.lowest]), powers.lowest % 2);
    auto& limit = form_->get<forms::Label>(q("lblLimitT"));
    limit.move(lowest.left() + lowest.width() + 50, lowest.top());
    limit.setVisible(true);
}

void frmAGMA::CommitFactors(std::int32_t direction)
{
    CommitTexts t;
    const auto single = [this](std::string& into, const char* name) { into = text(name); };
    single(t.Cf, "txtCf");
    single(t.Km, "txtKm");
    single(t.Ko, "txtKo");
    single(t.Kr, "txtKr");
    single(t.Ks, "txtKs");
    single(t.Kt, "txtKt");
    single(t.Kv, "txtKV");
    if (finishEdited_)
        single(t.rms, "txtRMS");
    t.speed = text("txtInps", 0);
    t.faceWidth = text("txtInps", 1);
    t.pitchDiameter = text("txtInps", 2);
    t.diametralPitch = text("txtInps", 3);
    t.ratio = text("txtInps", 4);
    for (int i : {0, 1}) {
        const auto m = static_cast<std::size_t>(i);
        t.Ch[m] = text("txtCh", i);
        t.Kb[m] = text("txtKb", i);
        t.SF[m] = text("txtSf", i);
        t.Sh[m] = text("txtSh", i);
        t.Yn[m] = text("txtYn", i);
        t.Zn[m] = text("txtZn", i);
        t.Youngs[m] = text("txtYoungs", i);
        t.Poissons[m] = text("txtPoissons", i);
        t.SAC[m] = text("txtSAC", i);
        t.SAT[m] = text("txtSAT", i);
        t.matSourceType[m] = text("lblMatSourceType", i);
        t.matSource[m] = text("lblMatSource", i);
    }
    for (int k = 0; k < 3; ++k)
        t.life[static_cast<std::size_t>(k)] = text("txtLife", k);
    for (int i : {0, 1})
        t.contacts[static_cast<std::size_t>(i)] = text("txtContacts", i);
    t.kmEquation = state_.KmEquation;
    // A box that holds no number stops the commit before anything changes:
    // the user stays on the window, on the box at fault.
    if (const std::optional<UnreadableBox> fault = unreadableBox(t)) {
        returnToTab(fault->tab);
        if (fault->tab == MaterialsTab && fault->index >= 0)
            cmdPoG_Click(fault->index);
        if (fault->tab == KbTab && fault->index >= 0)
            form_->get<forms::TabStrip>(q("TabKb")).setSelectedTab(fault->index);
        message(fault->message);
        focus(box(fault->name.c_str(), fault->index));
        return;
    }

    // The power of the boxes as they stand now, without a word.
    const PowerResult power = allowablePower(powerInputs());
    if (power.ok())
        showAllowablePower(*power.powers);
    else
        voidAllowablePower();
    t.powers = power.powers;

    forms::Form* main = windows_.isDefined(q("frmMain")) ? &windows_[q("frmMain")] : nullptr;
    const auto mainText = [main](const char* name) {
        forms::Control* control = main != nullptr ? main->find(q(name), -1) : nullptr;
        return control != nullptr ? control->value().toString().toStdString() : std::string();
    };
    CommitMainSide side;
    side.powerHowInput = mainText("lblPowerHowInput");
    side.metric = mainText("chkMetricUnits") == "1";
    side.pressureFactor = services_.pressureFactor ? services_.pressureFactor() : 1.0;
    side.rmsFactor = services_.rmsFactor ? services_.rmsFactor() : 1.0;

    model::T_Set* pair = services_.pair ? services_.pair() : nullptr;
    std::optional<CommitResult> result;
    if (pair != nullptr)
        result = commitFactors(t, side, *pair, errors());
    if (result && result->refused)
        return;
    if (result)
        finishEdited_ = false;
    if (result && main != nullptr) {
        // Each box on its own: a main window without one of them skips it.
        for (const MainWindowWrite& write : result->writes) {
            if (forms::Control* control = main->find(q(write.name), write.index)) {
                try {
                    control->setValue(q(write.text));
                } catch (const runtime::RuntimeError& error) {
                    reportError("CommitFactors", error, write.name.c_str());
                }
            }
        }
        if (forms::Control* frame = main->find(q("fraAGMA_HPs"), -1); frame != nullptr && result->showPowerFrame)
            frame->setVisible(true);
        main->move(form_->left(), form_->top());
    }
    if (services_.all4Horsepowers)
        services_.all4Horsepowers(result ? result->powerTable : std::nullopt);
    if (direction != 1)
        setVisible("cmdNext", -1, false);
    if (services_.pushNextButton)
        services_.pushNextButton(direction);
}

// No stale or half-new figure stays after a failure.
void frmAGMA::voidAllowablePower()
{
    for (int i : {0, 1}) {
        setCaption("lblPac", i, "Pac");
        setCaption("lblPat", i, "Pat");
    }
    setVisible("lblLimitT", -1, false);
    state_.AllowablePowerTable = {};
    state_.LowestAllowablePower = 0;
}

// ---------------------------------------------------------------- materials

std::optional<MaterialRecord> frmAGMA::materialOf(int member) const
{
    const int row = state_.MaterialRow[static_cast<std::size_t>(member)];
    if (row <= 0 || row >= state_.Materials.rowCount())
        return std::nullopt;
    return state_.Materials.record(row);
}

std::string frmAGMA::materialPathOf(int member) const
{
    const std::string& key = state_.MaterialKey[static_cast<std::size_t>(member)];
    const auto& tree = form_->get<forms::TreeView>(q("TreeView"));
    return tree.hasNode(q(key)) ? tree.fullPath(q(key)).toStdString() : std::string();
}

void fillMaterialTree(forms::TreeView& tree, const MaterialsTable& table)
{
    tree.clear();
    tree.setSorted(true);
    for (const MaterialNode& node : materialTreeNodes(table))
        tree.addNode(q(node.relativeKey), static_cast<forms::TreeView::Relationship>(node.relationship), q(node.key),
                     q(node.text));
}

void frmAGMA::FillTreeView()
{
    try {
        fillMaterialTree(form_->get<forms::TreeView>(q("TreeView")), state_.Materials);
    } catch (const std::exception& error) {
        reportError("FillTreeView", error, "Probably error with materials");
    }
}

void frmAGMA::SetNodesExpanded(bool Expanded)
{
    auto& tree = form_->get<forms::TreeView>(q("TreeView"));
    for (int position = 0; position < tree.nodeCount(); ++position) {
        const QString parent = tree.parentKey(tree.nodeKey(position));
        if (!parent.isEmpty())
            tree.setExpanded(parent, Expanded);
    }
}

void frmAGMA::ExpandSelect(const std::string& NodeKey)
{
    if (NodeKey.empty() || materialRowOfKey(NodeKey) == 0)
        return;
    auto& tree = form_->get<forms::TreeView>(q("TreeView"));
    if (!tree.hasNode(q(NodeKey))) {
        reportError("ExpandSelect NodeKey", runtime::RuntimeError(35601),
                    "Trouble setting material tree node to file value.");
        return;
    }
    for (QString parent = tree.parentKey(q(NodeKey)); !parent.isEmpty(); parent = tree.parentKey(parent))
        tree.setExpanded(parent, true);
    tree.select(q(NodeKey));
    tree.ensureVisible(q(NodeKey));
}

void frmAGMA::cmdPoG_Click(int Index)
{
    state_.CurrentMember = Index;
    for (int member : {0, 1}) {
        const bool current = member == Index;
        for (const char* name : MemberBoxes)
            form_->get<forms::TextBox>(q(name), member).setEnabled(current);
        for (const char* name : MemberChecks)
            form_->get<forms::CheckBox>(q(name), member).setEnabled(current);
        auto& button = form_->get<forms::CommandButton>(q("cmdPoG"), member);
        QFont font = button.font();
        font.setPointSize(current ? 14 : 12);
        button.setFont(font);
    }
    setCaption("lblNotes", -1, "");
    ExpandSelect(state_.MaterialKey[static_cast<std::size_t>(Index)]);
}

void frmAGMA::TreeView_NodeClick(const QString& nodeKey)
{
    const int c = state_.CurrentMember;
    const std::string key = nodeKey.toStdString();
    const std::optional<int> row = materialRowNamed(key, state_.Materials);
    if (!row) {
        // The root: the member's material is cleared.
        if (text("lblRecordKey", c) == key)
            lblRecordKey_Change(c);
        else
            setCaption("lblRecordKey", c, key);
        return;
    }
    FlagScope choosing(choosingMaterial_);
    const MaterialRecord material = state_.Materials.record(*row);
    const bool same = text("lblRecordKey", c) == key;
    const bool reversing = ticked("chkReversing", c);
    const MaterialChoice choice = chooseMaterial(material, same, text("txtBHN", c), reversing);

    setText("txtYoungs", c, choice.modulus);
    setText("txtPoissons", c, choice.poisson);
    if (choice.hardness)
        setText("txtBHN", c, *choice.hardness);
    setText("txtSAC", c, choice.sac);
    setText("txtSAT", c, choice.sat);
    if (reversing)
        state_.SatReversals[static_cast<std::size_t>(c)].remember(choice.sat, choice.satUnreduced);
    setCaption("lblNotes", -1, choice.note);
    // The same material chosen again (a design being read) keeps the surface
    // hardness the design saved, as it keeps the hardness.
    if (!same || boxNumberOrZero(text("txtSurfaceBHN", c)) == 0)
        setText("txtSurfaceBHN", c, choice.surfaceHardness);
    setCaption(choice.shortUnit ? "lblHardType2" : "lblHardType1", c, choice.hardnessUnit);
    setVisible("lblHardType2", c, choice.shortUnit);
    setVisible("lblHardType1", c, !choice.shortUnit);

    state_.MaterialKey[static_cast<std::size_t>(c)] = key;
    state_.MaterialRow[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(*row);
    setCaption("lblRecordKey", c, key);

    setVisible("chkBestMats", c, choice.bestMaterialsShown);
    const auto shown = [this](int member) { return form_->get<forms::CheckBox>(q("chkBestMats"), member).visible(); };
    setVisible("lblBestMaterials", -1, shown(0) || shown(1));
    if (choice.bestMaterialsShown)
        chkBestMats_Click(c);

    const std::optional<MaterialRecord> pinion = materialOf(0), gear = materialOf(1);
    state_.ChApplies = chApplies(pinion ? &*pinion : nullptr, gear ? &*gear : nullptr);
    setVisible("fraCh", -1, state_.ChApplies);
    state_.MaterialPath[static_cast<std::size_t>(c)] = materialPathOf(c);
    setCaption("lblMatSource", c,
               materialSourceLine(state_.MaterialPath[static_cast<std::size_t>(c)], text("txtSAC", c),
                                  text("txtSAT", c), std::nullopt, choice.hardnessUnit, reversing));
    setCaption("lblMatSourceType", c, choice.sourceType);
    // The stress cycle curves and the hardness are the new material's.
    if (!state_.StopTheEvents)
        subYn(CycleRefresh::MemberUnmarked, c);
}

void frmAGMA::lblRecordKey_Change(int Index)
{
    form(); // a call from outside loads the window first
    const auto member = static_cast<std::size_t>(Index);
    const std::string key = text("lblRecordKey", Index);
    const std::optional<int> row = materialRowNamed(key, state_.Materials);
    if (!row) {
        // No material, or a key no node of this table has (its user table is
        // gone): this member is left without one, never on another.
        state_.MaterialKey[member].clear();
        state_.MaterialRow[member] = 0;
        state_.MaterialPath[member].clear();
        state_.ChApplies = false;
        setVisible("fraCh", -1, false);
        if (materialRowOfKey(key) != 0 && !state_.StopTheEvents)
            reportError("lblRecordKey_Change", runtime::RuntimeError(35601),
                        "Trouble setting material tree node to file value.");
        SetNodesExpanded(false);
        blankMember(Index);
        return;
    }
    state_.MaterialKey[member] = key;
    state_.MaterialRow[member] = static_cast<std::int16_t>(*row);
    if (state_.StopTheEvents || choosingMaterial_)
        return;
    state_.LastChange = "lblRecordKey";
    cmdPoG_Click(Index);
    TreeView_NodeClick(q(key));
}

void frmAGMA::blankMember(int member)
{
    for (const char* name : MemberBoxes)
        setText(name, member, "");
}

void frmAGMA::BlankOutMaterialBoxes()
{
    form();
    SetNodesExpanded(false);
    blankMember(0);
    blankMember(1);
}

void frmAGMA::txtBHN_Change(int Index)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = "txtBHN";
    const std::optional<MaterialRecord> material = materialOf(Index);
    if (!material)
        return;
    const bool reversing = ticked("chkReversing", Index);
    const std::string typed = text("txtBHN", Index);
    double hardness = boxNumberOrZero(typed);
    if (const std::optional<HardnessStresses> stresses = stressesForHardness(*material, typed, reversing)) {
        hardness = stresses->hardness;
        setCaption("lblNotes", -1, stresses->note);
        setText("txtSAC", Index, stresses->sac);
        setText("txtSAT", Index, stresses->sat);
        if (reversing)
            state_.SatReversals[static_cast<std::size_t>(Index)].remember(stresses->sat, stresses->satUnreversed);
    }
    state_.MaterialPath[static_cast<std::size_t>(Index)] = materialPathOf(Index);
    setCaption("lblMatSource", Index,
               materialSourceLine(state_.MaterialPath[static_cast<std::size_t>(Index)], text("txtSAC", Index),
                                  text("txtSAT", Index), hardness, material->text(Col::HardnessUnit), reversing));
    // The bending curve of a through-hardened steel goes by its hardness. A
    // material being chosen works the factors out once it is in place.
    if (!choosingMaterial_)
        subYn(CycleRefresh::MemberUnmarked, Index);
}

void frmAGMA::chkReversing_Click(int Index)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = "SAT_RevCals";
    SatReversal& reversal = state_.SatReversals[static_cast<std::size_t>(Index)];
    const std::string sat = text("txtSAT", Index);
    setText("txtSAT", Index, ticked("chkReversing", Index) ? reversal.tick(sat) : reversal.clear(sat));
}

void frmAGMA::chkBestMats_Click(int Index)
{
    const std::optional<MaterialRecord> material = materialOf(Index);
    if (!material)
        return;
    const bool best = ticked("chkBestMats", Index);
    const bool reversing = ticked("chkReversing", Index);
    const RangeStresses stresses = rangeStresses(*material, best, reversing);
    setText("txtSAT", Index, stresses.sat);
    setText("txtSAC", Index, stresses.sac);
    if (reversing)
        state_.SatReversals[static_cast<std::size_t>(Index)].remember(stresses.sat,
                                                                      rangeStresses(*material, best, false).sat);
}

void frmAGMA::txtContacts_Change(int Index)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = "txtContacts";
    // The new count applies to this member's cycles, derived from the other's.
    txtLife_Change(Index == 0 ? GearCycles : PinionCycles, CycleRefresh::Unmarked);
}

void frmAGMA::txtContacts_LostFocus(int Index)
{
    if (state_.ReturningFocus || lifeNumber(text("txtContacts", Index)).value_or(0) >= 1)
        return;
    FlagScope returning(state_.ReturningFocus);
    message(Index == 0 ? "Set pinion contacts per revolution greater than 1"
                       : "Set Gear contacts per revolution greater than 1");
    focus(box("txtContacts", Index));
}

// ---------------------------------------------------------------- Kv and Kb

void frmAGMA::cmbKV_Click(int Index)
{
    if (state_.StopTheEvents)
        return;
    FlagScope stop(state_.StopTheEvents);
    state_.LastChange = indexed("cmbKv_click", Index);
    const int pinion = form_->get<forms::ComboBox>(q("cmbKV"), 0).listIndex();
    const int gear = form_->get<forms::ComboBox>(q("cmbKV"), 1).listIndex();
    setCaption("lblComboQuality", 0, std::to_string(pinion));
    setCaption("lblComboQuality", 1, std::to_string(gear));
    const KvOutcome outcome = dynamicFactor(pinion, gear, text("txtInps", 0), text("txtInps", 2));
    if (outcome.kv)
        setText("txtKV", -1, *outcome.kv);
    if (outcome.maxPitchLineVelocity)
        setCaption("lblMaxPLV", -1, *outcome.maxPitchLineVelocity);
    if (outcome.maxPinionSpeed)
        setCaption("lblMaxRPM", -1, *outcome.maxPinionSpeed);
}

void frmAGMA::lblComboQuality_Change(int Index)
{
    const std::string recorded = text("lblComboQuality", Index);
    // The manufacturing window's list takes the same position; one it does not have is ignored.
    if (auto* quality = dynamic_cast<forms::ComboBox*>(
            windows_.findControl(QStringLiteral("frmMFGOutputs"), QStringLiteral("cmbQuality"), Index))) {
        bool whole = false;
        const int position = q(recorded).toInt(&whole);
        if (whole && position >= -1 && position < quality->listCount())
            quality->setListIndex(position);
    }
    state_.LastChange = indexed("lblQualityChange", Index);
    if (const std::optional<int> position = kvPositionForRecorded(recorded))
        form_->get<forms::ComboBox>(q("cmbKV"), Index).setListIndex(*position);
}

void frmAGMA::txtKV_Change()
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = "txtKv";
    for (int i : {0, 1})
        form_->get<forms::ComboBox>(q("cmbKV"), i).setListIndex(NoQualityPosition);
    for (int i : {0, 1})
        form_->get<forms::ComboBox>(q("cmbKV"), i).setText(QString::fromLatin1(UserSelectedKv.data(),
                                                                               static_cast<int>(UserSelectedKv.size())));
    setCaption("lblMaxRPM", -1, "");
    setCaption("lblMaxPLV", -1, "");
}

void frmAGMA::txtKBin_Change(int Index)
{
    if (state_.StopTheEvents || Index < 0 || Index > 3)
        return;
    FlagScope stop(state_.StopTheEvents);
    state_.LastChange = "KbCalcs";
    const int m = Index / 2;
    const RimThicknessOutcome outcome = rimThicknessFactor(text("txtKBin", 2 * m), text("txtKBin", 2 * m + 1));
    setText("txtKbmB", m, outcome.backupRatio);
    setText("txtKb", m, outcome.kb);
}

void frmAGMA::SetLengthUnit(const std::string& unitLabel, double lengthFactor)
{
    form();
    FlagScope stop(state_.StopTheEvents);
    for (int k = 0; k < 4; ++k) {
        setCaption("lblKbUnits", k, unitLabel);
        const std::string length = text("txtKBin", k);
        if (lengthFactor <= 0 || lengthFactor == lengthFactor_ || length.empty())
            continue;
        try {
            setText("txtKBin", k, runtime::numberText(boxNumber(length) / lengthFactor_ * lengthFactor));
        } catch (const runtime::RuntimeError&) {
            // Not a length: the box keeps what the user typed.
        }
    }
    if (lengthFactor > 0)
        lengthFactor_ = lengthFactor;
}

void frmAGMA::txtKb_Change(int Index)
{
    if (state_.StopTheEvents)
        return;
    FlagScope stop(state_.StopTheEvents);
    state_.LastChange = "txtKb";
    setText("txtKBin", 2 * Index, "");
    setText("txtKBin", 2 * Index + 1, "");
    setText("txtKbmB", Index, "");
}

// ---------------------------------------------------------------- Km

void frmAGMA::CalcKm()
{
    if (state_.StopTheEvents)
        return;
    const std::string face = text("txtInps", 1);
    const std::string diameter = text("txtInps", 2);
    const std::string cpm = text("lblCpm");
    KmInputs inputs;
    inputs.faceWidth = face;
    inputs.pitchDiameter = diameter;
    inputs.gearStyle = optionNamed(text("lbloptGearStyle"), static_cast<int>(GearStyleCaptions.size()));
    inputs.leadsModified = ticked("chkCMC");
    inputs.adjustedAtAssembly = ticked("chkCE");
    inputs.cpmCaption = cpm;
    const KmOutcome outcome = loadDistributionFactor(inputs);
    if (outcome.message)
        message(outcome.message->text, outcome.message->title);
    if (outcome.focus != SetInputsBox::None)
        backToSetInputs(static_cast<int>(outcome.focus));
    if (outcome.km)
        setText("txtKm", -1, *outcome.km);
    state_.KmEquation = outcome.equation;
}

bool frmAGMA::CalcCpm()
{
    const CpmOutcome outcome = pinionProportionModifier(text("txtKmOffset"), text("txtKmSpan"));
    if (outcome.caption)
        setCaption("lblCpm", -1, *outcome.caption);
    return outcome.recomputeKm;
}

void frmAGMA::txtKmOffsetOrSpan_Change()
{
    CalcCpm();
    // Km follows once, whether or not the modifier changed.
    CalcKm();
}

void frmAGMA::chkCE_Click()
{
    setCaption("lblCe", -1, std::string(ceCaption(ticked("chkCE"))));
    CalcKm();
}

void frmAGMA::chkCMC_Click()
{
    setCaption("lblCmc", -1, std::string(cmcCaption(ticked("chkCMC"))));
    CalcKm();
}

std::optional<int> frmAGMA::chooseRecordedOption(const char* label, const char* options, int count)
{
    const std::optional<int> chosen = optionNamed(text(label), count);
    for (int k = 0; k < count; ++k) {
        auto& option = form_->get<forms::OptionButton>(q(options), k);
        if (chosen == k)
            option.setSelected(true);
        else if (option.isSelected())
            option.setSelected(false);
    }
    return chosen;
}

void frmAGMA::lbloptGearStyle_Change()
{
    if (chooseRecordedOption("lbloptGearStyle", "optGearStyle", static_cast<int>(GearStyleCaptions.size())))
        CalcKm();
}

void frmAGMA::bearingLength_LostFocus(bool offsetLeft)
{
    if (state_.ReturningFocus)
        return;
    const std::string offset = text("txtKmOffset");
    const std::string span = text("txtKmSpan");
    const BearingSpanChecks::Outcome outcome =
        offsetLeft ? state_.SpanChecks.offsetLeft(offset, span) : state_.SpanChecks.spanLeft(offset, span);
    if (outcome.passed)
        return;
    FlagScope returning(state_.ReturningFocus);
    // The focus goes to the other length, which the check says to mend.
    focus(box(offsetLeft ? "txtKmSpan" : "txtKmOffset"));
    if (!outcome.message.empty())
        message(outcome.message);
}

// ---------------------------------------------------------------- Ko and Kr

void frmAGMA::optKo_Click(int Index)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = "optKo";
    if (Index < 0 || Index >= static_cast<int>(OverloadOptions.size()))
        return;
    setText("txtKo", -1, std::string(OverloadOptions[static_cast<std::size_t>(Index)].factor));
    setCaption("lblKoSelection", -1, std::to_string(Index));
}

void frmAGMA::txtKo_Change()
{
    if (state_.StopTheEvents)
        return;
    FlagScope stop(state_.StopTheEvents);
    state_.LastChange = "txtKo";
    if (const std::optional<int> option = overloadOptionFor(text("txtKo")))
        setCaption("lblKoSelection", -1, std::to_string(*option));
}

void frmAGMA::lblKoSelection_Change()
{
    chooseRecordedOption("lblKoSelection", "optKo", static_cast<int>(OverloadOptions.size()));
}

void frmAGMA::optKR_Click(int Index)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = "optKr";
    if (Index < 0 || Index >= static_cast<int>(ReliabilityOptions.size()))
        return;
    setText("txtKr", -1, std::string(ReliabilityOptions[static_cast<std::size_t>(Index)].factor));
    setVisible("CmdnotesKr", -1, Index == ReliabilityNoteOption);
}

void frmAGMA::txtKr_Change()
{
    if (state_.StopTheEvents)
        return;
    FlagScope stop(state_.StopTheEvents);
    state_.LastChange = "txtKr";
    setCaption("lblKrSelection", -1, std::to_string(reliabilityOptionFor(text("txtKr"))));
}

void frmAGMA::lblKrSelection_Change()
{
    chooseRecordedOption("lblKrSelection", "optKR", static_cast<int>(ReliabilityOptions.size()));
}

// ---------------------------------------------------------------- Yn and Zn

void frmAGMA::txtLife_Change(int Index, CycleRefresh refresh)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = indexed("txtLife", Index);
    if (state_.LifeGuard)
        return;
    const std::string speed = text("txtInps", 0);
    const std::string ratio = text("txtInps", 4);
    const std::array<std::string, 3> life = {text("txtLife", 0), text("txtLife", 1), text("txtLife", 2)};
    const std::array<std::string, 2> contacts = {text("txtContacts", 0), text("txtContacts", 1)};
    LifeInputs inputs;
    inputs.speed = speed;
    inputs.ratio = ratio;
    inputs.life = {life[0], life[1], life[2]};
    inputs.contacts = {contacts[0], contacts[1]};
    const LifeOutcome outcome = deriveLife(Index, inputs, errors());
    if (outcome.message) {
        message(outcome.message->text, outcome.message->title);
        if (outcome.focus != SetInputsBox::None)
            backToSetInputs(static_cast<int>(outcome.focus));
        return;
    }
    {
        FlagScope guard(state_.LifeGuard);
        for (int k = 0; k < 3; ++k)
            if (outcome.life[static_cast<std::size_t>(k)])
                setText("txtLife", k, *outcome.life[static_cast<std::size_t>(k)]);
    }
    if (outcome.stressCyclesFollow)
        subYn(refresh);
}

void frmAGMA::subYn(CycleRefresh refresh, int changed)
{
    const std::array<std::string, 2> cycles = {text("txtLife", PinionCycles), text("txtLife", GearCycles)};
    const std::array<std::string, 2> hardness = {text("txtBHN", 0), text("txtBHN", 1)};
    const std::optional<MaterialRecord> rows[2] = {materialOf(0), materialOf(1)};
    std::array<StressCycleMember, 2> members;
    for (int i : {0, 1}) {
        auto& member = members[static_cast<std::size_t>(i)];
        member.material = rows[i] ? &*rows[i] : nullptr;
        member.cycles = cycles[static_cast<std::size_t>(i)];
        member.hardness = hardness[static_cast<std::size_t>(i)];
        member.conservative = ticked("chkConservative", i);
    }
    const StressCycleOutcome outcome = stressCycleFactors(members);
    if (outcome.noCycles && refresh != CycleRefresh::All)
        return;
    if (outcome.noCycles) {
        for (const char* name : {"txtYn", "txtZn"})
            for (int i : {0, 1})
                setText(name, i, std::string(UnityFactor));
        return;
    }
    if (!outcome.members[0] && !outcome.members[1])
        return;
    // A mark keeps the factor it marks, and only that one.
    const auto kept = [&](const char* name, int i) {
        switch (refresh) {
        case CycleRefresh::All:
            return false;
        case CycleRefresh::Unmarked:
            return carriesMark(text(name, i));
        case CycleRefresh::MemberUnmarked:
            return i != changed || carriesMark(text(name, i));
        case CycleRefresh::MemberChosen:
            return i != changed && carriesMark(text(name, i));
        }
        return true;
    };
    state_.LastChange = "subYn";
    for (int i : {0, 1}) {
        const auto& factors = outcome.members[static_cast<std::size_t>(i)];
        if (!factors)
            continue;
        if (refresh != CycleRefresh::MemberUnmarked || i == changed)
            setVisible("chkConservative", i, factors->conservativeShown);
        if (kept("txtYn", i))
            continue;
        setText("txtYn", i, factors->yn.value);
        setCaption("lblYnFactor", i, factors->yn.factor);
        setCaption("lblYnExponent", i, factors->yn.exponent);
    }
    state_.LastChange = "subZn";
    for (int i : {0, 1}) {
        const auto& factors = outcome.members[static_cast<std::size_t>(i)];
        if (!factors || kept("txtZn", i))
            continue;
        setText("txtZn", i, factors->zn.value);
        setCaption("lblZnFactor", i, factors->zn.factor);
        setCaption("lblZnExponent", i, factors->zn.exponent);
    }
}

void frmAGMA::emptyStressCycleFactors(int member)
{
    const auto empty = [this, member](const char* name, const char* factor, const char* exponent) {
        if (carriesMark(text(name, member)))
            return;
        setText(name, member, "");
        setCaption(factor, member, "");
        setCaption(exponent, member, "");
    };
    empty("txtYn", "lblYnFactor", "lblYnExponent");
    empty("txtZn", "lblZnFactor", "lblZnExponent");
}

// ---------------------------------------------------------------- Ch and Cp

void frmAGMA::txtSurfaceBHN_Change(int Index)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = "txtSurfaceBHN_Change)";
    const std::array<std::string, 2> surface = {text("txtSurfaceBHN", 0), text("txtSurfaceBHN", 1)};
    const std::string finish = text("txtRMS");
    const std::string ratio = text("txtInps", 4);
    const std::optional<MaterialRecord> rows[2] = {materialOf(0), materialOf(1)};
    HardnessRatioInputs inputs;
    inputs.applies = state_.ChApplies;
    inputs.surfaceHardness = {surface[0], surface[1]};
    inputs.finish = finish;
    inputs.ratio = ratio;
    inputs.changed = Index;
    for (int i : {0, 1})
        inputs.materials[static_cast<std::size_t>(i)] = rows[i] ? &*rows[i] : nullptr;
    const std::optional<std::string> ch = hardnessRatioFactor(inputs);
    // No Ch worked (a ratio that is not a number) empties only the
    // program's own value: a typed, marked one is the user's.
    if (ch && (!ch->empty() || !carriesMark(text("txtCh", 1))))
        setText("txtCh", 1, *ch);
}

void frmAGMA::txtRMS_Change()
{
    finishEdited_ = !state_.StopTheEvents;
    const std::string finish = text("txtRMS");
    if (boxNumberOrZero(finish) > 64) {
        setText("txtCh", 1, "1.0");
        return;
    }
    txtSurfaceBHN_Change(1);
}

void frmAGMA::elasticData_Change(const char* name, int Index, const QString& value)
{
    if (state_.StopTheEvents)
        return;
    state_.LastChange = indexed(name, Index);
    if (boxNumberOrZero(value.toStdString()) != 0)
        CalcCp();
    else
        setText("txtCP", -1, "");
}

void frmAGMA::CalcCp()
{
    const std::array<std::string, 2> modulus = {text("txtYoungs", 0), text("txtYoungs", 1)};
    const std::array<std::string, 2> poisson = {text("txtPoissons", 0), text("txtPoissons", 1)};
    setText("txtCP", -1, elasticCoefficient({modulus[0], modulus[1]}, {poisson[0], poisson[1]}));
}

} // namespace cindrel::agma
