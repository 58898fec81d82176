// The headless drawing back end: accepts everything, draws nothing. The
// engine counts and records draw calls before they reach a device.
#pragma once

#include "platform/engine/RenderDevice.h"

class NullRenderDevice final : public RenderDevice {
public:
    bool Init(int, int, void*, bool, std::string&) override { return true; }
    void Shutdown() override {}
    void CreateTexture(HTEXTURE, int, int, const std::uint32_t*) override {}
    void UpdateTexture(HTEXTURE, int, int, int, int, int, const std::uint32_t*) override {}
    void DeleteTexture(HTEXTURE) override {}
    bool CreateTarget(HTARGET, HTEXTURE, int, int, bool) override { return true; }
    void DeleteTarget(HTARGET) override {}
    bool ReadPixels(HTARGET, int, int, std::uint32_t*) override { return false; }
    bool CreateShader(HSHADER, const std::string&, std::string&) override { return true; }
    void DeleteShader(HSHADER) override {}
    void SetShaderFloat(HSHADER, const std::string&, float) override {}
    void BeginScene(HTARGET, int, int) override {}
    void EndScene(bool) override {}
    void Clear(std::uint32_t) override {}
    void SetTransform(const Transform&) override {}
    void SetShader(HSHADER) override {}
    void SetClipping(int, int, int, int) override {}
    void RenderQuad(const Quad&) override {}
    void RenderLine(float, float, float, float, std::uint32_t, float) override {}
};
