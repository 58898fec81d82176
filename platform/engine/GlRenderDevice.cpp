#include "platform/engine/GlRenderDevice.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kBlendBits = BLEND_COLORADD | BLEND_ALPHABLEND | BLEND_ZWRITE;

// ARGB words upload as they stand on any byte order with this pair.
constexpr GLenum kPixelFormat = GL_BGRA;
constexpr GLenum kPixelType = GL_UNSIGNED_INT_8_8_8_8_REV;

} // namespace

GlRenderDevice::~GlRenderDevice() {
    Shutdown();
}

bool GlRenderDevice::Init(int width, int height, void* window, bool linearFilter,
                          std::string& error) {
    if (!window) {
        error = "no window to draw in";
        return false;
    }
    auto* sdlWindow = static_cast<SDL_Window*>(window);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
    if (!context) {
        error = std::string("cannot create an OpenGL 3.3 context: ") + SDL_GetError();
        return false;
    }
    m_window = window;
    m_context = context;
    SDL_GL_MakeCurrent(sdlWindow, context);
    if (epoxy_gl_version() < 33) {
        error = "OpenGL 3.3 is not available";
        Shutdown();
        return false;
    }
    m_width = width;
    m_height = height;
    m_linearFilter = linearFilter;
    m_screenFinished = false;

    std::string programError;
    if (!m_defaultProgram.BuildDefault(programError)) {
        error = "built-in shader: " + programError;
        Shutdown();
        return false;
    }
    if (!m_batch.Init()) {
        error = "cannot create the vertex buffers";
        Shutdown();
        return false;
    }
    const std::uint32_t white = 0xFFFFFFFF;
    m_whiteTexture = MakeTexture(1, 1, &white);
    m_screenTexture = MakeTexture(width, height, nullptr);
    if (!m_screen.Create(m_screenTexture, width, height, m_screenZBuffer)) {
        error = "cannot create the screen's framebuffer";
        Shutdown();
        return false;
    }
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glDepthFunc(GL_LEQUAL);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glActiveTexture(GL_TEXTURE0);

    m_program = &m_defaultProgram;
    m_texture = 0;
    m_glTexture = m_whiteTexture;
    m_blend = BLEND_DEFAULT;
    m_appliedBlend = -1;
    BindFramebuffer(&m_screen);
    return true;
}

void GlRenderDevice::Shutdown() {
    if (!m_context)
        return;
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(m_window), static_cast<SDL_GLContext>(m_context));
    m_targets.clear();
    m_shaders.clear();
    for (auto& [id, entry] : m_textures)
        glDeleteTextures(1, &entry.gl);
    m_textures.clear();
    m_screen.Destroy();
    for (GLuint* t : {&m_screenTexture, &m_whiteTexture}) {
        if (*t)
            glDeleteTextures(1, t);
        *t = 0;
    }
    m_batch.Shutdown();
    m_defaultProgram = GlShaderProgram();
    m_framebuffer = nullptr;
    m_program = nullptr;
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_context));
    m_context = nullptr;
    m_window = nullptr;
}

GLuint GlRenderDevice::MakeTexture(int width, int height, const std::uint32_t* pixels) {
    // An empty texture starts transparent black rather than whatever the
    // driver had in memory.
    std::vector<std::uint32_t> zeros;
    if (!pixels) {
        zeros.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        pixels = zeros.data();
    }
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    const GLint filter = m_linearFilter ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    // Ground tiles rely on coordinates past 1 repeating the texture.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, kPixelFormat, kPixelType, pixels);
    return tex;
}

void GlRenderDevice::CreateTexture(HTEXTURE id, int width, int height,
                                   const std::uint32_t* pixels) {
    if (!m_context || width <= 0 || height <= 0)
        return;
    Flush();
    auto it = m_textures.find(id);
    if (it != m_textures.end()) {
        // Re-specify the same GL texture so a target drawing into it stays
        // attached.
        std::vector<std::uint32_t> zeros;
        if (!pixels) {
            zeros.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
            pixels = zeros.data();
        }
        glBindTexture(GL_TEXTURE_2D, it->second.gl);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, kPixelFormat, kPixelType,
                     pixels);
        it->second.width = width;
        it->second.height = height;
        return;
    }
    m_textures[id] = TextureEntry{MakeTexture(width, height, pixels), width, height};
    if (id == m_texture)
        m_glTexture = m_textures[id].gl;
}

