// The game object: constructing it runs the whole program (configuration,
// start-up, the frame loop, shut-down). Everything else reaches it through
// TheGame().
#pragma once

#include "platform/engine/Engine.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/CollisionBox.h"
#include "toolkit/ResourceManager.h"

#include <map>
#include <memory>
#include <string>

class GameAudioHost;
class GameTrace;

class Game : Pinned {
public:
    Game();
    ~Game();

    // Frame and render functions, registered with the engine.
    bool FrameFunc();
    bool RenderFunc();
    bool GfxRestoreFunc();
    bool ExitFunc() { return true; }

    // The camera takes the player's successful step (degrees, speed).
    void CameraStep(float direction, float speed);

    std::map<std::string, float> actionCooldowns;
    float mouseX = 0;
    float mouseY = 0;
    std::unique_ptr<CollisionBox> viewBox;
    float speed = 150.0f;
    std::unique_ptr<BitmapFont> hudFont;
    std::unique_ptr<BitmapFont> secondFont;
    HTARGET renderTarget = 0;
    Engine* engine = nullptr;
    bool paused = false;
    float pauseDuration = 0;
    float lastRunningTime = 0;
    bool testMode = false;
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

private:
    void Configure();
    void Initialise();
    void HandleKeys();
    void AdvanceUnpaused();
    void UpdateFpsStatistics();
    void LogStatistics();
    void WorldPass();
    void HudPass();

    std::unique_ptr<GameTrace> m_trace;
    std::unique_ptr<GameAudioHost> m_audioHost;
};

// The game being run (null before it is constructed).
Game* TheGame();
void SetTheGame(Game* game);
