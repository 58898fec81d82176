// One linked GL program: the built-in vertex stage with either the built-in
// fragment stage or a fragment stage read from a shader file. Remembers which
// per-draw state it was last given so switching programs re-sends only what
// changed.
#pragma once

#include <epoxy/gl.h>

#include <string>
#include <unordered_map>

// What every program needs per draw: where pixels go on the target, the
// drawing transform, the blend mode. `version` changes whenever any of the
// first two do.
struct GlDrawState {
    float projScale[2] = {1, 1};
    float projOffset[2] = {0, 0};
    float matrix[4] = {1, 0, 0, 1}; // column-major 2x2
    float offset[2] = {0, 0};
    unsigned version = 0;
};

class GlShaderProgram {
public:
    GlShaderProgram() = default;
    ~GlShaderProgram();
    GlShaderProgram(const GlShaderProgram&) = delete;
    GlShaderProgram& operator=(const GlShaderProgram&) = delete;
    GlShaderProgram(GlShaderProgram&& other) noexcept;
    GlShaderProgram& operator=(GlShaderProgram&& other) noexcept;

    // The program drawing quads without a shader selected, for one of the
    // two colour operations.
    bool BuildDefault(bool colourAdd, std::string& error);
    // fragmentSource: the body of a shader file (see docs/shaders.md).
    bool BuildCustom(const std::string& fragmentSource, std::string& error);

    // Makes the program current and sends whatever of the state it lacks.
    void Use(const GlDrawState& state, int blendMode);
    void SetFloat(const std::string& name, float value);
    GLuint Id() const { return m_program; }

private:
    bool Build(const std::string& fragmentSource, std::string& error);
    void Release();

    GLuint m_program = 0;
    GLint m_locProjScale = -1, m_locProjOffset = -1, m_locMatrix = -1, m_locOffset = -1;
    GLint m_locBlend = -1;
    unsigned m_sentVersion = ~0u;
    int m_sentBlend = -1;
    // Float constants are set by name from game code, not per vertex, so a
    // map lookup is cheap enough.
    std::unordered_map<std::string, GLint> m_floatLocations;
};
