// The engine behind the interface: states, the frame loop, time, input,
// textures and drawing, with a real window (SDL + OpenGL) or headless.
#pragma once

#include "platform/engine/Engine.h"
#include "platform/engine/EngineLog.h"
#include "platform/engine/EngineOptions.h"
#include "platform/engine/Gamepads.h"
#include "platform/engine/IniFile.h"
#include "platform/engine/InputScript.h"
#include "platform/engine/InputState.h"
#include "platform/engine/RenderDevice.h"
#include "platform/engine/SdlWindow.h"
#include "platform/engine/TextureDecodeAhead.h"
#include "platform/engine/TextureStore.h"

#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <unordered_map>

class EngineImpl final : public Engine {
public:
    explicit EngineImpl(const EngineOptions& options);
    ~EngineImpl() override;

    void AddRef() { ++m_refs; }
    void Release() override;

    bool System_Initiate() override;
    void System_Shutdown() override;
    bool System_Start() override;
    std::string System_GetErrorMessage() override { return m_error; }
    void System_Log(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    bool System_Snapshot(const char* filename) override;

    void System_SetState(EngineBoolState state, bool value) override;
    void System_SetState(EngineFuncState state, EngineCallback value) override;
    void System_SetState(EngineIntState state, int value) override;
    void System_SetState(EngineStringState state, const char* value) override;
    bool System_GetState(EngineBoolState state) override;
    int System_GetState(EngineIntState state) override;
    std::string System_GetState(EngineStringState state) override;
    void* System_GetState(EngineHandleState state) override;

    int System_GetFrame() override { return m_frame; }
    void System_RecordOutside(const InputEvent& event) override { Record(event); }
    const std::vector<InputEvent>* System_Replayed() override {
        return HeldDeltas() ? &m_replayedOutside : nullptr;
    }
    void System_MessageBox(const char* title, const char* text, bool error) override;
    FileDialogResult System_FileDialog(const FileDialogRequest& request) override;
    bool System_Ask(const char* title, const char* text) override;
    SaveAnswer System_AskSaveDiscardCancel(const char* title, const char* text) override;
    bool System_DrawsOwnBoxes() override;
    void System_SetMessageBoxFunc(MessageBoxFunc func) override {
        m_messageBoxFunc = std::move(func);
    }
    void System_LogQuestion(const char* title, const char* text, const char* answer) override;

    void Ini_SetInt(const char* section, const char* name, int value) override;
    int Ini_GetInt(const char* section, const char* name, int defaultValue) override;
    void Ini_SetFloat(const char* section, const char* name, float value) override;
    float Ini_GetFloat(const char* section, const char* name, float defaultValue) override;
    void Ini_SetString(const char* section, const char* name, const char* value) override;
    std::string Ini_GetString(const char* section, const char* name,
                              const char* defaultValue) override;

    void Random_Seed(int seed) override;
    int Random_Int(int min, int max) override;
    float Random_Float(float min, float max) override;

    float Timer_GetTime() override { return static_cast<float>(m_time); }
    float Timer_GetDelta() override { return static_cast<float>(m_delta); }
    int Timer_GetFPS() override { return m_fps; }

    void* Resource_Load(const char* filename, std::uint32_t* size) override;
    void Resource_Free(void* resource) override;

    HEFFECT Effect_Load(const char* filename, std::uint32_t size) override;
    void Effect_Free(HEFFECT effect) override;
    HMUSIC Music_Load(const char* filename, std::uint32_t size) override;
    void Music_Free(HMUSIC music) override;
    void Music_SetAmplification(HMUSIC music, int amplification) override;
    HSTREAM Stream_Load(const char* filename, std::uint32_t size) override;
    void Stream_Free(HSTREAM stream) override;

    void Input_GetMousePos(float* x, float* y) override;
    void Input_SetMousePos(float x, float y) override;
    int Input_GetMouseWheel() override { return m_input.Wheel(); }
    bool Input_IsMouseOver() override { return m_mouseOver; }
    bool Input_KeyDown(int key) override { return m_input.KeyDown(key); }
    bool Input_KeyUp(int key) override { return m_input.KeyUp(key); }
    bool Input_GetKeyState(int key) override { return m_input.KeyState(key); }
    int Input_GetKey() override { return m_input.Key(); }
    int Input_GetChar() override { return m_input.Char(); }
    bool Input_PadConnected() override { return m_input.PadConnected(); }
    bool Input_PadLost() override { return m_input.PadLost(); }
    bool Input_PadButton(int button) override { return m_input.PadButton(button); }
    float Input_PadAxis(int axis) override { return m_input.PadAxis(axis); }
    void Input_PadKey(int key, bool down) override { m_input.PadKey(key, down); }

    bool Gfx_BeginScene(HTARGET target) override;
    void Gfx_EndScene() override;
    void Gfx_Clear(std::uint32_t color) override;
    void Gfx_RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color,
                        float z) override;
    void Gfx_RenderQuad(const Quad* quad) override;
    Vertex* Gfx_StartQuads(HTEXTURE texture, int blend, int count, int* room) override;
    void Gfx_FinishQuads(int used) override;
    void Gfx_SetClipping(int x, int y, int w, int h) override;
    void Gfx_SetTransform(float x, float y, float dx, float dy, float rot, float hscale,
                          float vscale) override;
    void Gfx_SetShader(HSHADER shader) override;

