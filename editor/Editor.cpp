#include "editor/Editor.h"

#include "content/ContentReport.h"
#include "editor/EditorClock.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorDocument.h"
#include "editor/EditorMapFile.h"
#include "editor/EditorPanel.h"
#include "editor/EditorTrace.h"
#include "editor/EditorWorld.h"
#include "editor/MapCommands.h"
#include "overlays/AlertList.h"
#include "platform/engine/EngineOptions.h"
#include "platform/engine/ProgramStart.h"
#include "platform/registry/Registry.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const char* const kDefaultMap = "maps/map1.xml";

} // namespace

Editor::Editor() {
    SetTheEditor(this);
    Configure();
    cameraX = cameraY = 0;
    preview = false;
    cameraSpeed = 300.0f;
    Initialise();
    selectionBox = std::make_unique<CollisionBox>(&selectionX, &selectionY, 0.0f, 0.0f);
    viewBox = std::make_unique<CollisionBox>(&cameraX, &cameraY, static_cast<float>(screenWidth),
                                             static_cast<float>(screenHeight));
    engine->System_Start();
    if (GetEngineOptions().headless && m_playTest.Running()) {
        // What a scripted play-test writes is complete when the run ends.
        engine->System_Log("Play-test ended (exit code %d)", m_playTest.Wait());
    } else if (m_playTest.Running()) {
        // The play-test belongs to this editor: it goes when the editor does.
        m_playTest.Stop();
        engine->System_Log("Play-test ended with the editor");
    }
    if (m_userQuit) {
        m_recovery.Remove();
    }
    m_box.reset();
    engine->System_Shutdown();
    m_trace.reset();
    engine->Release();
    engine = nullptr;
}

Editor::~Editor() = default;

void Editor::Configure() {
    ProgramScreen screen;
    engine =
        CreateProgramEngine({[this] { return FrameFunc(); }, [this] { return RenderFunc(); },
                             [this] { return GfxRestoreFunc(); }, [this] { return ExitFunc(); }},
                            screen);
    screenWidth = screen.width;
    screenHeight = screen.height;
    testMode = engine->Ini_GetInt("CONFIGS", "testmode", 0) != 0;
}

void Editor::Initialise() {
    if (!engine->System_Initiate()) {
        return;
    }
    resources = std::make_unique<ResourceManager>("resources/game.res");
    resources->Precache(0);

    // In a real window message boxes are the editor's own, drawn; those of
    // start-up wait for the panel's font.
    m_box = std::make_unique<GuiQuestionBox>(screenWidth, screenHeight);
    m_box->TakeMessageBoxes();
    EngineContentReport report(*engine);
    EditorDefinitions& definitions = TheEditorDefinitions();
    definitions.Load(report);
    AlertList& alerts = Registry::Current().Get<AlertList>();
    alerts.SetClock([] { return TheEditorClock().time; });
    alerts.SetCamera([this](float& x, float& y) {
        x = cameraX;
        y = cameraY;
    });
    EditorWorld& world = TheEditorWorld();
    world.SetResources(resources.get());
    gui = std::make_unique<GuiManager>();

    const EngineOptions& options = GetEngineOptions();
    const std::string map = options.mapFile.empty() ? kDefaultMap : options.mapFile;
    m_startMap = map;
    m_startWithoutMap = options.mapFile.empty();
    m_document = std::make_unique<EditorDocument>(world, definitions);
    // A map that could not be read is a new one: its first save asks where,
    // so a broken file (or one that is no map) is not overwritten unasked.
    if (OpenMapFile(*engine, world, map, definitions).Loaded()) {
        m_document->MarkSaved(map);
    }

    TheEditorClock().cursor = resources->GetSprite("cursor");
    textFont = std::make_unique<BitmapFont>("fonts/font.fnt", false);
    panelFont = std::make_unique<BitmapFont>("fonts/font3.fnt", false);

    EditorPanel& panel = TheEditorPanel();
    panel.Build(*gui, panelFont.get(), definitions, resources.get(), screenHeight);
    mode = 2;
    panel.FillList(mode);
    m_commands =
        std::make_unique<MapCommands>(*engine, world, *m_document, definitions, panelFont.get(),
                                      panel.MenuTexture(), screenWidth, screenHeight);
    m_commands->onOpened = [this](const std::string& path) { OfferRecovery(path); };
    m_box->SetLook(panelFont.get(), panel.MenuTexture());
    m_commands->askYesNo = [this](const std::string& title, const std::string& text,
                                  std::function<void(bool)> answered) {
        AskYesNo(title, text, std::move(answered));
    };
    UpdateTitle();
    CatchTermination();
    m_viewPrefs.Load(*engine, grid, preview);
    m_reload.Start();

    if (!options.traceFile.empty()) {
        m_trace = std::make_unique<EditorTrace>(options.traceFile);
        engine->System_SetState(ENGINE_FRAMEENDFUNC, [this] {
            m_trace->Write(*this);
            return false;
        });
    }
}

void Editor::UpdateTitle() {
    if (!m_document) {
        return;
    }
    std::string title = m_document->Title();
    if (title != m_title) {
        m_title = std::move(title);
        engine->System_SetState(ENGINE_TITLE, m_title.c_str());
    }
}

float Editor::NextZoom(float zoom, int notches) {
    static constexpr float kSteps[] = {0.25f, 0.5f, 0.75f, 1.0f, 1.5f, 2.0f};
    constexpr int kCount = static_cast<int>(std::size(kSteps));
    int at = 0;
    while (at + 1 < kCount && kSteps[at] < zoom) {
        ++at;
    }
    return kSteps[std::clamp(at + notches, 0, kCount - 1)];
}

float Editor::SnapToGrid(float c) {
    // The remainder keeps the dividend's sign: non-negative coordinates go
    // down to the multiple of 32 below, negative ones up to the one above.
    return c - std::fmod(static_cast<float>(std::lround(c)), 32.0f);
}
