// The engine interface both programs draw, read input and time their frames
// through. One shared instance per process, reference counted: every owner
// takes its own reference with EngineCreate and gives it back with Release.
#pragma once

#include "platform/engine/InputEvent.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#define ENGINE_VERSION 0x180

using HTEXTURE = std::uint32_t;
using HTARGET = std::uint32_t;
using HSHADER = std::uint32_t;
using HEFFECT = std::uint32_t;
using HMUSIC = std::uint32_t;
using HSTREAM = std::uint32_t;

// Blend-mode bits as Gfx_RenderQuad reads them.
constexpr int BLEND_COLORMUL = 0;
constexpr int BLEND_COLORADD = 1;
constexpr int BLEND_ALPHAADD = 0;
constexpr int BLEND_ALPHABLEND = 2;
constexpr int BLEND_NOZWRITE = 0;
constexpr int BLEND_ZWRITE = 4;
constexpr int BLEND_DEFAULT = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_NOZWRITE;

// Windows virtual-key codes: content and scripts are written in them.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_ALT = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PGUP = 0x21;
constexpr int VK_PGDN = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;

// Gamepad buttons and axes, as the engine reports them and input scripts
// name them (the names in brackets).
enum PadButton {
    PAD_A,             // [a]
    PAD_B,             // [b]
    PAD_X,             // [x]
    PAD_Y,             // [y]
    PAD_BACK,          // [back]
    PAD_GUIDE,         // [guide]
    PAD_START,         // [start]
    PAD_LEFTSTICK,     // [leftstick]
    PAD_RIGHTSTICK,    // [rightstick]
    PAD_LEFTSHOULDER,  // [leftshoulder]
    PAD_RIGHTSHOULDER, // [rightshoulder]
    PAD_UP,            // [up]
    PAD_DOWN,          // [down]
    PAD_LEFT,          // [left]
    PAD_RIGHT,         // [right]
    PAD_BUTTONS
};
enum PadAxis {
    PAD_LEFTX,        // [leftx] -1 left to 1 right
    PAD_LEFTY,        // [lefty] -1 up to 1 down
    PAD_RIGHTX,       // [rightx]
    PAD_RIGHTY,       // [righty]
    PAD_LEFTTRIGGER,  // [lefttrigger] 0 to 1
    PAD_RIGHTTRIGGER, // [righttrigger]
    PAD_AXES
};
// -1 for a name that is none of the above.
int PadButtonFromName(const std::string& name);
int PadAxisFromName(const std::string& name);
const char* PadButtonName(int button);
const char* PadAxisName(int axis);

struct Vertex {
    float x, y, z;
    std::uint32_t col; // ARGB
    float tx, ty;
};

// Corners in the order top-left, top-right, bottom-right, bottom-left.
struct Quad {
    Vertex v[4];
    HTEXTURE tex;
    int blend;
};

enum EngineBoolState {
    ENGINE_WINDOWED,
    ENGINE_USESOUND,
    ENGINE_DONTSUSPEND,
    ENGINE_HIDEMOUSE,
    ENGINE_SHOWSPLASH,
    ENGINE_TEXTUREFILTER,
    ENGINE_ZBUFFER,
};

enum EngineFuncState {
    ENGINE_FRAMEFUNC,
    ENGINE_RENDERFUNC,
    ENGINE_GFXRESTOREFUNC,
    ENGINE_EXITFUNC,
    // Ours: called at the very end of every frame with nothing left to draw,
    // where a program writes its per-frame trace record.
    ENGINE_FRAMEENDFUNC,
};

enum EngineIntState {
    ENGINE_SCREENWIDTH,
    ENGINE_SCREENHEIGHT,
    ENGINE_SCREENBPP,
    ENGINE_FPS,
};

enum EngineStringState {
    ENGINE_TITLE,
    ENGINE_INIFILE,
    ENGINE_LOGFILE,
    // Ours: the player's own settings file. Its keys override the ini
    // file's one by one, and Ini_Set* write only there: the content
    // folder is never written.
    ENGINE_PLAYERINIFILE,
};

enum EngineHandleState {
    ENGINE_HWND,
};

constexpr int ENGINE_FPS_UNLIMITED = 0;
constexpr int ENGINE_FPS_VSYNC = -1;

using EngineCallback = std::function<bool()>;

// What a file dialog is asked for and what it answered.
struct FileDialogRequest {
    bool save = false;
    // Pairs of (description, pattern), e.g. {"Map Files", "*.xml"}.
    std::vector<std::pair<std::string, std::string>> filters;
    std::string defaultExtension;
    bool overwritePrompt = false;
    // Where the dialog starts ("" : the working folder).
    std::string folder;
};

// The answers to "Save changes to NAME before ...?".
enum class SaveAnswer { Save, Discard, Cancel };

struct FileDialogResult {
    enum class Status { Chosen, Cancelled, Unavailable };
    Status status = Status::Unavailable;
    std::string path;
    // The default extension was added after the dialog closed, so its own
    // overwrite question saw another name.
    bool extensionAdded = false;
};

