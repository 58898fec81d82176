// An off-screen picture: a colour texture with an optional depth buffer.
// Render targets are these; so is the screen, which is drawn off-screen and
// copied to the window at the end of the scene (that makes letterboxing and
// reading back a finished frame simple).
#pragma once

#include <epoxy/gl.h>

class GlFramebuffer {
public:
    GlFramebuffer() = default;
    ~GlFramebuffer() { Destroy(); }
    GlFramebuffer(const GlFramebuffer&) = delete;
    GlFramebuffer& operator=(const GlFramebuffer&) = delete;

    // colourTexture: an existing RGBA texture of width x height.
    bool Create(GLuint colourTexture, int width, int height, bool depth);
    // Stands for the window's own framebuffer (id 0), whose rows run bottom
    // to top; depth: whether to use the window's depth buffer.
    void AdoptWindow(int width, int height, bool depth);
    void Destroy();

    GLuint Id() const { return m_fbo; }
    GLuint ColourTexture() const { return m_colour; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool HasDepth() const { return m_depth != 0 || m_windowDepth; }
    bool BottomUp() const { return m_window; }

private:
    GLuint m_fbo = 0;
    GLuint m_depth = 0;
    GLuint m_colour = 0;
    int m_width = 0, m_height = 0;
    bool m_window = false, m_windowDepth = false;
};
