#include "config/SystemPlaces.h"

#include <shlobj.h>

#include "platform/Process.h"

SYSTEM_PLACES RealSystemPlaces()
{
    SYSTEM_PLACES places;
    places.strModulePath = GetModulePath(true);
    wchar_t desktop[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE))
        places.strDesktopFolder = desktop;
    places.hUserRoot = HKEY_CURRENT_USER;
    places.hClassesRoot = HKEY_CLASSES_ROOT;
    return places;
}
