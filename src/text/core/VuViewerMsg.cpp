#include "text/core/VuViewerMsg.h"

#include <cstdio>
#include <mutex>

#include "text/core/VuxSProc.h"

TVuViewerMessages ViewerMessages;

namespace {

std::mutex gHandlerLock;
TVuMessageHandler gHandler;

}  // namespace

void SetViewerMessageHandler(TVuMessageHandler handler)
{
    std::lock_guard guard(gHandlerLock);
    gHandler = std::move(handler);
}

void ViewerMessage(const std::u16string& text)
{
    TVuMessageHandler handler;
    {
        std::lock_guard guard(gHandlerLock);
        handler = gHandler;
    }
    // The handler runs unlocked: a message box runs a nested event loop.
    if (handler) {
        handler(text, ViewerMessages.Caption);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", Utf16ToUtf8(ViewerMessages.Caption).c_str(), Utf16ToUtf8(text).c_str());
}
