// The application object: process start-up and the modal run of the launcher dialog.
#pragma once

#include "platform/framework.h"

namespace dorvex {

class CDorvexLauncherApp : public CWinAppEx {
public:
    CDorvexLauncherApp() : CWinAppEx(TRUE) {}
    BOOL InitInstance() override;
};

extern CDorvexLauncherApp theApp;

} // namespace dorvex
