// The game object: constructing it runs the whole program (configuration,
// start-up, the frame loop, shut-down). Everything else reaches it through
// TheGame().
#pragma once

#include "game/core/GamepadControls.h"
#include "game/core/PlayerSettings.h"
#include "platform/engine/Engine.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/CollisionBox.h"
#include "toolkit/ResourceManager.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class GameAudioHost;
class GameMenu;
class GameTrace;
class MapWatch;
class GuiQuestionBox;

class Game : Pinned {
public:
    Game();
    // A game object that runs nothing: the engine, its screen size, the view
    // box and the pointer that everything reaches it by. For tests.
    struct Detached {};
    explicit Game(Detached);
    ~Game();

    // Frame and render functions, registered with the engine.
    bool FrameFunc();
    bool RenderFunc();
    bool GfxRestoreFunc();
    bool ExitFunc() { return true; }

    std::map<std::string, float> actionCooldowns;
    // The actions that took effect this frame, in order, for the trace.
    std::vector<std::string> actionsRun;
    float mouseX = 0;
    float mouseY = 0;
    std::unique_ptr<CollisionBox> viewBox;
    float speed = 150.0f;
    std::unique_ptr<BitmapFont> hudFont;
    std::unique_ptr<BitmapFont> secondFont;
    HTARGET renderTarget = 0;
    Engine* engine = nullptr;
    bool paused = false;
    // P holds a pause until it is pressed again.
    bool heldPause = false;
    bool arrived = false; // the player has touched where it starts
    float pauseDuration = 0;
    float lastRunningTime = 0;
    bool testMode = false;
    // --peaceful: no enemy group at start-up, "addgroup" actions ignored.
    bool peaceful = false;
    int screenWidth = 1024;
    int screenHeight = 768;
    float cameraX = 0;
    float cameraY = 0;
    int worstFps = 0;
    int bestFps = 0;
    int currentFps = 0;
    int averageFps = 0;
    float difficulty = 1.5f;
    float score = 0;
    int state = 0;
    std::unique_ptr<ResourceManager> resources;
    PlayerSettings settings;
    // The Esc menu (null before start-up).
    const GameMenu* Menu() const { return m_menu.get(); }

private:
    void Configure();
    void Initialise();
    void HandleKeys();
    // Esc: a book, the inventory, else the menu. False when the game ends.
    bool HandleMenu(int& key);
    // A setting changed in the menu takes effect at once and is kept.
    void ApplySetting(const char* key, int value);
    // The voice and the music hold while the game is held by P or the menu.
    void HoldSounds();
    // The gamepad's keys for this frame; an unplugged one holds the game
    // in the menu.
    void ReadGamepad(bool boxOpen);
    void AdvanceUnpaused();
    void UpdateFpsStatistics();
    void LogStatistics();
    void MovePlayer();
    void GiveStartingItems();
    void WorldPass();
    void HudPass();

    bool m_detached = false;
    std::unique_ptr<GameTrace> m_trace;
    std::unique_ptr<MapWatch> m_mapWatch; // --watch
    std::unique_ptr<GameAudioHost> m_audioHost;
    // In a real window the game draws its own message boxes (desktop boxes
    // need fonts many desktops lack); those of start-up wait for the box.
    std::unique_ptr<GuiQuestionBox> m_box;
    HTEXTURE m_boxButtons = 0;
    std::unique_ptr<GameMenu> m_menu;
    GamepadControls m_pad;
    // The menu took this frame's key: nothing under it sees the click.
    bool m_menuTookKey = false;
    // The "fps" setting, which vsync stands in for when it is 0.
    int m_frameCap = 0;
};

// The game being run (null before it is constructed).
Game* TheGame();
void SetTheGame(Game* game);
