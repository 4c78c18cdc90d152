// probe.exe OPERATION ARG...: exit code 0 when the operation ran, 2 for an
// unknown operation or a wrong argument count.
#include <cstdio>
#include <cstring>

#include "probe/Probe.h"
#include "services/Win32Services.h"

namespace {

std::vector<varnesse::probe::ProbeCommand> AllCommands() {
    using namespace varnesse::probe;
    std::vector<ProbeCommand> all;
    for (auto group : {TextCommands, ShellCommands, DiskCommands, PictureCommands, ArchiveCommands, WindowCommands}) {
        for (const ProbeCommand& command : group()) all.push_back(command);
    }
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe.exe OPERATION ARG...\n");
        return 2;
    }
    varnesse::probe::Arguments arguments(argv + 2, argv + argc);
    for (const auto& command : AllCommands()) {
        if (std::strcmp(command.name, argv[1]) != 0) continue;
        int count = argc - 2;
        if (count < command.minimumArguments || count > command.maximumArguments) {
            std::fprintf(stderr, "probe.exe: %s takes %d to %d arguments\n", command.name,
                         command.minimumArguments, command.maximumArguments);
            return 2;
        }
        varnesse::Win32Services services;
        int code = command.run(services, arguments);
        std::fflush(stdout);
        return code;
    }
    std::fprintf(stderr, "probe.exe: unknown operation %s\n", argv[1]);
    return 2;
}