// Counters the headless backend keeps so tests can see what was drawn.
struct DrawStats {
    std::uint64_t quads = 0;
    std::uint64_t lines = 0;
    std::uint64_t scenes = 0;
    std::uint64_t clears = 0;
    // Batches the drawing back end sent (one draw call each on a real screen).
    std::uint64_t batches = 0;
};

// One recorded draw call (kept only with --draw-log or when a test asks).
struct DrawRecord {
    enum class Kind { Quad, Line, Clear, Transform, Shader, BeginScene, EndScene } kind;
    Quad quad{};
    float a[7]{}; // line ends and z / transform arguments; colours go in quad.v[0].col
    HTARGET target = 0;
    HSHADER shader = 0;
};

class Engine {
public:
    virtual void Release() = 0;

    virtual bool System_Initiate() = 0;
    virtual void System_Shutdown() = 0;
    virtual bool System_Start() = 0;
    virtual std::string System_GetErrorMessage() = 0;
    virtual void System_Log(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
    virtual bool System_Snapshot(const char* filename) = 0;

    virtual void System_SetState(EngineBoolState state, bool value) = 0;
    virtual void System_SetState(EngineFuncState state, EngineCallback value) = 0;
    virtual void System_SetState(EngineIntState state, int value) = 0;
    virtual void System_SetState(EngineStringState state, const char* value) = 0;
    virtual bool System_GetState(EngineBoolState state) = 0;
    virtual int System_GetState(EngineIntState state) = 0;
    virtual std::string System_GetState(EngineStringState state) = 0;
    virtual void* System_GetState(EngineHandleState state) = 0;

    // Frames run so far in System_Start, counted from 0.
    virtual int System_GetFrame() = 0;
    // Answers from outside that the game reads back (a sound found to have
    // ended) are written to the recording, and a replay of a recording gives
    // them back from it instead of asking outside again. System_Replayed is
    // null unless such a recording is being replayed.
    virtual void System_RecordOutside(const InputEvent& event) = 0;
    virtual const std::vector<InputEvent>* System_Replayed() = 0;
    // A message box; never blocks when headless or with --no-dialogs.
    virtual void System_MessageBox(const char* title, const char* text, bool error) = 0;
    virtual FileDialogResult System_FileDialog(const FileDialogRequest& request) = 0;
    // A yes/no question; true for yes. Headless or with --no-dialogs it takes
    // the next queued script answer ("FRAME dialog yes|no"), else no.
    virtual bool System_Ask(const char* title, const char* text) = 0;
    // Save, Don't save or Cancel. Headless or with --no-dialogs it takes the
    // next queued script answer ("FRAME dialog yes|no|cancel"); with none,
    // or when the box cannot be shown, it is Cancel: work is never lost by
    // default.
    virtual SaveAnswer System_AskSaveDiscardCancel(const char* title, const char* text) = 0;
    // True in a real window with no script answer waiting: the program
    // draws its own boxes (desktop boxes need fonts many desktops lack).
    virtual bool System_DrawsOwnBoxes() = 0;
    // Where message boxes go while the program draws its own (null: the
    // desktop's box).
    using MessageBoxFunc =
        std::function<void(const std::string& title, const std::string& text, bool error)>;
    virtual void System_SetMessageBoxFunc(MessageBoxFunc func) = 0;
    // The question's log line, for an answer the program's own box got.
    virtual void System_LogQuestion(const char* title, const char* text, const char* answer) = 0;

    virtual void Ini_SetInt(const char* section, const char* name, int value) = 0;
    virtual int Ini_GetInt(const char* section, const char* name, int defaultValue) = 0;
    virtual void Ini_SetFloat(const char* section, const char* name, float value) = 0;
    virtual float Ini_GetFloat(const char* section, const char* name, float defaultValue) = 0;
    virtual void Ini_SetString(const char* section, const char* name, const char* value) = 0;
    virtual std::string Ini_GetString(const char* section, const char* name,
                                      const char* defaultValue) = 0;

    virtual void Random_Seed(int seed) = 0;
    virtual int Random_Int(int min, int max) = 0;
    virtual float Random_Float(float min, float max) = 0;

    virtual float Timer_GetTime() = 0;
    virtual float Timer_GetDelta() = 0;
    virtual int Timer_GetFPS() = 0;

    // The whole file's bytes (owned by the engine until Resource_Free),
    // followed by one zero byte so text can be read in place, or nullptr.
    // size may be null.
    virtual void* Resource_Load(const char* filename, std::uint32_t* size = nullptr) = 0;
    virtual void Resource_Free(void* resource) = 0;

    virtual HEFFECT Effect_Load(const char* filename, std::uint32_t size = 0) = 0;
    virtual void Effect_Free(HEFFECT effect) = 0;
    virtual HMUSIC Music_Load(const char* filename, std::uint32_t size = 0) = 0;
    virtual void Music_Free(HMUSIC music) = 0;
    virtual void Music_SetAmplification(HMUSIC music, int amplification) = 0;
    virtual HSTREAM Stream_Load(const char* filename, std::uint32_t size = 0) = 0;
    virtual void Stream_Free(HSTREAM stream) = 0;

    virtual void Input_GetMousePos(float* x, float* y) = 0;
    virtual void Input_SetMousePos(float x, float y) = 0;
    virtual int Input_GetMouseWheel() = 0;
    virtual bool Input_IsMouseOver() = 0;
    virtual bool Input_KeyDown(int key) = 0;
    virtual bool Input_KeyUp(int key) = 0;
    virtual bool Input_GetKeyState(int key) = 0;
    virtual int Input_GetKey() = 0;
    virtual int Input_GetChar() = 0;
    // The gamepad that plays: the first one plugged in, while it stays.
    virtual bool Input_PadConnected() = 0;
    // It was unplugged during this frame.
    virtual bool Input_PadLost() = 0;
    virtual bool Input_PadButton(int button) = 0;
    virtual float Input_PadAxis(int axis) = 0;
    // A key the program presses or lets go for the gamepad, seen as the
    // keyboard's in this frame (not recorded: the pad's own input is).
    virtual void Input_PadKey(int key, bool down) = 0;

    virtual bool Gfx_BeginScene(HTARGET target = 0) = 0;
    virtual void Gfx_EndScene() = 0;
    virtual void Gfx_Clear(std::uint32_t color) = 0;
    virtual void Gfx_RenderLine(float x1, float y1, float x2, float y2,
                                std::uint32_t color = 0xFFFFFFFF, float z = 0.5f) = 0;
    virtual void Gfx_RenderQuad(const Quad* quad) = 0;
    // Many quads of one texture and blend mode, written straight into the
    // drawing batch: returns room for up to `count` quads (four vertices
    // each, laid out as in a Quad) and sets *room to how many fit, at least
    // one; Gfx_FinishQuads(n) then draws the first n, as n Gfx_RenderQuad
    // calls would. Nothing else may be drawn in between.
    virtual Vertex* Gfx_StartQuads(HTEXTURE texture, int blend, int count, int* room) = 0;
    virtual void Gfx_FinishQuads(int used) = 0;
    virtual void Gfx_SetClipping(int x = 0, int y = 0, int w = 0, int h = 0) = 0;
    virtual void Gfx_SetTransform(float x = 0, float y = 0, float dx = 0, float dy = 0,
                                  float rot = 0, float hscale = 0, float vscale = 0) = 0;
    virtual void Gfx_SetShader(HSHADER shader) = 0;

    virtual HSHADER Shader_Create(const char* filename) = 0;
    virtual void Shader_Free(HSHADER shader) = 0;
    virtual void Shader_SetFloat(HSHADER shader, const char* name, float value) = 0;

    virtual HTARGET Target_Create(int width, int height, bool zbuffer) = 0;
    virtual void Target_Free(HTARGET target) = 0;
    virtual HTEXTURE Target_GetTexture(HTARGET target) = 0;

    virtual HTEXTURE Texture_Create(int width, int height) = 0;
    virtual HTEXTURE Texture_Load(const char* filename, std::uint32_t size = 0,
                                  bool mipmap = false) = 0;
    // Starts decoding these image files on a second thread, so that the
    // Texture_Load of each (whole file) finds its pixels ready. What was not
    // loaded by the time the frame loop starts is dropped.
    virtual void Texture_DecodeAhead(const std::vector<std::string>& files) = 0;
    // From memory (PNG bytes).
    virtual HTEXTURE Texture_LoadFromMemory(const void* data, std::uint32_t size) = 0;
    virtual void Texture_Free(HTEXTURE texture) = 0;
    virtual int Texture_GetWidth(HTEXTURE texture, bool original = false) = 0;
    virtual int Texture_GetHeight(HTEXTURE texture, bool original = false) = 0;
    // 32-bit ARGB rows of the locked rectangle (row pitch = texture width);
    // width/height 0 mean the whole texture. Writes are uploaded on unlock.
    virtual std::uint32_t* Texture_Lock(HTEXTURE texture, bool readOnly = true, int left = 0,
                                        int top = 0, int width = 0, int height = 0) = 0;
    virtual void Texture_Unlock(HTEXTURE texture) = 0;

    // What was drawn since start (headless and real alike).
    virtual DrawStats Gfx_GetStats() = 0;
    // Starts or stops keeping every draw call; returns and clears what was kept.
    virtual void Gfx_RecordDraws(bool on) = 0;
    virtual std::vector<DrawRecord> Gfx_TakeDrawRecords() = 0;

protected:
    virtual ~Engine() = default;
};

// Returns the process's engine with one more reference, or nullptr when the
// version is not ours.
Engine* EngineCreate(int version);
