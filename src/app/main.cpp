#include <windows.h>

#include "app/VoraneApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    static CVoraneApp theApp;
    return RunApplication(theApp);
}
