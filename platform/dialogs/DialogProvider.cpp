#include "dialogs/DialogProvider.h"

#include "dialogs/QtDialogProvider.h"

namespace dialogs {

namespace {

DialogProvider*& installedProvider() {
    static DialogProvider* provider = nullptr;
    return provider;
}

DialogProvider& qtProvider() {
    static QtDialogProvider provider;
    return provider;
}

} // namespace

DialogProvider& currentProvider() {
    DialogProvider* provider = installedProvider();
    return provider != nullptr ? *provider : qtProvider();
}

void setCurrentProvider(DialogProvider* provider) { installedProvider() = provider; }

ScopedDialogProvider::ScopedDialogProvider(DialogProvider& provider)
    : previous_(installedProvider()) {
    installedProvider() = &provider;
}

ScopedDialogProvider::~ScopedDialogProvider() { installedProvider() = previous_; }

} // namespace dialogs
