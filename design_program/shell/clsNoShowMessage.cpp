#include "shell/clsNoShowMessage.h"

#include "shell/T_RegistryIO.h"

#include "dialogs/MessageBox.h"

namespace cindrel::shell {

namespace {

T_RegistryIO storeAccess(runtime::RunLog& runLog, registry::Store& store, const std::string& keyPath)
{
    T_RegistryIO io(runLog, store);
    io.Root = static_cast<std::int32_t>(registry::root::CurrentUser);
    io.Path = keyPath;
    return io;
}

} // namespace

clsNoShowMessage::clsNoShowMessage(runtime::RunLog& runLog, registry::Store& store, std::string_view productName)
    : runLog_(runLog), store_(store),
      keyPath_("Software\\" + std::string(productName) + "\\Preferences\\CheckedMessageBoxes")
{
}

bool clsNoShowMessage::ReadNoShowFlag(std::string_view valueName)
{
    return storeAccess(runLog_, store_, keyPath_).ReadBoolean("", valueName, false);
}

void clsNoShowMessage::SaveNoShowFlag(std::string_view valueName)
{
    storeAccess(runLog_, store_, keyPath_).WriteBoolean("", valueName, true);
}

std::int32_t clsNoShowMessage::ShowMessage(std::string_view Message, std::string_view RegistryValueName,
                                           std::int32_t Buttons)
{
    if (ReadNoShowFlag(RegistryValueName))
        return 0;
    dialogs::CheckableMessageRequest request;
    request.text = QString::fromStdString(std::string(Message));
    request.title = QString::fromStdString(std::string(RegistryValueName));
    request.buttonBits = Buttons & (OK | Yes | No | Cancel);
    const dialogs::CheckableMessageAnswer answer = dialogs::checkableMessage(request);
    const bool remembered = answer.button == OK || answer.button == Yes || answer.button == No;
    if (remembered && answer.checked)
        SaveNoShowFlag(RegistryValueName);
    return answer.button == OK || answer.button == Yes || answer.button == No || answer.button == Cancel ? answer.button
                                                                                                          : 0;
}

} // namespace cindrel::shell