void GlRenderDevice::UpdateTexture(HTEXTURE id, int left, int top, int width, int height, int pitch,
                                   const std::uint32_t* pixels) {
    auto it = m_textures.find(id);
    if (it == m_textures.end() || !pixels)
        return;
    // Keep the rectangle inside the texture; a bad lock must not write past it.
    const TextureEntry& entry = it->second;
    int x0 = std::max(left, 0), y0 = std::max(top, 0);
    int x1 = std::min(left + width, entry.width), y1 = std::min(top + height, entry.height);
    if (x1 <= x0 || y1 <= y0 || pitch < width)
        return;
    Flush();
    pixels += static_cast<size_t>(y0 - top) * static_cast<size_t>(pitch) + (x0 - left);
    glBindTexture(GL_TEXTURE_2D, entry.gl);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x0, y0, x1 - x0, y1 - y0, kPixelFormat, kPixelType, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void GlRenderDevice::DeleteTexture(HTEXTURE id) {
    auto it = m_textures.find(id);
    if (it == m_textures.end())
        return;
    Flush();
    glDeleteTextures(1, &it->second.gl);
    m_textures.erase(it);
    if (id == m_texture) {
        m_texture = 0;
        m_glTexture = m_whiteTexture;
    }
}

GlFramebuffer* GlRenderDevice::FindTarget(HTARGET id) {
    auto it = m_targets.find(id);
    return it == m_targets.end() ? nullptr : it->second.get();
}

bool GlRenderDevice::CreateTarget(HTARGET id, HTEXTURE texture, int width, int height,
                                  bool zbuffer) {
    if (!m_context || width <= 0 || height <= 0)
        return false;
    Flush();
    auto it = m_textures.find(texture);
    if (it == m_textures.end() || it->second.width != width || it->second.height != height)
        CreateTexture(texture, width, height, nullptr);
    auto framebuffer = std::make_unique<GlFramebuffer>();
    if (!framebuffer->Create(m_textures[texture].gl, width, height, zbuffer))
        return false;
    if (GlFramebuffer* old = FindTarget(id); old && old == m_framebuffer)
        m_framebuffer = &m_screen;
    m_targets[id] = std::move(framebuffer);
    BindFramebuffer(m_framebuffer);
    return true;
}

void GlRenderDevice::DeleteTarget(HTARGET id) {
    GlFramebuffer* framebuffer = FindTarget(id);
    if (!framebuffer)
        return;
    Flush();
    if (framebuffer == m_framebuffer)
        m_framebuffer = &m_screen;
    m_targets.erase(id);
    BindFramebuffer(m_framebuffer);
}

bool GlRenderDevice::ReadPixels(HTARGET id, int width, int height, std::uint32_t* out) {
    GlFramebuffer* framebuffer = id ? FindTarget(id) : &m_screen;
    if (!framebuffer || (!id && !m_screenFinished) || !out || width <= 0 || height <= 0 ||
        width > framebuffer->Width() || height > framebuffer->Height())
        return false;
    Flush();
    // Every picture is stored top row first, so no flip is needed.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer->Id());
    glReadPixels(0, 0, width, height, kPixelFormat, kPixelType, out);
    BindFramebuffer(m_framebuffer);
    return glGetError() == GL_NO_ERROR;
}

bool GlRenderDevice::CreateShader(HSHADER id, const std::string& source, std::string& error) {
    if (!m_context) {
        error = "no drawing context";
        return false;
    }
    auto program = std::make_unique<GlShaderProgram>();
    if (!program->BuildCustom(source, error))
        return false;
    auto it = m_shaders.find(id);
    if (it != m_shaders.end() && it->second.get() == m_program) {
        Flush();
        m_program = program.get();
    }
    m_shaders[id] = std::move(program);
    return true;
}

void GlRenderDevice::DeleteShader(HSHADER id) {
    auto it = m_shaders.find(id);
    if (it == m_shaders.end())
        return;
    if (it->second.get() == m_program) {
        Flush();
        m_program = &m_defaultProgram;
    }
    m_shaders.erase(it);
}

void GlRenderDevice::SetShaderFloat(HSHADER id, const std::string& name, float value) {
    auto it = m_shaders.find(id);
    if (it == m_shaders.end())
        return;
    // Quads already queued were meant to see the old value.
    if (it->second.get() == m_program)
        Flush();
    it->second->SetFloat(name, value);
}

void GlRenderDevice::BindFramebuffer(GlFramebuffer* framebuffer) {
    m_framebuffer = framebuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer->Id());
    glViewport(0, 0, framebuffer->Width(), framebuffer->Height());
    // Pixels map so that row 0 of the stored picture is the top row: a
    // target's texture then reads right way up like any loaded texture.
    m_state.projScale[0] = 2.0f / static_cast<float>(framebuffer->Width());
    m_state.projScale[1] = 2.0f / static_cast<float>(framebuffer->Height());
    m_state.projOffset[0] = -1.0f;
    m_state.projOffset[1] = -1.0f;
    ++m_state.version;
    if (framebuffer->HasDepth())
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
}

