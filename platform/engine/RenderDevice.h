// What the engine needs from a drawing back end. The engine keeps every
// texture's pixels itself (so Texture_Lock works headless); a device mirrors
// them on the GPU. Ids are the engine's texture/target/shader handles.
#pragma once

#include "platform/engine/Engine.h"

#include <cstdint>
#include <memory>
#include <string>

struct Transform {
    float x = 0, y = 0, dx = 0, dy = 0, rot = 0, hscale = 1, vscale = 1;
    bool identity = true;
};

class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    // width/height: the logical screen; window: the SDL_Window* (or null).
    virtual bool Init(int width, int height, void* window, bool linearFilter,
                      std::string& error) = 0;
    virtual void Shutdown() = 0;
    // Whether the screen gets a depth buffer; asked before Init.
    virtual void SetScreenZBuffer(bool) {}

    // pixels: ARGB rows, width*height, may be null for an empty texture.
    virtual void CreateTexture(HTEXTURE id, int width, int height, const std::uint32_t* pixels) = 0;
    virtual void UpdateTexture(HTEXTURE id, int left, int top, int width, int height, int pitch,
                               const std::uint32_t* pixels) = 0;
    virtual void DeleteTexture(HTEXTURE id) = 0;

    virtual bool CreateTarget(HTARGET id, HTEXTURE texture, int width, int height,
                              bool zbuffer) = 0;
    virtual void DeleteTarget(HTARGET id) = 0;
    virtual void KeepNextScreen() {}
    // Reads a target's pixels back as ARGB rows, top row first. With id 0:
    // the screen picture kept by the last KeepNextScreen (false if none).
    // Call KeepNextScreen before a frame's scene; the device then keeps a
    // copy of that frame's picture when its screen scene ends, before it is
    // presented.
    virtual bool ReadPixels(HTARGET id, int width, int height, std::uint32_t* out) = 0;

    // source: GLSL fragment shader text. Returns false with a message.
    virtual bool CreateShader(HSHADER id, const std::string& source, std::string& error) = 0;
    virtual void DeleteShader(HSHADER id) = 0;
    virtual void SetShaderFloat(HSHADER id, const std::string& name, float value) = 0;

    virtual void BeginScene(HTARGET target, int width, int height) = 0;
    virtual void EndScene(bool present) = 0;
    virtual void Clear(std::uint32_t color) = 0;
    virtual void SetTransform(const Transform& transform) = 0;
    virtual void SetShader(HSHADER shader) = 0;
    // x, y, w, h in target pixels; w == 0 turns clipping off.
    virtual void SetClipping(int x, int y, int w, int h) = 0;
    virtual void RenderQuad(const Quad& quad) = 0;
    // Room for quads of one texture and blend mode written in place, four
    // vertices each: returns where to write and how many fit (at least one).
    // CommitQuads then queues the first `used` of them. Nothing else may be
    // drawn in between.
    virtual Vertex* ReserveQuads(HTEXTURE texture, int blend, int& room) = 0;
    virtual void CommitQuads(int used) = 0;
    virtual void RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color,
                            float z) = 0;
    // Batches sent so far (each one draw call on a real device).
    virtual std::uint64_t BatchesDrawn() const = 0;
};

// The OpenGL device for real windows (nullptr when this build has none).
std::unique_ptr<RenderDevice> CreateGlRenderDevice();
