#include "platform/engine/GlTextureSet.h"

#include <algorithm>
#include <vector>

namespace {

// ARGB words upload as they stand on any byte order with this pair.
constexpr GLenum kPixelFormat = GL_BGRA;
constexpr GLenum kPixelType = GL_UNSIGNED_INT_8_8_8_8_REV;

} // namespace

void GlTextureSet::Init(bool linearFilter) {
    m_linearFilter = linearFilter;
    const std::uint32_t white = 0xFFFFFFFF;
    m_white = Make(1, 1, &white);
}

void GlTextureSet::Shutdown() {
    for (auto& [id, entry] : m_textures)
        glDeleteTextures(1, &entry.gl);
    m_textures.clear();
    if (m_white)
        glDeleteTextures(1, &m_white);
    m_white = 0;
}

void GlTextureSet::Upload(GLuint texture, int width, int height, const std::uint32_t* pixels) {
    // An empty texture starts transparent black rather than whatever the
    // driver had in memory.
    std::vector<std::uint32_t> zeros;
    if (!pixels) {
        zeros.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        pixels = zeros.data();
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, kPixelFormat, kPixelType, pixels);
}

GLuint GlTextureSet::Make(int width, int height, const std::uint32_t* pixels) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint filter = m_linearFilter ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    // Ground tiles rely on coordinates past 1 repeating the texture.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    Upload(texture, width, height, pixels);
    return texture;
}

void GlTextureSet::Create(HTEXTURE id, int width, int height, const std::uint32_t* pixels) {
    if (width <= 0 || height <= 0)
        return;
    auto it = m_textures.find(id);
    if (it == m_textures.end()) {
        m_textures[id] = Entry{Make(width, height, pixels), width, height};
        return;
    }
    Upload(it->second.gl, width, height, pixels);
    it->second.width = width;
    it->second.height = height;
}

void GlTextureSet::Update(HTEXTURE id, int left, int top, int width, int height, int pitch,
                          const std::uint32_t* pixels) {
    auto it = m_textures.find(id);
    if (it == m_textures.end() || !pixels)
        return;
    // Keep the rectangle inside the texture; a bad lock must not write past it.
    const Entry& entry = it->second;
    const int x0 = std::max(left, 0), y0 = std::max(top, 0);
    const int x1 = std::min(left + width, entry.width), y1 = std::min(top + height, entry.height);
    if (x1 <= x0 || y1 <= y0 || pitch < width)
        return;
    pixels += static_cast<size_t>(y0 - top) * static_cast<size_t>(pitch) + (x0 - left);
    glBindTexture(GL_TEXTURE_2D, entry.gl);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x0, y0, x1 - x0, y1 - y0, kPixelFormat, kPixelType, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void GlTextureSet::Delete(HTEXTURE id) {
    auto it = m_textures.find(id);
    if (it == m_textures.end())
        return;
    glDeleteTextures(1, &it->second.gl);
    m_textures.erase(it);
}

GLuint GlTextureSet::Find(HTEXTURE id) const {
    if (id) {
        auto it = m_textures.find(id);
        if (it != m_textures.end())
            return it->second.gl;
    }
    return m_white;
}

bool GlTextureSet::Has(HTEXTURE id, int width, int height) const {
    auto it = m_textures.find(id);
    return it != m_textures.end() && it->second.width == width && it->second.height == height;
}
