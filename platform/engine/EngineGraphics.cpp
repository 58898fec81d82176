// Drawing, textures, render targets and shaders of the engine.
#include "platform/engine/EngineImpl.h"

#include <algorithm>
#include <cstring>

void EngineImpl::AddDrawRecord(const DrawRecord& record) {
    if (m_recordDraws) {
        m_drawRecords.push_back(record);
    }
}

void EngineImpl::Gfx_RecordDraws(bool on) {
    m_recordDraws = on;
    if (!on) {
        m_drawRecords.clear();
    }
}

std::vector<DrawRecord> EngineImpl::Gfx_TakeDrawRecords() {
    std::vector<DrawRecord> taken;
    taken.swap(m_drawRecords);
    return taken;
}

bool EngineImpl::Gfx_BeginScene(HTARGET target) {
    if (!m_device || m_inScene) {
        return false;
    }
    int width = m_ints[ENGINE_SCREENWIDTH];
    int height = m_ints[ENGINE_SCREENHEIGHT];
    if (target != 0) {
        auto found = m_targets.find(target);
        if (found == m_targets.end()) {
            return false;
        }
        width = found->second.width;
        height = found->second.height;
    }
    m_inScene = true;
    m_sceneTarget = target;
    ++m_stats.scenes;
    DrawRecord record{DrawRecord::Kind::BeginScene};
    record.target = target;
    AddDrawRecord(record);
    m_device->BeginScene(target, width, height);
    return true;
}

void EngineImpl::Gfx_EndScene() {
    if (!m_inScene) {
        return;
    }
    m_inScene = false;
    AddDrawRecord(DrawRecord{DrawRecord::Kind::EndScene});
    m_device->EndScene(m_sceneTarget == 0);
}

void EngineImpl::Gfx_Clear(std::uint32_t color) {
    ++m_stats.clears;
    DrawRecord record{DrawRecord::Kind::Clear};
    record.quad.v[0].col = color;
    AddDrawRecord(record);
    if (m_inScene) {
        m_device->Clear(color);
    }
}

void EngineImpl::Gfx_RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color,
                                float z) {
    ++m_stats.lines;
    if (m_recordDraws) {
        DrawRecord record{DrawRecord::Kind::Line};
        float values[7] = {x1, y1, x2, y2, z, 0, 0};
        std::copy(values, values + 7, record.a);
        record.quad.v[0].col = color;
        m_drawRecords.push_back(record);
    }
    if (m_inScene) {
        m_device->RenderLine(x1, y1, x2, y2, color, z);
    }
}

void EngineImpl::Gfx_RenderQuad(const Quad* quad) {
    if (!quad) {
        return;
    }
    ++m_stats.quads;
    if (m_recordDraws) {
        DrawRecord record{DrawRecord::Kind::Quad};
        record.quad = *quad;
        m_drawRecords.push_back(record);
    }
    if (m_inScene) {
        m_device->RenderQuad(*quad);
    }
}

Vertex* EngineImpl::Gfx_StartQuads(HTEXTURE texture, int blend, int count, int* room) {
    m_started = StartedQuads{};
    m_started.texture = texture;
    m_started.blend = blend;
    if (count <= 0) {
        if (room) {
            *room = 0;
        }
        return nullptr;
    }
    int available = 0;
    if (m_inScene) {
        m_started.vertices = m_device->ReserveQuads(texture, blend, available);
        m_started.onDevice = true;
    } else {
        // Nothing to draw into: the quads are only counted and recorded.
        available = 1024;
        m_scratchQuads.resize(static_cast<std::size_t>(available) * 4);
        m_started.vertices = m_scratchQuads.data();
    }
    m_started.room = std::min(available, count);
    if (room) {
        *room = m_started.room;
    }
    return m_started.vertices;
}

void EngineImpl::Gfx_FinishQuads(int used) {
    if (!m_started.vertices || used <= 0) {
        m_started = StartedQuads{};
        return;
    }
    used = std::min(used, m_started.room);
    m_stats.quads += static_cast<std::uint64_t>(used);
    if (m_recordDraws) {
        DrawRecord record{DrawRecord::Kind::Quad};
        record.quad.tex = m_started.texture;
        record.quad.blend = m_started.blend;
        for (int i = 0; i < used; ++i) {
            std::copy(m_started.vertices + 4 * i, m_started.vertices + 4 * i + 4, record.quad.v);
            m_drawRecords.push_back(record);
        }
    }
    if (m_started.onDevice) {
        m_device->CommitQuads(used);
    }
    m_started = StartedQuads{};
}