void GlRenderDevice::UpdateLetterbox() {
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(m_window), &dw, &dh);
    if (dw <= 0 || dh <= 0) {
        dw = m_width;
        dh = m_height;
    }
    m_drawable[0] = dw;
    m_drawable[1] = dh;
    // Keep the aspect: the narrower fit decides, the rest is black bars.
    double scale = std::min(static_cast<double>(dw) / m_width, static_cast<double>(dh) / m_height);
    int w = std::max(1, static_cast<int>(std::lround(m_width * scale)));
    int h = std::max(1, static_cast<int>(std::lround(m_height * scale)));
    m_letterbox[0] = (dw - w) / 2;
    m_letterbox[1] = (dh - h) / 2;
    m_letterbox[2] = w;
    m_letterbox[3] = h;
}

void GlRenderDevice::GetScreenViewport(int& x, int& y, int& w, int& h) const {
    x = m_letterbox[0];
    y = m_letterbox[1];
    w = m_letterbox[2];
    h = m_letterbox[3];
}

void GlRenderDevice::SetScreenZBuffer(bool on) {
    if (on == m_screenZBuffer)
        return;
    m_screenZBuffer = on;
    if (!m_context)
        return;
    Flush();
    m_screen.Create(m_screenTexture, m_width, m_height, on);
    BindFramebuffer(m_framebuffer);
}

void GlRenderDevice::BeginScene(HTARGET target, int width, int height) {
    if (!m_context)
        return;
    Flush();
    GlFramebuffer* framebuffer = target ? FindTarget(target) : &m_screen;
    if (!framebuffer)
        framebuffer = &m_screen;
    if (!target) {
        if (width > 0 && height > 0 && (width != m_width || height != m_height)) {
            // The logical screen changed size: the off-screen copy follows.
            m_width = width;
            m_height = height;
            glBindTexture(GL_TEXTURE_2D, m_screenTexture);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, kPixelFormat, kPixelType,
                         nullptr);
            m_screen.Create(m_screenTexture, width, height, m_screenZBuffer);
        }
        UpdateLetterbox();
    }
    BindFramebuffer(framebuffer);
    // Each scene starts plain: no transform, no clipping, no shader.
    glDisable(GL_SCISSOR_TEST);
    SetTransform(Transform{});
    m_program = &m_defaultProgram;
}

void GlRenderDevice::EndScene(bool present) {
    if (!m_context)
        return;
    Flush();
    if (m_framebuffer == &m_screen)
        m_screenFinished = true;
    if (present && m_framebuffer == &m_screen)
        Present();
}

void GlRenderDevice::Present() {
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_screen.Id());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, m_drawable[0], m_drawable[1]);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const int* box = m_letterbox;
    const bool oneToOne = box[2] == m_width && box[3] == m_height;
    // The window's row 0 is its bottom row, the screen picture's is its top:
    // swapping the destination's y ends turns it over.
    glBlitFramebuffer(0, 0, m_width, m_height, box[0], m_drawable[1] - box[1], box[0] + box[2],
                      m_drawable[1] - box[1] - box[3], GL_COLOR_BUFFER_BIT,
                      oneToOne ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(m_window));
    BindFramebuffer(&m_screen);
}

void GlRenderDevice::Clear(std::uint32_t color) {
    if (!m_context)
        return;
    Flush();
    auto channel = [color](int shift) {
        return static_cast<float>((color >> shift) & 0xFF) / 255.0f;
    };
    glClearColor(channel(16), channel(8), channel(0), channel(24));
    GLbitfield mask = GL_COLOR_BUFFER_BIT;
    if (m_framebuffer->HasDepth()) {
        glDepthMask(GL_TRUE);
        glClearDepth(1.0);
        mask |= GL_DEPTH_BUFFER_BIT;
        m_appliedBlend = -1; // depth mask changed behind ApplyBlend's back
    }
    glClear(mask);
}

