// Entry point of the uninstaller.
#include <windows.h>

#include "services/Win32Services.h"
#include "uninstaller/UninstallerMain.h"
#include "uninstaller/UninstallerWindows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    varnesse::Win32Services services(varnesse::UninstallerWindows);
    int32_t exitCode = varnesse::UninstallerMain(services);
    services.EndProgram(exitCode);
}