DrawStats EngineImpl::Gfx_GetStats() {
    DrawStats stats = m_stats;
    stats.batches = m_batchesOfOldDevices + (m_device ? m_device->BatchesDrawn() : 0);
    return stats;
}

void EngineImpl::Gfx_SetClipping(int x, int y, int w, int h) {
    if (m_inScene) {
        m_device->SetClipping(x, y, w, h);
    }
}

void EngineImpl::Gfx_SetTransform(float x, float y, float dx, float dy, float rot, float hscale,
                                  float vscale) {
    if (m_recordDraws) {
        DrawRecord record{DrawRecord::Kind::Transform};
        float values[7] = {x, y, dx, dy, rot, hscale, vscale};
        std::copy(values, values + 7, record.a);
        m_drawRecords.push_back(record);
    }
    Transform t;
    t.x = x;
    t.y = y;
    t.dx = dx;
    t.dy = dy;
    t.rot = rot;
    // A zero scale means "unscaled", and a zero vertical scale follows the horizontal one.
    t.hscale = hscale == 0 ? 1.0f : hscale;
    t.vscale = vscale == 0 ? t.hscale : vscale;
    t.identity = dx == 0 && dy == 0 && rot == 0 && t.hscale == 1 && t.vscale == 1;
    if (m_device) {
        m_device->SetTransform(t);
    }
}

void EngineImpl::Gfx_SetShader(HSHADER shader) {
    if (shader != 0 && m_shaders.count(shader) == 0) {
        shader = 0;
    }
    DrawRecord record{DrawRecord::Kind::Shader};
    record.shader = shader;
    AddDrawRecord(record);
    if (m_device) {
        m_device->SetShader(shader);
    }
}

HSHADER EngineImpl::Shader_Create(const char* filename) {
    std::uint32_t size = 0;
    void* bytes = Resource_Load(filename, &size);
    if (!bytes) {
        LogLine(std::string("Can't load shader: ") + (filename ? filename : ""));
        return 0;
    }
    std::string source(static_cast<const char*>(bytes), size);
    Resource_Free(bytes);
    HSHADER id = m_nextShader++;
    if (m_device) {
        std::string error;
        if (!m_device->CreateShader(id, source, error)) {
            LogLine(std::string("Can't compile shader ") + filename + ": " + error);
            return 0;
        }
    }
    m_shaders[id] = std::move(source);
    return id;
}

void EngineImpl::Shader_Free(HSHADER shader) {
    if (m_shaders.erase(shader) && m_device) {
        m_device->DeleteShader(shader);
    }
}

void EngineImpl::Shader_SetFloat(HSHADER shader, const char* name, float value) {
    if (m_shaders.count(shader) && m_device && name) {
        m_device->SetShaderFloat(shader, name, value);
    }
}

HTEXTURE EngineImpl::AddTexture(TextureData data) {
    int width = data.width;
    int height = data.height;
    bool target = data.isTarget;
    HTEXTURE id = m_textures.Add(std::move(data));
    if (m_device && !target) {
        m_device->CreateTexture(id, width, height, m_textures.Find(id)->pixels.data());
    }
    return id;
}

HTARGET EngineImpl::Target_Create(int width, int height, bool zbuffer) {
    if (!UsableSize(width, height)) {
        LogLine("Can't create render target of " + std::to_string(width) + "x" +
                std::to_string(height));
        return 0;
    }
    TextureData data;
    data.width = width;
    data.height = height;
    data.isTarget = true;
    data.pixels.assign(static_cast<size_t>(width) * height, 0);
    HTEXTURE texture = AddTexture(std::move(data));
    HTARGET id = m_nextTarget++;
    if (m_device && !m_device->CreateTarget(id, texture, width, height, zbuffer)) {
        LogLine("Can't create render target");
        m_textures.Remove(texture);
        return 0;
    }
    m_targets[id] = TargetInfo{texture, width, height, zbuffer};
    return id;
}

void EngineImpl::Target_Free(HTARGET target) {
    auto found = m_targets.find(target);
    if (found == m_targets.end()) {
        return;
    }
    if (m_device) {
        m_device->DeleteTarget(target);
    }
    m_textures.Remove(found->second.texture);
    m_targets.erase(found);
}

HTEXTURE EngineImpl::Target_GetTexture(HTARGET target) {
    auto found = m_targets.find(target);
    return found == m_targets.end() ? 0 : found->second.texture;
}

