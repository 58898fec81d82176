#include "platform/engine/GlRenderDevice.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

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
    std::string programError;
    if (!m_multiplyProgram.BuildDefault(false, programError) ||
        !m_addProgram.BuildDefault(true, programError)) {
        error = "built-in shader: " + programError;
        Shutdown();
        return false;
    }
    if (!m_batch.Init()) {
        error = "cannot create the vertex buffers";
        Shutdown();
        return false;
    }
    m_textures.Init(linearFilter);
    if (!m_screen.Init(window, width, height, m_textures)) {
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

    m_shader = nullptr;
    ResetBatch();
    m_appliedBlend = -1;
    BindFramebuffer(m_screen.Begin(width, height));
    return true;
}

void GlRenderDevice::Shutdown() {
    if (!m_context)
        return;
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(m_window), static_cast<SDL_GLContext>(m_context));
    m_targets.clear();
    m_shaders.clear();
    m_screen.Shutdown();
    m_textures.Shutdown();
    m_batch.Shutdown();
    ResetBatch();
    m_multiplyProgram = GlShaderProgram();
    m_addProgram = GlShaderProgram();
    m_framebuffer = nullptr;
    m_shader = nullptr;
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_context));
    m_context = nullptr;
    m_window = nullptr;
}

void GlRenderDevice::CreateTexture(HTEXTURE id, int width, int height,
                                   const std::uint32_t* pixels) {
    if (!m_context)
        return;
    Flush();
    m_textures.Create(id, width, height, pixels);
}

void GlRenderDevice::UpdateTexture(HTEXTURE id, int left, int top, int width, int height, int pitch,
                                   const std::uint32_t* pixels) {
    if (!m_context)
        return;
    Flush();
    m_textures.Update(id, left, top, width, height, pitch, pixels);
}

void GlRenderDevice::DeleteTexture(HTEXTURE id) {
    if (!m_context)
        return;
    Flush();
    m_textures.Delete(id);
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
    // The engine keeps a target's pixels on the device only, so its texture
    // is made here.
    if (!m_textures.Has(texture, width, height))
        m_textures.Create(texture, width, height, nullptr);
    auto framebuffer = std::make_unique<GlFramebuffer>();
    const bool ok = framebuffer->Create(m_textures.Find(texture), width, height, zbuffer);
    if (ok) {
        if (FindTarget(id) == m_framebuffer)
            m_framebuffer = nullptr;
        m_targets[id] = std::move(framebuffer);
    }
    if (m_framebuffer)
        BindFramebuffer(m_framebuffer);
    return ok;
}

void GlRenderDevice::DeleteTarget(HTARGET id) {
    GlFramebuffer* framebuffer = FindTarget(id);
    if (!framebuffer)
        return;
    Flush();
    if (framebuffer == m_framebuffer)
        m_framebuffer = nullptr; // nothing is drawn until the next scene
    m_targets.erase(id);
    if (m_framebuffer)
        BindFramebuffer(m_framebuffer);
}

bool GlRenderDevice::ReadPixels(HTARGET id, int width, int height, std::uint32_t* out) {
    if (!m_context || !out || width <= 0 || height <= 0)
        return false;
    Flush();
    bool ok = false;
    if (!id) {
        ok = m_screen.Read(width, height, out);
    } else if (GlFramebuffer* target = FindTarget(id);
               target && width <= target->Width() && height <= target->Height()) {
        // Targets are stored top row first, so no flip is needed.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target->Id());
        glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, out);
        ok = glGetError() == GL_NO_ERROR;
    }
    if (m_framebuffer)
        BindFramebuffer(m_framebuffer);
    return ok;
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
    if (it != m_shaders.end() && it->second.get() == m_shader) {
        Flush();
        m_shader = program.get();
    }
    m_shaders[id] = std::move(program);
    return true;
}

