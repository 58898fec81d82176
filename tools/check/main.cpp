// duskmaw-check [DATA]: lists every problem of a content folder (default:
// the one the programs would use) as "file:line: message", then a summary.
// Exit 0 when clean, 1 when anything was found, 2 when it could not run.
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "tools/check/CheckReport.h"
#include "tools/check/ContentCheck.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    EngineOptions options;
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: %s [DATA]\n", argv[0]);
        return 2;
    }
    if (argc == 2) {
        options.dataDir = std::filesystem::absolute(argv[1]).string();
    }
    const std::string folder = EnterDataDirectory(options, argv[0]);
    if (folder.empty()) {
        std::fprintf(stderr, "%s: no content folder %s\n", argv[0], argc == 2 ? argv[1] : "");
        return 2;
    }
    // The resource parser reports into the engine log; keep it out of the
    // content folder and read it back.
    char logTemplate[] = "/tmp/duskmaw-check-XXXXXX";
    const int fd = mkstemp(logTemplate);
    if (fd < 0) {
        std::perror("duskmaw-check: temporary log");
        return 2;
    }
    close(fd);
    options.headless = true;
    options.noDialogs = true;
    options.logFile = logTemplate;
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    if (!engine->System_Initiate()) {
        std::fprintf(stderr, "duskmaw-check: the engine cannot start\n");
        engine->Release();
        std::remove(logTemplate);
        return 2;
    }
    CheckReport report;
    CheckContent(report, logTemplate);
    engine->System_Shutdown();
    engine->Release();
    std::remove(logTemplate);

    for (const std::string& line : report.Lines()) {
        std::printf("%s\n", line.c_str());
    }
    std::printf("duskmaw-check: %s: %d problem%s\n", folder.c_str(), report.Count(),
                report.Count() == 1 ? "" : "s");
    return report.Count() == 0 ? 0 : 1;
}
