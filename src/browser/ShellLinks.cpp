#include "browser/ShellLinks.h"

IShellFrame* g_pMainFrame = nullptr;
ILauncherWindow* g_pHtmlWnd = nullptr;
