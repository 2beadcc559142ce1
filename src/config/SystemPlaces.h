// Where the start-up integration reads and writes. The client passes the
// real places; tests hand in temporary folders and registry keys.
#pragma once

#include <windows.h>

#include <string>

// An empty path or a null root means "not available": the steps that
// need it are left out. A default record therefore touches nothing.
struct SYSTEM_PLACES {
    std::wstring strModulePath;    // the executable's full path
    std::wstring strDesktopFolder; // where the shortcuts go
    HKEY hUserRoot = nullptr;      // settings and browser feature control
    HKEY hClassesRoot = nullptr;   // the plug-in's class registration
};

// The running program, the user's desktop folder (created if missing),
// HKEY_CURRENT_USER and HKEY_CLASSES_ROOT.
SYSTEM_PLACES RealSystemPlaces();