    HSHADER Shader_Create(const char* filename) override;
    void Shader_Free(HSHADER shader) override;
    void Shader_SetFloat(HSHADER shader, const char* name, float value) override;

    HTARGET Target_Create(int width, int height, bool zbuffer) override;
    void Target_Free(HTARGET target) override;
    HTEXTURE Target_GetTexture(HTARGET target) override;

    HTEXTURE Texture_Create(int width, int height) override;
    HTEXTURE Texture_Load(const char* filename, std::uint32_t size, bool mipmap) override;
    void Texture_DecodeAhead(const std::vector<std::string>& files) override;
    HTEXTURE Texture_LoadFromMemory(const void* data, std::uint32_t size) override;
    void Texture_Free(HTEXTURE texture) override;
    int Texture_GetWidth(HTEXTURE texture, bool original) override;
    int Texture_GetHeight(HTEXTURE texture, bool original) override;
    std::uint32_t* Texture_Lock(HTEXTURE texture, bool readOnly, int left, int top, int width,
                                int height) override;
    void Texture_Unlock(HTEXTURE texture) override;

    DrawStats Gfx_GetStats() override;
    void Gfx_RecordDraws(bool on) override;
    std::vector<DrawRecord> Gfx_TakeDrawRecords() override;

private:
    bool Headless() const { return m_options.headless; }
    // Screens, targets and textures this engine will make.
    static bool UsableSize(int width, int height) {
        return width > 0 && height > 0 && width <= 16384 && height <= 16384;
    }
    bool DialogsToLog() const { return m_options.headless || m_options.noDialogs; }
    MessageBoxFunc m_messageBoxFunc;
    void LogLine(const std::string& line);
    void OpenLog();
    void SetError(const std::string& message);

    // Makes the drawing device and gives it everything made so far:
    // textures, render targets, shaders. Also after a display switch, which
    // may come with a new drawing context.
    bool OpenDevice(std::string& error);
    // Window <-> full screen, then the program's graphics-restore function;
    // false when no screen could be had either way.
    bool ToggleFullScreen();

