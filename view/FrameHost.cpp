#include "view/FrameHost.h"

namespace {
CFrameHost* theHost = nullptr;
} // namespace

CFrameHost* AfxGetFrameHost()
{
    return theHost;
}

void SetFrameHost(CFrameHost* host)
{
    theHost = host;
}

void ShowPrompt(std::string_view utf8, bool warning)
{
    if (CFrameHost* host = AfxGetFrameHost())
        host->ShowPrompt(utf8, warning);
}

PromptLine CurrentPrompt()
{
    if (CFrameHost* host = AfxGetFrameHost())
        return host->CurrentPrompt();
    return {};
}
