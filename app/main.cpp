// Entry point of the installer: the real services, the installer's windows.
#include <windows.h>

#include "app/InstallerWindows.h"
#include "app/ProgramMain.h"
#include "services/Win32Services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    varnesse::Win32Services services(varnesse::InstallerWindows);
    int32_t exitCode = varnesse::ProgramMain(services);
    services.EndProgram(exitCode);
}