HTEXTURE EngineImpl::Texture_Create(int width, int height) {
    if (!UsableSize(width, height)) {
        LogLine("Can't create texture of " + std::to_string(width) + "x" + std::to_string(height));
        return 0;
    }
    TextureData data;
    data.width = width;
    data.height = height;
    data.pixels.assign(static_cast<size_t>(width) * height, 0);
    return AddTexture(std::move(data));
}

HTEXTURE EngineImpl::Texture_Load(const char* filename, std::uint32_t size, bool) {
    if (TextureData ahead;
        size == 0 && filename && m_decodeAhead && m_decodeAhead->Take(filename, ahead)) {
        return AddTexture(std::move(ahead));
    }
    std::uint32_t loadedSize = 0;
    void* bytes = Resource_Load(filename, &loadedSize);
    if (!bytes) {
        LogLine(std::string("Can't load texture: ") + (filename ? filename : ""));
        return 0;
    }
    if (size != 0 && size < loadedSize) {
        loadedSize = size;
    }
    TextureData data;
    std::string error;
    bool ok = DecodeImage(bytes, loadedSize, data, error);
    Resource_Free(bytes);
    if (!ok) {
        LogLine(std::string("Can't load texture: ") + filename + " (" + error + ")");
        return 0;
    }
    return AddTexture(std::move(data));
}

void EngineImpl::Texture_DecodeAhead(const std::vector<std::string>& files) {
    m_decodeAhead = std::make_unique<TextureDecodeAhead>(files);
}

HTEXTURE EngineImpl::Texture_LoadFromMemory(const void* bytes, std::uint32_t size) {
    TextureData data;
    std::string error;
    if (!DecodeImage(bytes, size, data, error)) {
        LogLine("Can't load texture from memory (" + error + ")");
        return 0;
    }
    return AddTexture(std::move(data));
}

void EngineImpl::Texture_Free(HTEXTURE texture) {
    TextureData* data = m_textures.Find(texture);
    if (!data || data->isTarget) {
        return; // a target's texture goes with its target
    }
    if (m_device) {
        m_device->DeleteTexture(texture);
    }
    m_textures.Remove(texture);
}

int EngineImpl::Texture_GetWidth(HTEXTURE texture, bool) {
    TextureData* data = m_textures.Find(texture);
    return data ? data->width : 0;
}

int EngineImpl::Texture_GetHeight(HTEXTURE texture, bool) {
    TextureData* data = m_textures.Find(texture);
    return data ? data->height : 0;
}

std::uint32_t* EngineImpl::Texture_Lock(HTEXTURE texture, bool readOnly, int left, int top,
                                        int width, int height) {
    TextureData* data = m_textures.Find(texture);
    if (!data || data->locked) {
        return nullptr;
    }
    if (width == 0 || height == 0) {
        left = top = 0;
        width = data->width;
        height = data->height;
    }
    if (left < 0 || top < 0 || width < 0 || height < 0 || left + width > data->width ||
        top + height > data->height) {
        return nullptr;
    }
    if (data->isTarget && m_device) {
        // What was drawn lives on the device; fetch it before handing it out.
        for (const auto& [id, info] : m_targets) {
            if (info.texture == texture) {
                m_device->ReadPixels(id, data->width, data->height, data->pixels.data());
            }
        }
    }
    data->locked = true;
    data->lockReadOnly = readOnly;
    data->lockLeft = left;
    data->lockTop = top;
    data->lockWidth = width;
    data->lockHeight = height;
    return data->pixels.data() + static_cast<size_t>(top) * data->width + left;
}

void EngineImpl::Texture_Unlock(HTEXTURE texture) {
    TextureData* data = m_textures.Find(texture);
    if (!data || !data->locked) {
        return;
    }
    data->locked = false;
    if (!data->lockReadOnly && m_device && !data->isTarget) {
        m_device->UpdateTexture(
            texture, data->lockLeft, data->lockTop, data->lockWidth, data->lockHeight, data->width,
            data->pixels.data() + static_cast<size_t>(data->lockTop) * data->width +
                data->lockLeft);
    }
}

bool EngineImpl::System_Snapshot(const char* filename) {
    int width = m_ints[ENGINE_SCREENWIDTH];
    int height = m_ints[ENGINE_SCREENHEIGHT];
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
    if (!m_device || !m_device->ReadPixels(0, width, height, pixels.data())) {
        LogLine(std::string("No picture to save in ") + (filename ? filename : "") +
                (Headless() ? " (headless)" : ""));
        return false;
    }
    if (!WritePng(filename, width, height, pixels.data())) {
        LogLine(std::string("Can't write ") + filename);
        return false;
    }
    return true;
}
