// The AGMA factors window as it loads: its saved controls in the order design
// files hold them, its pages free of overlapping controls and cut captions,
// and the state that loading leaves.
#include "AgmaWindowFixture.h"

#include "forms/Frame.h"
#include "forms/MenuItem.h"
#include "forms/PictureBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QTabBar>

#include <map>
#include <utility>
#include <vector>

namespace {

// Design-file keys of the saved controls, collected in creation order: an
// array member is added under the bare key when that key is free; when it is
// held, the holder is re-keyed with "#" and its index and the new member is
// added with "#" and its own.
std::vector<std::string> designFileOrder(forms::Form& form)
{
    std::vector<std::pair<std::string, const forms::Control*>> collection;
    for (const forms::Control* control : form.savedControls()) {
        const std::string key = form.name().toStdString() + "_" + control->name().toStdString();
        const auto held = std::find_if(collection.begin(), collection.end(),
                                       [&](const auto& entry) { return entry.first == key; });
        if (!control->isArrayMember() || held == collection.end()) {
            collection.emplace_back(key, control);
            continue;
        }
        held->first = key + "#" + std::to_string(held->second->index());
        collection.emplace_back(key + "#" + std::to_string(control->index()), control);
    }
    // Written in the reverse of the order collected.
    std::vector<std::string> keys;
    for (auto entry = collection.rbegin(); entry != collection.rend(); ++entry)
        keys.push_back(entry->first);
    return keys;
}

} // namespace

TEST_F(AgmaWindowTest, SavedControlsKeepTheOrderAndFieldsOfTheDesignFile)
{
    // The window's records of a design file, in file order, with their data fields.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"frmAGMA_lblRecordKey#1", "AGMARecordKeyG"},
        {"frmAGMA_lblRecordKey#0", "AGMARecordKeyP"},
        {"frmAGMA_chkReversing#0", "AGMAReversingP"},
        {"frmAGMA_chkReversing#1", "AGMAReversingG"},
        {"frmAGMA_txtBHN#0", "AGMAHardnessP"},
        {"frmAGMA_txtBHN#1", "AGMAHardnessG"},
        {"frmAGMA_chkBestMats#0", "BestMaterialAndConditions"},
        {"frmAGMA_chkBestMats#1", "BestMaterialAndConditions"},
        {"frmAGMA_lblComboQuality#0", "AGMAKvQuality"},
        {"frmAGMA_lblComboQuality#1", "AGMAKvQuality"},
        {"frmAGMA_txtKV", "AGMAKvFactor"},
        {"frmAGMA_lbloptGearStyle", "AGMAKmGearStyle"},
        {"frmAGMA_chkCE", "AGMAKmCe"},
        {"frmAGMA_chkCMC", "AGMAKmCmc"},
        {"frmAGMA_txtKmOffset", "AGMAKmOffset"},
        {"frmAGMA_txtKmSpan", "AGMAKmBearingSpan"},
        {"frmAGMA_txtKm", "AGMAKmFactor"},
        {"frmAGMA_txtKt", "AGMAKtFactor"},
        {"frmAGMA_lblKoSelection", "AGMAKoSelection"},
        {"frmAGMA_txtKo", "AGMAKoFactor"},
        {"frmAGMA_lblKrSelection", "ReliabilityFactorOption"},
        {"frmAGMA_txtKr", "AGMAKrFactor"},
        {"frmAGMA_txtKs", "AGMAKsFactor"},
        {"frmAGMA_chkConservative#1", "AGMAZnConservativeG"},
        {"frmAGMA_chkConservative#0", "AGMAZnConservativeP"},
        {"frmAGMA_txtContacts#1", "AGMAZnNumberContactsG"},
        {"frmAGMA_txtContacts#0", "AGMAZnNumberContactsP"},
        {"frmAGMA_txtLife", "AGMAZnGearCycles"},
        {"frmAGMA_txtLife#2", "AGMAZnHours"},
        {"frmAGMA_txtLife#0", "AGMAZnPinionCycles"},
        {"frmAGMA_txtZn#1", "AGMAZnG"},
        {"frmAGMA_txtYn#1", "AGMAYnG"},
        {"frmAGMA_txtZn#0", "AGMAZnP"},
        {"frmAGMA_txtYn#0", "AGMAYnP"},
        {"frmAGMA_txtCf", "AGMACfFactor"},
        {"frmAGMA_txtSf#0", "AGMASfP"},
        {"frmAGMA_txtSf#1", "AGMASfG"},
        {"frmAGMA_txtSh#0", "AGMAShP"},
        {"frmAGMA_txtSh#1", "AGMAShG"},
        {"frmAGMA_txtCh#1", "AGMAChFactorG"},
        {"frmAGMA_txtSurfaceBHN#1", "AGMAChMinSurfaceHardnessG"},
        {"frmAGMA_txtSurfaceBHN#0", "AGMAChMinSurfaceHardnessP"},
        {"frmAGMA_txtCh#0", "AGMAChFactorP"},
        {"frmAGMA_txtRMS", "AGMAPinionSurfaceRa"},
        {"frmAGMA_txtKb#0", "AGMAKbFactorP"},
        {"frmAGMA_txtKBin#1", "AGMAKbRimThicknessP"},
        {"frmAGMA_txtKBin#0", "AGMAKbWholeDepthP"},
        {"frmAGMA_txtKb#1", "AGMAKbFactorG"},
        {"frmAGMA_txtKBin#3", "AGMAKbRimThicknessG"},
        {"frmAGMA_txtKBin#2", "AGMAKbWholeDepthG"},
        {"frmAGMA_txtInps", "AGMASpeedRPMPinion"},
    };
    forms::Form& window = load();
    const std::vector<std::string> keys = designFileOrder(window);
    ASSERT_EQ(keys.size(), expected.size());
    std::vector<forms::Control*> saved = window.savedControls();
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(keys[k], expected[k].first) << "record " << k;
        EXPECT_EQ(saved[saved.size() - 1 - k]->dataField().toStdString(), expected[k].second) << expected[k].first;
    }
}

