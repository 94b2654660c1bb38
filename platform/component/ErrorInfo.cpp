#include "component/ErrorInfo.h"

#include <utility>

namespace component {

namespace {
// One per thread, in this library alone, so every module of the process shares it.
thread_local std::optional<ErrorInfo> threadError;
} // namespace

void setErrorInfo(ErrorInfo info)
{
    threadError = std::move(info);
}

std::optional<ErrorInfo> takeErrorInfo()
{
    std::optional<ErrorInfo> taken = std::move(threadError);
    threadError.reset();
    return taken;
}

void clearErrorInfo()
{
    threadError.reset();
}

} // namespace component