    // Frame loop pieces.
    bool PrepareInputSources();
    double NextDelta(double realSeconds);
    bool ReplayEnded() const;
    // A recording with a header writes a frame's delta only when it changes.
    bool HeldDeltas() const { return m_options.replay.format > 0; }
    bool ReplaysDrawnBoxes() const { return m_replaying && m_options.replay.drawnBoxes; }
    // A dialog's answer from outside (a desktop dialog), for the recording;
    // empty for a cancel.
    void RecordAnswer(const std::string& answer);
    bool GatherInput(); // false when the loop should end (window closed)
    void UpdateFps();
    void TakeScreenshots();
    void WaitForFrameCap(std::uint64_t frameStartTicks);
    void Record(const InputEvent& event);
    void WriteRecordingHeader();
    bool OpenRecording();
    // A setting's text as the run sees it: the recording's when replaying
    // one that holds it, else the settings file's; remembered for the
    // recording.
    std::optional<std::string> SettingText(const char* section, const char* name);
    // Keeps a setting the program changed in the player's own file.
    void SetSetting(const char* section, const char* name, const std::string& text);
    void UsePlayerSettings(const std::string& path);

    std::uint32_t AudioHandle(const char* filename);
    void AddDrawRecord(const DrawRecord& record);
    HTEXTURE AddTexture(TextureData data);

    int m_refs = 1;
    EngineOptions m_options;
    std::string m_error;
    bool m_initiated = false;
    bool m_screenLost = false; // a display switch left no screen at all

    // States set by the programs.
    std::map<EngineBoolState, bool> m_bools;
    std::map<EngineFuncState, EngineCallback> m_funcs;
    std::map<EngineIntState, int> m_ints;
    std::map<EngineStringState, std::string> m_strings;

    IniFile m_ini;
    IniFile m_playerIni;
    bool m_playerIniFailed = false; // said once in the log
    std::map<std::string, std::string> m_changedSettings;
    EngineLog m_log;
    std::mt19937 m_random{1};
    int m_seed = 1;
    std::map<std::string, std::optional<std::string>> m_readSettings;

    // Time.
    int m_frame = 0;
    double m_time = 0;
    double m_delta = 0;
    int m_fps = 0;
    std::deque<double> m_frameTimes; // frame start times within the last second

    // Input.
    InputState m_input;
    InputSchedule m_script;
    Gamepads m_pads;
    bool m_scripted = false; // input comes from --input or --replay
    bool m_replaying = false;
    std::map<int, double> m_replayDeltas;
    std::vector<InputEvent> m_replayedOutside;
    std::string m_replayError;
    std::FILE* m_recordFile = nullptr;
    int m_recordFlushedSecond = 0;
    double m_recordedDelta = 0;
    bool m_mouseOver = true;

    // Drawing.
    SdlWindow m_window;
    std::unique_ptr<RenderDevice> m_device;
    TextureStore m_textures;
    std::unique_ptr<TextureDecodeAhead> m_decodeAhead;
    struct TargetInfo {
        HTEXTURE texture = 0;
        int width = 0;
        int height = 0;
        bool zbuffer = false;
    };
    std::unordered_map<HTARGET, TargetInfo> m_targets;
    HTARGET m_nextTarget = 1;
    std::unordered_map<HSHADER, std::string> m_shaders;
    HSHADER m_nextShader = 1;
    bool m_inScene = false;
    HTARGET m_sceneTarget = 0;
    DrawStats m_stats;
    std::uint64_t m_batchesOfOldDevices = 0;
    bool m_recordDraws = false;
    std::vector<DrawRecord> m_drawRecords;
    // The quads being written between Gfx_StartQuads and Gfx_FinishQuads:
    // in the device's batch, or (outside a scene) in a scratch array.
    struct StartedQuads {
        Vertex* vertices = nullptr;
        int room = 0;
        HTEXTURE texture = 0;
        int blend = 0;
        bool onDevice = false;
    } m_started;
    std::vector<Vertex> m_scratchQuads;

    // Loaded raw files and sound handles.
    std::unordered_map<void*, std::unique_ptr<std::uint8_t[]>> m_resources;
    // Sound handles and the amplification each music handle was given.
    std::unordered_map<std::uint32_t, int> m_audio;
    std::uint32_t m_nextAudio = 1;
};