namespace {

// The controls laid out on one container (and one of its tabs).
using Siblings = std::map<std::pair<const forms::Control*, int>, std::vector<forms::Control*>>;

bool onAPage(const forms::Control* control)
{
    for (const forms::Control* c = control->container(); c != nullptr; c = c->container())
        if (c->name() == QStringLiteral("pict"))
            return true;
    return false;
}

int pixels(double twips) { return static_cast<int>(twips / 15.0); }

// Why a control's caption does not fit it with its font, or empty.
std::string captionProblem(forms::Control& control)
{
    QString caption;
    int extra = 0;
    const QStyle* style = QApplication::style();
    const bool wraps = [&] {
        const auto* label = qobject_cast<const QLabel*>(control.widget());
        return label != nullptr && label->wordWrap();
    }();
    if (auto* label = dynamic_cast<forms::Label*>(&control)) {
        caption = label->caption();
    } else if (auto* box = dynamic_cast<forms::CheckBox*>(&control)) {
        caption = box->caption();
        extra = style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
    } else if (auto* option = dynamic_cast<forms::OptionButton*>(&control)) {
        caption = option->caption();
        extra = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) + 2;
    } else if (auto* button = dynamic_cast<forms::CommandButton*>(&control)) {
        caption = button->caption();
        extra = 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    } else if (auto* frame = dynamic_cast<forms::Frame*>(&control)) {
        caption = frame->caption();
        extra = 16;
    }
    caption.remove(QLatin1Char('&'));
    if (caption.isEmpty() || (control.width() == 0 && !control.visible()))
        return {};
    const QFontMetrics metrics(control.font());
    const int width = pixels(control.width());
    const int height = pixels(control.height());
    const QRect needed = wraps ? metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, caption)
                               : QRect(0, 0, metrics.horizontalAdvance(caption) + extra, metrics.height());
    if (needed.width() > width || (control.kind() != forms::ControlKind::Frame && needed.height() > height))
        return control.displayName().toStdString() + " \"" + caption.toStdString() + "\" needs " +
               std::to_string(needed.width()) + "x" + std::to_string(needed.height()) + " px, has " +
               std::to_string(width) + "x" + std::to_string(height);
    return {};
}

} // namespace

