// The drawing back end for a real window: OpenGL 3.3 core on the SDL window
// the engine made. Every quad and line goes through one batch that is sent
// only when something that changes how it is drawn changes (texture, blend
// mode, shader, target, clipping, transform).
#pragma once

#include "platform/engine/GlFramebuffer.h"
#include "platform/engine/GlQuadBatch.h"
#include "platform/engine/GlScreen.h"
#include "platform/engine/GlShaderProgram.h"
#include "platform/engine/GlTextureSet.h"

#include <memory>
#include <unordered_map>

class GlRenderDevice : public BatchedRenderDevice {
public:
    GlRenderDevice() = default;
    ~GlRenderDevice() override;

    bool Init(int width, int height, void* window, bool linearFilter, std::string& error) override;
    void Shutdown() override;

    void CreateTexture(HTEXTURE id, int width, int height, const std::uint32_t* pixels) override;
    void UpdateTexture(HTEXTURE id, int left, int top, int width, int height, int pitch,
                       const std::uint32_t* pixels) override;
    void DeleteTexture(HTEXTURE id) override;

    bool CreateTarget(HTARGET id, HTEXTURE texture, int width, int height, bool zbuffer) override;
    void DeleteTarget(HTARGET id) override;
    void KeepNextScreen() override { m_screen.KeepNext(); }
    bool ReadPixels(HTARGET id, int width, int height, std::uint32_t* out) override;

    bool CreateShader(HSHADER id, const std::string& source, std::string& error) override;
    void DeleteShader(HSHADER id) override;
    void SetShaderFloat(HSHADER id, const std::string& name, float value) override;

    void BeginScene(HTARGET target, int width, int height) override;
    void EndScene(bool present) override;
    void Clear(std::uint32_t color) override;
    void SetTransform(const Transform& transform) override;
    void SetShader(HSHADER shader) override;
    void SetClipping(int x, int y, int w, int h) override;

    // Where the logical screen lands in the window's drawable, top-left
    // origin, after letterboxing; for mapping the mouse in full-screen.
    void GetScreenViewport(int& x, int& y, int& w, int& h) const;
    // The screen has a depth buffer only when the engine's z buffer is on
    // (off by default, so z-writing draws do not hide later screen draws).
    // Takes effect at the next screen scene.
    void SetScreenZBuffer(bool on) override { m_screen.SetZBuffer(on); }

private:
    bool DrawBatch(const Vertex* vertices, int quads) override;
    void ApplyBlend(int blend);
    void BindFramebuffer(GlFramebuffer* framebuffer);
    GlFramebuffer* FindTarget(HTARGET id);

    void* m_window = nullptr;
    void* m_context = nullptr;

    GlTextureSet m_textures;
    GlScreen m_screen;
    std::unordered_map<HTARGET, std::unique_ptr<GlFramebuffer>> m_targets;
    std::unordered_map<HSHADER, std::unique_ptr<GlShaderProgram>> m_shaders;
    GlShaderProgram m_multiplyProgram, m_addProgram;
    GlQuadBatch m_batch;

    // What the pending batch will be drawn with.
    GlFramebuffer* m_framebuffer = nullptr;
    bool m_onScreen = false;
    GlShaderProgram* m_shader = nullptr; // null: the built-in stage
    int m_appliedBlend = -1;
    GlDrawState m_state;
};
