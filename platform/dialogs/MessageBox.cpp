#include "dialogs/MessageBox.h"

#include "dialogs/DialogProvider.h"

#include <QCoreApplication>

#include <algorithm>

namespace dialogs {

namespace {

constexpr int ButtonSetMask = 0x0F;
constexpr int IconMask = 0x70;
constexpr int DefaultButtonMask = 0xF00;

QString& settableDefaultTitle() {
    static QString title;
    return title;
}

int iconFromStyle(int style) {
    const int icon = style & IconMask;
    switch (icon) {
    case IconCritical:
    case IconQuestion:
    case IconExclamation:
    case IconInformation: return icon;
    default: return IconNone;
    }
}

QString titleOrDefault(const QString& title) { return title.isEmpty() ? defaultTitle() : title; }

} // namespace

std::vector<int> MessageBoxRequest::buttons() const {
    switch (buttonSet) {
    case OKCancel: return {ButtonOK, ButtonCancel};
    case AbortRetryIgnore: return {ButtonAbort, ButtonRetry, ButtonIgnore};
    case YesNoCancel: return {ButtonYes, ButtonNo, ButtonCancel};
    case YesNo: return {ButtonYes, ButtonNo};
    case RetryCancel: return {ButtonRetry, ButtonCancel};
    default: return {ButtonOK};
    }
}

int closedBoxAnswer(const MessageBoxRequest& request) {
    const std::vector<int> shown = request.buttons();
    for (int code : {ButtonCancel, ButtonNo, ButtonAbort})
        if (std::find(shown.begin(), shown.end(), code) != shown.end())
            return code;
    return shown.front();
}

void setDefaultTitle(const QString& title) { settableDefaultTitle() = title; }

QString defaultTitle() {
    if (!settableDefaultTitle().isEmpty())
        return settableDefaultTitle();
    return QCoreApplication::applicationName();
}

MessageBoxRequest messageBoxRequest(const QString& text, int style, const QString& title) {
    MessageBoxRequest request;
    request.text = text;
    request.title = titleOrDefault(title);
    const int buttonSet = style & ButtonSetMask;
    request.buttonSet = buttonSet <= RetryCancel ? buttonSet : OKOnly;
    request.icon = iconFromStyle(style);
    const std::vector<int> shown = request.buttons();
    const auto defaultIndex = static_cast<std::size_t>((style & DefaultButtonMask) / DefaultButton2);
    request.defaultButton = defaultIndex < shown.size() ? shown[defaultIndex] : shown.front();
    return request;
}

int messageBox(const QString& text, int style, const QString& title) {
    return messageBox(messageBoxRequest(text, style, title));
}

int messageBox(const MessageBoxRequest& request) {
    MessageBoxRequest complete = request;
    complete.title = titleOrDefault(request.title);
    return currentProvider().messageBox(complete);
}

CheckableMessageAnswer checkableMessage(CheckableMessageRequest request) {
    request.title = titleOrDefault(request.title);
    return currentProvider().checkableMessage(request);
}

} // namespace dialogs