TEST_F(AgmaWindowTest, NoControlsOfAPageOverlapAndEveryCaptionFits)
{
    const QFont previous = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    ASSERT_TRUE(QFontInfo(QApplication::font()).family().startsWith(QStringLiteral("DejaVu")))
        << QFontInfo(QApplication::font()).family().toStdString();
    forms::Form& window = load();
    // The wider units and the larger member button are met too.
    label("lblHardType1", 0).setCaption(QStringLiteral("PSI min tensile strength"));
    label("lblHardType1", 1).setCaption(QStringLiteral("BHN surface hardness"));
    form().get<forms::CommandButton>(q("cmdPoG"), 1).click();
    form().get<forms::CommandButton>(q("cmdPoG"), 0).click();
    QFont large = form().get<forms::CommandButton>(q("cmdPoG"), 0).font();
    form().get<forms::CommandButton>(q("cmdPoG"), 1).setFont(large);

    Siblings siblings;
    for (forms::Control* control : window.controls()) {
        if (control->widget() == nullptr || !onAPage(control))
            continue;
        EXPECT_EQ(captionProblem(*control), "");
        if (control->width() > 0 && control->height() > 0)
            siblings[{control->container(), control->containerTab()}].push_back(control);
    }
    for (const auto& [place, controls] : siblings)
        for (std::size_t a = 0; a < controls.size(); ++a)
            for (std::size_t b = a + 1; b < controls.size(); ++b) {
                const QRectF first(controls[a]->left(), controls[a]->top(), controls[a]->width(), controls[a]->height());
                const QRectF second(controls[b]->left(), controls[b]->top(), controls[b]->width(), controls[b]->height());
                EXPECT_FALSE(first.intersects(second))
                    << controls[a]->displayName().toStdString() << " overlaps " << controls[b]->displayName().toStdString();
            }
    // Every tab caption shows without scrolling the tabs.
    for (const char* strip : {"tabMain", "TabKb"}) {
        const auto* bar = form().get<forms::TabStrip>(q(strip)).widget()->findChild<QTabBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_LE(bar->sizeHint().width(), pixels(form().get<forms::TabStrip>(q(strip)).width())) << strip;
    }
    // The window holds its tabs and buttons.
    EXPECT_LE(tabs().left() + tabs().width(), window.scaleWidth());
    EXPECT_LE(form().find(q("cmdNext"))->left() + form().find(q("cmdNext"))->width(), window.scaleWidth());
    // Every page fits in its tab, and every control in its page.
    for (const auto& [place, controls] : siblings) {
        const forms::Control* container = place.first;
        for (const forms::Control* control : controls) {
            EXPECT_LE(control->left() + control->width(), container->width()) << control->displayName().toStdString();
            EXPECT_LE(control->top() + control->height(), container->height()) << control->displayName().toStdString();
        }
    }
    agma.reset();
    windows.reset();
    QApplication::setFont(previous);
}

TEST_F(AgmaWindowTest, LoadingShowsTheFirstPageWithThePinionCurrentAndNothingChosen)
{
    load();
    EXPECT_FALSE(agma->state().StopTheEvents);
    EXPECT_EQ(tabs().selectedTab(), 0);
    for (int page = 0; page < 9; ++page)
        EXPECT_EQ(visible("pict", page), page == 0) << page;
    EXPECT_FALSE(visible("cmdNext"));
    EXPECT_FALSE(form().get<forms::MenuItem>(q("mnuMaterials")).visible());
    // The pinion's material boxes take input, the gear's do not.
    EXPECT_TRUE(box("txtBHN", 0).enabled());
    EXPECT_FALSE(box("txtBHN", 1).enabled());
    EXPECT_EQ(agma->state().CurrentMember, 0);
    EXPECT_EQ(tree().nodeCount(), 65);
    EXPECT_EQ(tree().text(q("0a")).toStdString(), "AGMA 2001-C95");
    ASSERT_EQ(combo("cmbKV", 0).listCount(), 8);
    EXPECT_EQ(combo("cmbKV", 1).list(0).toStdString(), "Quality = 12");
    EXPECT_EQ(combo("cmbKV", 1).list(7).toStdString(), "very accurate gearing");
    EXPECT_EQ(text("txtLife", 0), "10000000");
    EXPECT_EQ(text("txtKo"), "1.0");
    EXPECT_EQ(text("txtKr"), "1.0");
    for (int k = 0; k < 7; ++k)
        EXPECT_FALSE(option("optKo", k).isSelected());
    for (int k = 0; k < 5; ++k)
        EXPECT_FALSE(option("optKR", k).isSelected());
    EXPECT_FALSE(visible("CmdnotesKr"));
    EXPECT_EQ(agma->state().NotesTop, 5600);
    EXPECT_EQ(label("lblHelpText").top(), 5600);
    EXPECT_TRUE(log.errors.empty());
    EXPECT_EQ(messageCount(), 0u);
}

