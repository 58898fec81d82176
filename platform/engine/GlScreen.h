// The screen as the device draws it. When the window's drawable is exactly
// the logical size, frames go straight into the window; otherwise (a
// full-screen window) they go into an off-screen picture that is scaled into
// the window with black bars, keeping the aspect. Either way a finished
// frame can be kept for reading back (screenshots).
#pragma once

#include "platform/engine/GlFramebuffer.h"
#include "platform/engine/GlTextureSet.h"

#include <cstdint>

class GlScreen {
public:
    bool Init(void* window, int width, int height, GlTextureSet& textures);
    void Shutdown();

    // Takes effect at the next Begin.
    void SetZBuffer(bool on) { m_zbuffer = on; }
    // Looks at the window's drawable size; returns what to draw the frame in.
    GlFramebuffer* Begin(int width, int height);
    // The frame drawn into the surface Begin gave is complete.
    void End(bool present);
    void KeepNext() { m_keepNext = true; }
    // The last kept frame, top row first; false when none was kept.
    bool Read(int width, int height, std::uint32_t* out);
    void GetViewport(int& x, int& y, int& w, int& h) const;

private:
    void Resize(int width, int height);
    void Present();

    void* m_window = nullptr;
    int m_width = 0, m_height = 0;
    bool m_zbuffer = false;
    bool m_direct = true;
    bool m_keepNext = false;
    bool m_kept = false;
    GLuint m_texture = 0;
    GlFramebuffer m_offscreen; // the scaled frame, and the kept copy
    GlFramebuffer m_windowSurface;
    int m_drawable[2] = {0, 0};
    int m_letterbox[4] = {0, 0, 0, 0}; // x, y, w, h in drawable pixels, top-left origin
};
