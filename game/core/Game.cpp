#include "game/core/Game.h"
#include "game/world/MapWatch.h"

#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "game/actors/EnemyManager.h"
#include "game/actors/OrbDisplay.h"
#include "game/actors/Player.h"
#include "game/actors/SpellManager.h"
#include "game/audio/SoundManager.h"
#include "game/core/GameAudioHost.h"
#include "game/core/GameClock.h"
#include "game/core/GameTrace.h"
#include "game/core/ScreenEffects.h"
#include "game/ui/DialogueManager.h"
#include "game/ui/GameMenu.h"
#include "game/ui/Inventory.h"
#include "game/world/World.h"
#include "overlays/AlertList.h"
#include "platform/engine/EngineOptions.h"
#include "platform/engine/ProgramStart.h"
#include "platform/registry/Registry.h"
#include "toolkit/GuiQuestionBox.h"
#include "toolkit/ResourceTextureFiles.h"
#include "toolkit/fx/ScratchFolder.h"

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
    m_box.reset();
    engine->System_Shutdown();
    m_trace.reset();
    RemoveScratchFolder();
    engine->Release();
    engine = nullptr;
}

Game::Game(Detached) : engine(EngineCreate(ENGINE_VERSION)), m_detached(true) {
    SetTheGame(this);
    screenWidth = engine->System_GetState(ENGINE_SCREENWIDTH);
    screenHeight = engine->System_GetState(ENGINE_SCREENHEIGHT);
    mouseX = static_cast<float>(screenWidth / 2);
    mouseY = static_cast<float>(screenHeight / 2);
    viewBox = std::make_unique<CollisionBox>(&cameraX, &cameraY, static_cast<float>(screenWidth),
                                             static_cast<float>(screenHeight), 0.0f, 0.0f);
    state = 2;
}

Game::~Game() {
    if (m_detached) {
        if (TheGame() == this) {
            SetTheGame(nullptr);
        }
        resources.reset();
        engine->Release();
    }
}

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
    settings = ReadPlayerSettings(*engine);
    m_frameCap = engine->System_GetState(ENGINE_FPS);
    // A window with no frame cap waits for the screen unless told not to.
    if (engine->System_GetState(ENGINE_FPS) == ENGINE_FPS_UNLIMITED && settings.vsync) {
        engine->System_SetState(ENGINE_FPS, ENGINE_FPS_VSYNC);
    }
}

void Game::Initialise() {
    // The script is read before the window opens, which on a software
    // renderer takes a quarter of a second of one core: its textures decode
    // on another meanwhile.
    resources = std::make_unique<ResourceManager>("resources/game.res");
    engine->Texture_DecodeAhead(TextureFilesOf(*resources));
    if (!engine->System_Initiate()) {
        return;
    }
    // In a real window message boxes are the game's own, drawn; those of
    // start-up wait for the font.
    m_box = std::make_unique<GuiQuestionBox>(screenWidth, screenHeight);
    m_box->TakeMessageBoxes();
    resources->Precache(0);

    // The process-wide instances, in the order they are built on each other.
    SoundManager& sounds = TheSoundManager();
    m_audioHost = std::make_unique<GameAudioHost>();
    sounds.SetHost(m_audioHost.get());
    sounds.SetVolumes(static_cast<float>(settings.musicVolume) / 100,
                      static_cast<float>(settings.voiceVolume) / 100);
    // The definitions hand the dialogue sounds and the music to the sounds.
    SetDefinitionSoundRegistrar(&sounds);
    DefinitionDatabase& definitions = TheDefinitionDatabase();
    TheDialogueManager();
    ThePlayer();
    AlertList& alerts = Registry::Current().Get<AlertList>();
    alerts.SetClock([] { return TheGameClock().time; });
    alerts.SetCamera([this](float& x, float& y) {
        x = cameraX;
        y = cameraY;
    });
    TheSpellManager();
    TheEnemyManager();
    TheWorld().SetResources(resources.get());
    GameClock& clock = TheGameClock();

    clock.cursor = resources->GetSprite("cursor");
    if (clock.cursor) {
        clock.cursor->SetHotSpot(16, 16);
    }
    hudFont = std::make_unique<BitmapFont>("fonts/font.fnt", false);
    secondFont = std::make_unique<BitmapFont>("fonts/font.fnt", false);
    m_boxButtons = engine->Texture_Load("gui/menugui.png", 0, false);
    m_box->SetLook(secondFont.get(), m_boxButtons);
    m_menu = std::make_unique<GameMenu>(screenWidth, screenHeight);
    InitOrbDisplay(*resources);
    renderTarget = engine->Target_Create(screenWidth, screenHeight, false);
    ScreenEffects& effects = TheScreenEffects();
    effects.mode = 0;
    effects.shaderIndex = 0;
    effects.hitEffects = settings.effects;

    const EngineOptions& options = GetEngineOptions();
    EngineContentReport report(*engine);
    const std::string map = options.mapFile.empty() ? kDefaultMap : options.mapFile;
    TheWorld().LoadMap(map, definitions, effects.EffectManager(), report);
    if (options.watchMap) {
        m_mapWatch = std::make_unique<MapWatch>(*engine, map);
    }
    if (options.hasStart) {
        // The camera keeps the player at the screen's centre, as at 0, 0.
        Player& player = ThePlayer();
        player.x = options.startX;
        player.y = options.startY;
        cameraX = options.startX - static_cast<float>(screenWidth / 2);
        cameraY = options.startY - static_cast<float>(screenHeight / 2);
    }
    GiveStartingItems();
    peaceful = options.peaceful;
    if (peaceful) {
        engine->System_Log("Peaceful: no enemy group at start-up");
    } else {
        TheEnemyManager().AddGroup(60, 0.0f, 500.0f, 1.0f, 10.0f, 2.5f);
    }
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

void Game::GiveStartingItems() {
    const ItemDefinition* key = TheDefinitionDatabase().Item("Key");
    if (!key) {
        engine->System_Log("No item is named \"Key\": the inventory starts empty");
        return;
    }
    Inventory& inventory = TheInventory();
    for (int cell : {1, 3}) {
        inventory.PutItemInCell(cell,
                                std::make_unique<ItemInstance>(*key, 40.0f, 50.0f, *resources));
    }
}