void GlRenderDevice::SetTransform(const Transform& t) {
    Flush();
    float* m = m_state.matrix;
    float* o = m_state.offset;
    if (t.identity) {
        m[0] = 1, m[1] = 0, m[2] = 0, m[3] = 1;
        o[0] = 0, o[1] = 0;
    } else {
        // Scale 0 means "unscaled"; a missing vertical scale follows the
        // horizontal one.
        const float hs = t.hscale == 0 ? 1.0f : t.hscale;
        const float vs = t.vscale == 0 ? hs : t.vscale;
        const float c = std::cos(t.rot), s = std::sin(t.rot);
        // p' = R * S * (p - centre) + centre + shift, as a 2x2 matrix and an
        // offset (column-major).
        m[0] = c * hs, m[1] = s * hs, m[2] = -s * vs, m[3] = c * vs;
        o[0] = t.x + t.dx - (m[0] * t.x + m[2] * t.y);
        o[1] = t.y + t.dy - (m[1] * t.x + m[3] * t.y);
    }
    ++m_state.version;
}

void GlRenderDevice::SetShader(HSHADER shader) {
    GlShaderProgram* program = &m_defaultProgram;
    if (shader) {
        auto it = m_shaders.find(shader);
        if (it != m_shaders.end())
            program = it->second.get();
    }
    if (program == m_program)
        return;
    Flush();
    m_program = program;
}

void GlRenderDevice::SetClipping(int x, int y, int w, int h) {
    if (!m_context)
        return;
    Flush();
    if (w == 0) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    // Clamp to the target; stored rows run top-down, so y is used as is.
    int x0 = std::clamp(x, 0, m_framebuffer->Width());
    int y0 = std::clamp(y, 0, m_framebuffer->Height());
    int x1 = std::clamp(x + w, x0, m_framebuffer->Width());
    int y1 = std::clamp(y + h, y0, m_framebuffer->Height());
    glEnable(GL_SCISSOR_TEST);
    glScissor(x0, y0, x1 - x0, y1 - y0);
}

void GlRenderDevice::ApplyBlend(int blend) {
    if (blend == m_appliedBlend)
        return;
    // Colour as the mode says; alpha accumulates as coverage so that an
    // opaque target stays opaque when it is drawn on the screen later.
    if (blend & BLEND_ALPHABLEND)
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    else
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ONE, GL_ONE);
    glDepthMask((blend & BLEND_ZWRITE) ? GL_TRUE : GL_FALSE);
    m_appliedBlend = blend;
}

void GlRenderDevice::UseTexture(HTEXTURE id) {
    m_texture = id;
    m_glTexture = m_whiteTexture;
    if (id) {
        auto it = m_textures.find(id);
        if (it != m_textures.end())
            m_glTexture = it->second.gl;
    }
}

void GlRenderDevice::Flush() {
    if (m_batch.Empty())
        return;
    m_program->Use(m_state, m_blend);
    glBindTexture(GL_TEXTURE_2D, m_glTexture);
    ApplyBlend(m_blend);
    m_batch.Draw();
}

void GlRenderDevice::RenderQuad(const Quad& quad) {
    const int blend = quad.blend & kBlendBits;
    if (quad.tex != m_texture || blend != m_blend) {
        Flush();
        if (quad.tex != m_texture)
            UseTexture(quad.tex);
        m_blend = blend;
    } else if (m_batch.Full()) {
        Flush();
    }
    m_batch.Push(quad.v);
}

void GlRenderDevice::RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color,
                                float z) {
    // A line is a one-pixel-wide quad, so it shares the batch with sprites.
    if (m_texture != 0 || m_blend != BLEND_DEFAULT) {
        Flush();
        UseTexture(0);
        m_blend = BLEND_DEFAULT;
    } else if (m_batch.Full()) {
        Flush();
    }
    float dx = x2 - x1, dy = y2 - y1;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length < 1e-6f) {
        dx = 1, dy = 0, length = 1; // a point still shows as one pixel
    }
    // Half a pixel to each side, and half a pixel past each end so that
    // horizontal and vertical lines cover whole pixels.
    const float nx = -dy / length * 0.5f, ny = dx / length * 0.5f;
    const float ex = dx / length * 0.5f, ey = dy / length * 0.5f;
    const float ax = x1 - ex + 0.5f, ay = y1 - ey + 0.5f;
    const float bx = x2 + ex + 0.5f, by = y2 + ey + 0.5f;
    Vertex* v = m_batch.PushEmpty();
    v[0] = Vertex{ax + nx, ay + ny, z, color, 0, 0};
    v[1] = Vertex{bx + nx, by + ny, z, color, 0, 0};
    v[2] = Vertex{bx - nx, by - ny, z, color, 0, 0};
    v[3] = Vertex{ax - nx, ay - ny, z, color, 0, 0};
}
