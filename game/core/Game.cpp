#include "game/core/Game.h"

#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "game/actors/OrbDisplay.h"
#include "game/actors/Player.h"
#include "game/actors/SpellManager.h"
#include "game/audio/SoundManager.h"
#include "game/core/GameAudioHost.h"
#include "game/core/GameClock.h"
#include "game/core/GameTrace.h"
#include "game/core/ScreenEffects.h"
#include "game/world/World.h"
#include "overlays/AlertList.h"
#include "platform/engine/EngineOptions.h"
#include "platform/engine/ProgramStart.h"
#include "platform/registry/Registry.h"

#include <cmath>

namespace {

const char* const kDefaultMap = "maps/map1.xml";

} // namespace

Game::Game() {
    SetTheGame(this);
    Configure();
    cameraX = cameraY = 0;
    score = 0;
    pauseDuration = lastRunningTime = 0;
    worstFps = bestFps = currentFps = averageFps = 0;
    mouseX = static_cast<float>(screenWidth / 2);
    mouseY = static_cast<float>(screenHeight / 2);
    Initialise();
    viewBox = std::make_unique<CollisionBox>(&cameraX, &cameraY, static_cast<float>(screenWidth),
                                             static_cast<float>(screenHeight), 0.0f, 0.0f);
    paused = false;
    state = 2;
    engine->System_Start();
    engine->System_Shutdown();
    m_trace.reset();
    engine->Release();
    engine = nullptr;
}

Game::~Game() = default;

void Game::Configure() {
    ProgramScreen screen;
    engine =
        CreateProgramEngine({[this] { return FrameFunc(); }, [this] { return RenderFunc(); },
                             [this] { return GfxRestoreFunc(); }, [this] { return ExitFunc(); }},
                            screen);
    screenWidth = screen.width;
    screenHeight = screen.height;
    difficulty = engine->Ini_GetFloat("CONFIGS", "default_difficulty", 1.5f);
    testMode = engine->Ini_GetInt("CONFIGS", "testmode", 0) != 0;
    speed = engine->Ini_GetFloat("CONFIGS", "speed", 150.0f);
}

void Game::Initialise() {
    if (!engine->System_Initiate()) {
        return;
    }
    resources = std::make_unique<ResourceManager>("resources/game.res");
    resources->Precache(0);

    // The process-wide instances, in the order they are built on each other.
    SoundManager& sounds = TheSoundManager();
    m_audioHost = std::make_unique<GameAudioHost>();
    sounds.SetHost(m_audioHost.get());
    // The definitions hand the dialogue sounds and the music to the sounds.
    SetDefinitionSoundRegistrar(&sounds);
    DefinitionDatabase& definitions = TheDefinitionDatabase();
    // Dialogues come next, then these.
    ThePlayer();
    AlertList& alerts = Registry::Current().Get<AlertList>();
    alerts.SetClock([] { return TheGameClock().time; });
    alerts.SetCamera([this](float& x, float& y) {
        x = cameraX;
        y = cameraY;
    });
    TheSpellManager();
    // Enemies take their place here, before the world.
    TheWorld().SetResources(resources.get());
    GameClock& clock = TheGameClock();

    clock.cursor = resources->GetSprite("cursor");
    if (clock.cursor) {
        clock.cursor->SetHotSpot(16, 16);
    }
    hudFont = std::make_unique<BitmapFont>("fonts/font.fnt", false);
    secondFont = std::make_unique<BitmapFont>("fonts/font.fnt", false);
    InitOrbDisplay(*resources);
    renderTarget = engine->Target_Create(screenWidth, screenHeight, false);
    ScreenEffects& effects = TheScreenEffects();
    effects.mode = 0;
    effects.shaderIndex = 0;

    const EngineOptions& options = GetEngineOptions();
    EngineContentReport report(*engine);
    TheWorld().LoadMap(options.mapFile.empty() ? kDefaultMap : options.mapFile, definitions,
                       effects.EffectManager(), report);
    if (!options.traceFile.empty()) {
        m_trace = std::make_unique<GameTrace>(options.traceFile);
        engine->System_SetState(ENGINE_FRAMEENDFUNC, [this] {
            m_trace->Write(*this);
            return false;
        });
    }
}

bool Game::GfxRestoreFunc() {
    TheScreenEffects().UsePicture(engine->Target_GetTexture(renderTarget));
    return false;
}

void Game::CameraStep(float direction, float stepSpeed) {
    const float radians = direction / 57.2957763671875f;
    const float delta = TheGameClock().delta;
    cameraX += std::cos(radians) * stepSpeed * delta;
    cameraY += std::sin(radians) * stepSpeed * delta;
}