// The notes area follows the preference read at loading, shown or hidden, and
// the defaults and the unchosen options do not depend on it.
TEST_F(AgmaWindowTest, LoadingSetsTheNotesAreaFromThePreference)
{
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown);
        agma.reset();
        windows.reset();
        showNotesPreference = shown;
        load().show();
        QCoreApplication::processEvents();
        EXPECT_EQ(agma->state().NotesShown, shown);
        EXPECT_EQ(form().get<forms::MenuItem>(q("mnuNotes")).checked(), shown);
        // The client area is whole pixels: within one pixel (15 twips) of the goal.
        EXPECT_NEAR(form().scaleHeight(), 5600 + (shown ? 1300 : 0), 15);
        for (const char* name : {"cmdNotesKV", "cmdNotesKM", "cmdNotesCh", "lblHelpText", "ImaPat"})
            EXPECT_EQ(visible(name), shown) << name;
        for (const char* name : {"mnuBendEq", "mnuPittingEq", "mnuAbout"})
            EXPECT_EQ(form().get<forms::MenuItem>(q(name)).visible(), shown) << name;
        // The bending picture is the one in place, the pitting one moved out.
        EXPECT_EQ(form().get<forms::PictureBox>(q("ImaPat")).left(), 250);
        EXPECT_GT(form().get<forms::PictureBox>(q("imaPac")).left(), form().scaleWidth());
        EXPECT_EQ(label("lblHelpText").caption(), QString());
        EXPECT_FALSE(visible("cmdNext"));
        EXPECT_FALSE(visible("CmdnotesKr"));
        for (int k = 0; k < 7; ++k)
            EXPECT_FALSE(option("optKo", k).isSelected()) << k;
        for (int k = 0; k < 5; ++k)
            EXPECT_FALSE(option("optKR", k).isSelected()) << k;
        EXPECT_EQ(text("txtKo"), "1.0");
        EXPECT_EQ(text("txtKr"), "1.0");
        EXPECT_EQ(text("txtLife", 0), "10000000");
        EXPECT_EQ(tabs().selectedTab(), 0);
        EXPECT_EQ(messageCount(), 0u);
    }
}

TEST_F(AgmaWindowTest, ABadMaterialFileIsToldOnceAndTheOthersLoad)
{
    const std::string header = "h1\r\nh2\r\nh3\r\nh4\r\n";
    writeProgramFile("b_good.tbl", header + "0,,,My steels\r\n1,0,4,Mine,Through Hardened steel,Shop,29000000,0.3\r\n");
    writeProgramFile("a_bad.tbl", header + "0,,,Top\r\n0,,,Again\r\n");
    load();
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_NE(lastMessage().find("a_bad.tbl"), std::string::npos);
    EXPECT_EQ(lastMessage().find("b_good.tbl"), std::string::npos);
    EXPECT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(tree().nodeCount(), 67);

    chooseMaterial(0, 66);
    EXPECT_EQ(text("txtYoungs", 0), "29,000,000");
    EXPECT_EQ(text("lblMatSourceType", 0), "User defined material table; b_good.tbl");
    EXPECT_EQ(text("lblMatSource", 0).rfind("My steels\\Mine: ", 0), 0u) << text("lblMatSource", 0);
}

TEST_F(AgmaWindowTest, CallsFromTheDesignFileLoadTheWindowFirst)
{
    windows = std::make_unique<forms::Forms>();
    cindrel::agma::AgmaWindowServices services;
    services.programFolder = [this] { return folder.path(); };
    agma = std::make_unique<cindrel::agma::frmAGMA>(*windows, std::move(services));
    ASSERT_FALSE(windows->isLoaded(q("frmAGMA")));
    agma->lblRecordKey_Change(1);
    EXPECT_TRUE(windows->isLoaded(q("frmAGMA")));
    EXPECT_EQ(agma->state().MaterialRow[1], 0);
    agma->BlankOutMaterialBoxes();
    EXPECT_EQ(text("txtBHN", 0), "");
}