void GlRenderDevice::DeleteShader(HSHADER id) {
    auto it = m_shaders.find(id);
    if (it == m_shaders.end())
        return;
    if (it->second.get() == m_shader) {
        Flush();
        m_shader = nullptr;
    }
    m_shaders.erase(it);
}

void GlRenderDevice::SetShaderFloat(HSHADER id, const std::string& name, float value) {
    auto it = m_shaders.find(id);
    if (it == m_shaders.end())
        return;
    // Quads already queued were meant to see the old value.
    if (it->second.get() == m_shader)
        Flush();
    it->second->SetFloat(name, value);
}

void GlRenderDevice::BindFramebuffer(GlFramebuffer* framebuffer) {
    m_framebuffer = framebuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer->Id());
    const auto width = static_cast<float>(framebuffer->Width());
    const auto height = static_cast<float>(framebuffer->Height());
    glViewport(0, 0, framebuffer->Width(), framebuffer->Height());
    // Off-screen pictures store the top row first, so a target's texture
    // reads right way up like any loaded texture; the window's rows run
    // bottom-up.
    const float flip = framebuffer->BottomUp() ? -1.0f : 1.0f;
    m_state.projScale[0] = 2.0f / width;
    m_state.projScale[1] = flip * 2.0f / height;
    m_state.projOffset[0] = -1.0f;
    m_state.projOffset[1] = -flip;
    ++m_state.version;
    if (framebuffer->HasDepth())
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
}

void GlRenderDevice::GetScreenViewport(int& x, int& y, int& w, int& h) const {
    m_screen.GetViewport(x, y, w, h);
}

void GlRenderDevice::BeginScene(HTARGET target, int width, int height) {
    if (!m_context)
        return;
    Flush();
    GlFramebuffer* framebuffer = target ? FindTarget(target) : nullptr;
    m_onScreen = !framebuffer;
    if (!framebuffer)
        framebuffer = m_screen.Begin(width, height);
    BindFramebuffer(framebuffer);
    // Each scene starts plain: no transform, no clipping, no shader.
    glDisable(GL_SCISSOR_TEST);
    SetTransform(Transform{});
    m_shader = nullptr;
}

void GlRenderDevice::EndScene(bool present) {
    if (!m_context || !m_framebuffer)
        return;
    Flush();
    if (m_onScreen)
        m_screen.End(present);
    m_onScreen = false;
}

void GlRenderDevice::Clear(std::uint32_t color) {
    if (!m_context || !m_framebuffer)
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

void GlRenderDevice::SetClipping(int x, int y, int w, int h) {
    if (!m_context || !m_framebuffer)
        return;
    Flush();
    if (w == 0) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    // Clamp to the target; the window's rows run bottom-up, so its y turns.
    const int width = m_framebuffer->Width(), height = m_framebuffer->Height();
    const int x0 = std::clamp(x, 0, width), y0 = std::clamp(y, 0, height);
    const int x1 = std::clamp(x + w, x0, width), y1 = std::clamp(y + h, y0, height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x0, m_framebuffer->BottomUp() ? height - y1 : y0, x1 - x0, y1 - y0);
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

void GlRenderDevice::SetShader(HSHADER shader) {
    GlShaderProgram* program = nullptr;
    if (shader) {
        auto it = m_shaders.find(shader);
        if (it != m_shaders.end())
            program = it->second.get();
    }
    if (program == m_shader)
        return;
    Flush();
    m_shader = program;
}

bool GlRenderDevice::DrawBatch(const Vertex* vertices, int quads) {
    if (!m_framebuffer)
        return false;
    const int blend = BatchBlend();
    GlShaderProgram* program = m_shader;
    if (!program)
        program = (blend & BLEND_COLORADD) ? &m_addProgram : &m_multiplyProgram;
    program->Use(m_state, blend);
    glBindTexture(GL_TEXTURE_2D, m_textures.Find(BatchTexture()));
    ApplyBlend(blend);
    m_batch.Draw(vertices, quads);
    return true;
}
