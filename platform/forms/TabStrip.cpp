#include "TabStrip.h"

#include "AccessKey.h"

#include <QResizeEvent>
#include <QScopedValueRollback>

namespace forms {

class TabStrip::Surface : public QWidget {
public:
    explicit Surface(TabStrip& owner) : owner_(owner) {}
    void layoutPages() {
        const int barHeight = owner_.bar_->sizeHint().height();
        owner_.bar_->setGeometry(0, 0, width(), barHeight);
        for (QWidget* page : owner_.pages_)
            page->setGeometry(0, barHeight, width(), std::max(0, height() - barHeight));
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        layoutPages();
    }

private:
    TabStrip& owner_;
};

TabStrip::TabStrip(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::TabStrip, place.name, place.index, place.container, place.tab),
      surface_(new Surface(*this)), bar_(new QTabBar(surface_)) {
    bar_->setFocusPolicy(Qt::StrongFocus);
    bar_->setDrawBase(true);
    QObject::connect(bar_, &QTabBar::currentChanged, bar_, [this](int tab) {
        if (syncing_ || tab < 0)
            return;
        runFromWindowSystem("Click", [this, tab] { setSelectedTab(tab); });
    });
    attachWidget(surface_);
}

int TabStrip::addTab(const QString& caption) {
    auto* page = new QWidget(surface_);
    page->setVisible(false);
    pages_.push_back(page);
    captions_.push_back(caption);
    {
        const QScopedValueRollback syncingNow(syncing_, true);
        bar_->addTab(toQtMnemonic(caption));
    }
    surface_->layoutPages();
    const int tab = tabCount() - 1;
    if (selected_ < 0) {
        // The first tab is selected as the strip is built, without an event.
        selected_ = 0;
        showSelectedPage();
    }
    return tab;
}

void TabStrip::checkTab(int tab) const {
    if (tab < 0 || tab >= tabCount())
        raiseFormsError(InvalidPropertyValue);
}

QString TabStrip::tabCaption(int tab) const {
    checkTab(tab);
    return captions_[static_cast<std::size_t>(tab)];
}

void TabStrip::setTabCaption(int tab, const QString& caption) {
    checkTab(tab);
    captions_[static_cast<std::size_t>(tab)] = caption;
    bar_->setTabText(tab, toQtMnemonic(caption));
}

bool TabStrip::tabVisible(int tab) const {
    checkTab(tab);
    return bar_->isTabVisible(tab);
}

void TabStrip::setTabVisible(int tab, bool visible) {
    checkTab(tab);
    {
        const QScopedValueRollback syncingNow(syncing_, true);
        bar_->setTabVisible(tab, visible);
    }
    showSelectedPage();
}

void TabStrip::setSelectedTab(int tab) {
    checkTab(tab);
    if (tab == selected_) {
        showSelectedPage();
        return;
    }
    const int previous = selected_;
    selected_ = tab;
    showSelectedPage();
    onTabClick(previous);
}

void TabStrip::showSelectedPage() {
    if (selected_ >= 0 && bar_->currentIndex() != selected_) {
        const QScopedValueRollback syncingNow(syncing_, true);
        bar_->setCurrentIndex(selected_);
    }
    for (std::size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(static_cast<int>(i) == selected_);
}

QWidget* TabStrip::childArea(int tab) const {
    if (tab < 0 || tab >= tabCount())
        return nullptr;
    return pages_[static_cast<std::size_t>(tab)];
}

} // namespace forms
