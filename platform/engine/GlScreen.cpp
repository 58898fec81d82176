#include "platform/engine/GlScreen.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

bool GlScreen::Init(void* window, int width, int height, GlTextureSet& textures) {
    m_window = window;
    m_width = width;
    m_height = height;
    m_kept = m_keepNext = false;
    m_texture = textures.Make(width, height, nullptr);
    return m_offscreen.Create(m_texture, width, height, m_zbuffer);
}

void GlScreen::Shutdown() {
    m_offscreen.Destroy();
    m_windowSurface.Destroy();
    if (m_texture)
        glDeleteTextures(1, &m_texture);
    m_texture = 0;
    m_window = nullptr;
}

void GlScreen::Resize(int width, int height) {
    m_width = width;
    m_height = height;
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 nullptr);
    m_offscreen.Create(m_texture, width, height, m_zbuffer);
    m_kept = false;
}

GlFramebuffer* GlScreen::Begin(int width, int height) {
    if ((width > 0 && height > 0 && (width != m_width || height != m_height)) ||
        m_offscreen.HasDepth() != m_zbuffer)
        Resize(width > 0 ? width : m_width, height > 0 ? height : m_height);
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(m_window), &dw, &dh);
    if (dw <= 0 || dh <= 0) {
        dw = m_width;
        dh = m_height;
    }
    m_drawable[0] = dw;
    m_drawable[1] = dh;
    // Keep the aspect: the narrower fit decides, the rest is black bars.
    const double scale =
        std::min(static_cast<double>(dw) / m_width, static_cast<double>(dh) / m_height);
    const int w = std::max(1, static_cast<int>(std::lround(m_width * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(m_height * scale)));
    m_letterbox[0] = (dw - w) / 2;
    m_letterbox[1] = (dh - h) / 2;
    m_letterbox[2] = w;
    m_letterbox[3] = h;
    m_direct = dw == m_width && dh == m_height;
    if (!m_direct)
        return &m_offscreen;
    m_windowSurface.AdoptWindow(m_width, m_height, m_zbuffer);
    return &m_windowSurface;
}

void GlScreen::End(bool present) {
    glDisable(GL_SCISSOR_TEST);
    if (m_direct && m_keepNext) {
        // Copy before the swap: afterwards the window's back buffer is
        // undefined. Its rows run bottom-up, the copy's top-down.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_offscreen.Id());
        glBlitFramebuffer(0, 0, m_width, m_height, 0, m_height, m_width, 0, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    }
    if (!m_direct || m_keepNext)
        m_kept = true;
    m_keepNext = false;
    if (present)
        Present();
}

void GlScreen::Present() {
    if (!m_direct) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, m_offscreen.Id());
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glViewport(0, 0, m_drawable[0], m_drawable[1]);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        const int* box = m_letterbox;
        const bool oneToOne = box[2] == m_width && box[3] == m_height;
        // The window's row 0 is its bottom row, the picture's its top:
        // swapping the destination's y ends turns it over.
        glBlitFramebuffer(0, 0, m_width, m_height, box[0], m_drawable[1] - box[1], box[0] + box[2],
                          m_drawable[1] - box[1] - box[3], GL_COLOR_BUFFER_BIT,
                          oneToOne ? GL_NEAREST : GL_LINEAR);
    }
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(m_window));
}

bool GlScreen::Read(int width, int height, std::uint32_t* out) {
    if (!m_kept || width > m_width || height > m_height)
        return false;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_offscreen.Id());
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, out);
    return glGetError() == GL_NO_ERROR;
}

void GlScreen::GetViewport(int& x, int& y, int& w, int& h) const {
    x = m_letterbox[0];
    y = m_letterbox[1];
    w = m_letterbox[2];
    h = m_letterbox[3];
}
