// The drawing device's lifetime: made at start-up, and made again when the
// display switches between the window and full screen.
#include "platform/engine/EngineImpl.h"
#include "platform/engine/HeadlessRenderDevice.h"

#include <SDL.h>

bool EngineImpl::OpenDevice(std::string& error) {
    const int width = m_ints[ENGINE_SCREENWIDTH];
    const int height = m_ints[ENGINE_SCREENHEIGHT];
    if (Headless()) {
        m_device = std::make_unique<HeadlessRenderDevice>();
    } else {
        m_device = CreateGlRenderDevice();
        if (!m_device) {
            error = "This build has no drawing device for a window";
            return false;
        }
        m_device->SetScreenZBuffer(m_bools[ENGINE_ZBUFFER]);
    }
    if (!m_device->Init(width, height, m_window.Handle(), m_bools[ENGINE_TEXTUREFILTER], error)) {
        error = "Cannot open the window: " + error;
        m_device.reset();
        return false;
    }
    if (!Headless()) {
        // The swap interval belongs to the drawing context.
        SDL_GL_SetSwapInterval(m_ints[ENGINE_FPS] < 0 ? 1 : 0);
    }
    // The engine keeps every texture's pixels, so the device gets copies of
    // everything made so far. Targets start empty: what was drawn into them
    // lived on the old device only, and programs draw them every frame.
    m_textures.ForEach([this](HTEXTURE id, TextureData& data) {
        if (!data.isTarget) {
            m_device->CreateTexture(id, data.width, data.height, data.pixels.data());
        }
    });
    for (const auto& [id, target] : m_targets) {
        if (!m_device->CreateTarget(id, target.texture, target.width, target.height,
                                    target.zbuffer)) {
            LogLine("Can't create render target " + std::to_string(id) + " again");
        }
    }
    for (const auto& [id, source] : m_shaders) {
        if (std::string shaderError; !m_device->CreateShader(id, source, shaderError)) {
            LogLine("Can't compile shader " + std::to_string(id) + " again: " + shaderError);
        }
    }
    return true;
}

bool EngineImpl::ToggleFullScreen() {
    const bool windowed = !m_bools[ENGINE_WINDOWED];
    std::string error;
    if (!Headless() && !m_window.SetFullScreen(!windowed, error)) {
        LogLine("Can't switch to " + std::string(windowed ? "a window" : "full screen") + ": " +
                error);
        return true; // the old mode and its device carry on
    }
    m_bools[ENGINE_WINDOWED] = windowed;
    // A new mode may come with a new drawing context, so the device and all
    // it holds are made again, the same way on every system.
    m_batchesOfOldDevices += m_device->BatchesDrawn();
    m_device->Shutdown();
    m_device.reset();
    if (!OpenDevice(error)) {
        LogLine(error);
        // Back to the mode that worked; without any screen the loop ends.
        m_bools[ENGINE_WINDOWED] = !windowed;
        std::string again;
        if ((!Headless() && !m_window.SetFullScreen(windowed, again)) || !OpenDevice(again)) {
            SetError("No screen after the display switch: " + again);
            return false;
        }
    }
    LogLine(windowed ? "Switched to a window" : "Switched to full screen");
    if (auto& restore = m_funcs[ENGINE_GFXRESTOREFUNC]) {
        restore();
    }
    return true;
}
