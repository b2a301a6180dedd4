// The one application object of the launcher executable. Tests make their own.
#include "app/DorvexLauncherApp.h"

namespace dorvex {
CDorvexLauncherApp theApp;
}
