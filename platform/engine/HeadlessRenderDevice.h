// The drawing back end without a screen: it queues quads exactly as the
// real one batches them and drops each batch where the real one would draw
// it, so headless runs do the same submission work and count the same
// batches. The engine counts and records draw calls before they get here.
#pragma once

#include "platform/engine/BatchedRenderDevice.h"

class HeadlessRenderDevice final : public BatchedRenderDevice {
public:
    bool Init(int, int, void*, bool, std::string&) override {
        ResetBatch();
        return true;
    }
    void Shutdown() override { ResetBatch(); }
    void CreateTexture(HTEXTURE, int, int, const std::uint32_t*) override { Flush(); }
    void UpdateTexture(HTEXTURE, int, int, int, int, int, const std::uint32_t*) override {
        Flush();
    }
    void DeleteTexture(HTEXTURE) override { Flush(); }
    bool CreateTarget(HTARGET, HTEXTURE, int, int, bool) override {
        Flush();
        return true;
    }
    void DeleteTarget(HTARGET) override { Flush(); }
    bool ReadPixels(HTARGET, int, int, std::uint32_t*) override {
        Flush();
        return false;
    }
    bool CreateShader(HSHADER, const std::string&, std::string&) override { return true; }
    void DeleteShader(HSHADER id) override {
        if (id == m_shader) {
            Flush();
            m_shader = 0;
        }
    }
    void SetShaderFloat(HSHADER id, const std::string&, float) override {
        if (id == m_shader) {
            Flush();
        }
    }
    void BeginScene(HTARGET, int, int) override {
        Flush();
        m_shader = 0;
    }
    void EndScene(bool) override { Flush(); }
    void Clear(std::uint32_t) override { Flush(); }
    void SetTransform(const Transform&) override { Flush(); }
    void SetShader(HSHADER shader) override {
        if (shader != m_shader) {
            Flush();
            m_shader = shader;
        }
    }
    void SetClipping(int, int, int, int) override { Flush(); }

private:
    bool DrawBatch(const Vertex*, int) override { return true; }

    HSHADER m_shader = 0;
};
